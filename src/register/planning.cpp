#include "register/planning.h"

#include "core/base/clock.h"
#include "core/base/fonts.h"
#include "core/base/formats.h"
#include "core/help/helptexts.h"
#include "core/storage/programfolder.h"
#include "core/storage/text.h"
#include "help/guida.h"
#include "register/artwork.h"
#include "register/calendarsheetdialog.h"
#include "register/daygrid.h"
#include "register/giorno.h"
#include "register/riepprenotazioni.h"
#include "ui/decor.h"
#include "ui/fieldbehaviour.h"
#include "ui/infoline.h"
#include "ui/messages.h"
#include "ui/screenflow.h"
#include "ui/window.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QShowEvent>

namespace {

const QColor kFill(0x42, 0x7A, 0xA8);

// The commands of the top bar, left to right.
struct CommandRow {
    const char* name;
    QRect geometry;
    const char* art;
    const char* accessibleName;
    const char* hint;
};

const CommandRow kCommands[] = {
    {"cmdRiepilogo",
     {383, 28, 148, 32},
     "pulsante_riepilogo",
     "Riepilogo",
     "Visualizza il riepilogo delle presenze e attivit\u00e0 registrate."},
    {"cmdAnteprima",
     {553, 28, 148, 32},
     "pulsante_anteprima",
     "Anteprima",
     "Visualizza l'anteprima di stampa del registro presenze visualizzato."},
    {"cmdStampa",
     {722, 28, 148, 32},
     "pulsante_stampa",
     "Stampa",
     "Stampa il registro presenze visualizzato."},
    {"cmdGuida", {892, 26, 37, 39}, "guida_piccolo", "Guida", "Visualizza la guida in linea."},
    {"cmdEsci", {933, 26, 37, 39}, "esci_piccolo", "Esci", "Esci da questa schermata di lavoro."},
};

// The header band: caption above each read-only field.
struct HeaderRow {
    const char* caption;
    const char* name;
    QRect geometry;
};

const HeaderRow kHeader[] = {
    {"Cognome e nome:", "txtPersona", {28, 104, 184, 22}},
    {"Tel. preferenziale:", "txtRecapito", {222, 104, 148, 22}},
    {"Codice fiscale:", "txtCodFisc", {380, 104, 170, 22}},
    {"Mansioni:", "txtMansioni", {560, 104, 210, 22}},
};

// The warning on opening a year that cannot be stored, by reason; each ends with the same
// sentence.
const QString kNotStoredEnd =
    QStringLiteral("\n\r\n\r")
    + QStringLiteral("Il calendario pu\u00f2 essere consultato, ma i giorni inseriti non verranno "
                     "salvati.");

QString openingWarning(YearProblem problem)
{
    QString why;
    switch (problem) {
    case YearProblem::None:
        return QString();
    case YearProblem::UnusableName:
        why = QStringLiteral(
            "Attenzione: il codice fiscale di questa scheda contiene caratteri che non possono far "
            "parte del nome di un file (/ \\ : * ? \" < > | o caratteri di controllo), quindi il "
            "registro presenze di questo anno non pu\u00f2 essere salvato. Per salvarlo, "
            "correggere il codice fiscale nella scheda anagrafica.");
        break;
    case YearProblem::Unreadable:
        why = QStringLiteral(
            "Attenzione: il file del registro presenze di questo anno esiste ma non pu\u00f2 "
            "essere letto, quindi il calendario \u00e8 mostrato vuoto e non verr\u00e0 salvato, "
            "per non sostituire i giorni registrati nel file.");
        break;
    case YearProblem::ReadOnly:
        why = QStringLiteral(
            "Attenzione: il file del registro presenze di questo anno \u00e8 di sola lettura, "
            "quindi non pu\u00f2 essere aggiornato.");
        break;
    case YearProblem::NoNewFile:
        why = QStringLiteral(
            "Attenzione: la cartella del programma non permette di creare il file del registro "
            "presenze di questo anno, quindi l'anno non pu\u00f2 essere salvato.");
        break;
    case YearProblem::NoRoom:
        why = QStringLiteral(
            "Attenzione: non \u00e8 stato possibile scrivere il file del registro presenze di "
            "questo anno, probabilmente perch\u00e9 il disco \u00e8 pieno, quindi l'anno non "
            "pu\u00f2 essere salvato.");
        break;
    }
    return why + kNotStoredEnd;
}

// On leaving, when days entered are lost: the year could not be stored from the start, or
// its save failed (the stored file stays as it was).
const QString kLeftUnstored =
    QStringLiteral("Attenzione: i giorni inseriti in questo calendario non sono stati salvati, "
                   "perch\u00e9 il registro presenze di questo anno non pu\u00f2 essere "
                   "salvato.");
const QString kSaveFailed =
    QStringLiteral("Attenzione: si \u00e8 verificato un errore durante il salvataggio del "
                   "registro presenze: i giorni inseriti non sono stati salvati.")
    + QStringLiteral("\n\r\n\r")
    + QStringLiteral("Il file del registro \u00e8 rimasto come era prima.");

// A year file replaced while its calendar was open: the store writes nothing.
const QString kChangedElsewhere =
    QStringLiteral("Attenzione: il file del registro presenze di questo anno \u00e8 stato "
                   "modificato altrove dopo l'apertura del calendario, ad esempio da un'altra "
                   "copia del programma o con il ripristino di una copia del file.")
    + QStringLiteral("\r\n\r\n")
    + QStringLiteral("I giorni inseriti non sono stati salvati, per non sovrascrivere i giorni "
                     "registrati nel file. Per vedere il registro come \u00e8 ora, uscire dal "
                     "calendario e aprirlo di nuovo.");

} // namespace

TfrmPlanning::TfrmPlanning(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmPlanning"));
    setupMaximisedWindow(this, QStringLiteral("  Vestrano - Anno"));
    setWindowGradient(this, kFill);
    QWidget* panel = makeCentredContainer(this, QSize(995, 692));
    (new ShapeRect(panel, QStringLiteral("bkgPannello"), QRect(0, 0, 995, 692)))
        ->fill(QColor(0xC8, 0xD6, 0xE3));

    m_info = new InfoLine(panel, QRect(16, 642, 962, 32),
                          QStringLiteral("Pronto per archiviare una nuova scheda..."));
    m_info->addClearer(this);
    m_info->addClearer(panel);

    buildTopBar(panel);
    buildHeader(panel);
    buildCalendar(panel);

    applyProcessFormats();
}

void TfrmPlanning::buildTopBar(QWidget* panel)
{
    for (const QRect& box :
         {QRect(16, 16, 320, 57), QRect(372, 16, 508, 57), QRect(884, 16, 94, 57)}) {
        (new ShapeRect(panel, QStringLiteral("shpBarra"), box))
            ->fill(Qt::white)
            .outline(QColor(0xA9, 0xBF, 0xD6))
            .rounded(5);
    }
    auto* chiave = new Picture(panel, QStringLiteral("icoChiave"), QRect(20, 20, 64, 49),
                               registerArt("chiave"), QStringLiteral("Registro presenze"));
    auto* titolo =
        new Picture(panel, QStringLiteral("icoTitolo"), QRect(126, 28, 203, 38),
                    registerArt("titolo_calendario"), QStringLiteral("Registro presenze"));
    m_info->addClearer(chiave);
    m_info->addClearer(titolo);

    Picture** commands[] = {&cmdRiepilogo, &cmdAnteprima, &cmdStampa, &cmdGuida, &cmdEsci};
    int i = 0;
    for (const CommandRow& row : kCommands) {
        auto* command = new Picture(panel, QString::fromLatin1(row.name), row.geometry,
                                    registerArt(row.art), QString::fromLatin1(row.accessibleName));
        command->setClickable(true);
        m_info->setHint(command, QString::fromUtf8(row.hint));
        *commands[i++] = command;
    }
    connect(cmdRiepilogo, &Picture::clicked, this, &TfrmPlanning::cmdRiepilogoClick);
    connect(cmdAnteprima, &Picture::clicked, this, &TfrmPlanning::cmdAnteprimaClick);
    connect(cmdStampa, &Picture::clicked, this, &TfrmPlanning::cmdStampaClick);
    connect(cmdGuida, &Picture::clicked, this, &TfrmPlanning::cmdGuidaClick);
    connect(cmdEsci, &Picture::clicked, this, &TfrmPlanning::cmdEsciClick);
}

void TfrmPlanning::buildHeader(QWidget* panel)
{
    (new ShapeRect(panel, QStringLiteral("shpIntestazione"), QRect(16, 80, 766, 56)))
        ->fill(Qt::white)
        .outline(QColor(0xA9, 0xBF, 0xD6))
        .rounded(5);
    QLineEdit** fields[] = {&txtPersona, &txtRecapito, &txtCodFisc, &txtMansioni};
    int i = 0;
    for (const HeaderRow& row : kHeader) {
        auto* caption = new QLabel(QString::fromUtf8(row.caption), panel);
        caption->setFont(uiFont(QStringLiteral("Verdana"), 11));
        caption->setStyleSheet(QStringLiteral("color: #1F3F78; background: transparent;"));
        caption->move(row.geometry.left(), 85);
        caption->adjustSize();
        auto* edit = new QLineEdit(panel);
        edit->setObjectName(QString::fromLatin1(row.name));
        edit->setGeometry(row.geometry);
        edit->setFont(uiFont(QStringLiteral("Verdana"), 12, true));
        edit->setReadOnly(true);
        edit->setMaxLength(250);
        showTextFromStart(edit);
        edit->setAccessibleName(QString::fromUtf8(row.caption));
        edit->setStyleSheet(QStringLiteral(
            "QLineEdit { background: #F0F8FF; color: black; border: 1px solid #87CEEB; "
            "padding: 0 2px; }"));
        useDesignColours(edit);
        caption->setBuddy(edit);
        *fields[i++] = edit;
    }
    new Picture(panel, QStringLiteral("icoAnno"), QRect(788, 80, 190, 56), registerArt("anno"),
                QStringLiteral("Anno"));
    txtAnno = new QLabel(panel);
    txtAnno->setObjectName(QStringLiteral("txtAnno"));
    txtAnno->setGeometry(889, 93, 84, 30);
    txtAnno->setFont(uiFont(QStringLiteral("Verdana"), 23, true));
    txtAnno->setStyleSheet(QStringLiteral("color: yellow; background: transparent;"));
    txtAnno->setAccessibleDescription(QStringLiteral("Anno")); // its name is the year shown
}

void TfrmPlanning::buildCalendar(QWidget* panel)
{
    auto* section = new ShapeRect(panel, QStringLiteral("shpCalendario"), QRect(16, 144, 962, 490));
    section->gradient(kFill, Qt::white).rounded(5);

    for (const MonthInfo& month : MonthTable()) {
        const int y = 152 + 40 * (month.number - 1);
        const QString part = QString::fromLatin1(month.namePart);
        new Picture(panel, QStringLiteral("tit") + part, QRect(24, y, 136, 33),
                    registerArt((QByteArray("mese_") + month.keyPrefix).constData()),
                    QString::fromLatin1(month.textName));
    }
    // The 366 cells, drawn by one widget from the year model.
    m_grid = new DayGrid(panel, QPoint(166, 152), &m_year);
    connect(m_grid, &DayGrid::dayActivated, this, &TfrmPlanning::dayClick);
    // Over a cell the hint shows; between the cells lies the section's background.
    connect(m_grid, &DayGrid::pointerOverDay, this, [this](bool overDay) {
        m_info->label()->setText(overDay ? DayGrid::dayHint() : QString());
    });
}

QString TfrmPlanning::persona() const
{
    return trimText(txtPersona->text());
}

QString TfrmPlanning::recapito() const
{
    return trimText(txtRecapito->text());
}

QString TfrmPlanning::codFisc() const
{
    return trimText(txtCodFisc->text());
}

QString TfrmPlanning::mansioni() const
{
    return trimText(txtMansioni->text());
}

QString TfrmPlanning::anno() const
{
    return trimText(txtAnno->text());
}

void TfrmPlanning::setChoice(const PersonYear& choice)
{
    m_choice = choice;
    const QString year = trimText(choice.year);
    setWindowTitle(QStringLiteral(" Vestrano - Anno ") + year);
    txtAnno->setText(year);
    txtPersona->setText(trimText(choice.persona));
    txtRecapito->setText(trimText(choice.recapito));
    txtCodFisc->setText(trimText(choice.codFisc));
    txtMansioni->setText(trimText(choice.mansioni));
}

void TfrmPlanning::reset()
{
    m_year.clear();
    m_grid->yearChanged();
}

void TfrmPlanning::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Coming back from a minimised window is no new showing: the days entered stay.
    if (!event->spontaneous())
        FormShow();
}

void TfrmPlanning::FormShow()
{
    reset();
    txtPersona->setText(trimText(m_choice.persona));
    txtRecapito->setText(trimText(m_choice.recapito));
    txtCodFisc->setText(trimText(m_choice.codFisc));
    txtMansioni->setText(trimText(m_choice.mansioni));
    const QString path = trimText(m_choice.file);
    // A year handed over by Apri names a file of the program folder; a calendar shown without
    // one has no year to store and nothing to say.
    if (path.startsWith(programFolder()))
        m_year.open(path);
    m_grid->yearChanged();

    // The keyboard starts on the grid: on today in the current year, else on 1 January.
    const QDate today = currentDateTime().date();
    const int todaySlot = DaySlot(today.month(), today.day());
    m_grid->setCurrentSlot(anno() == QString::number(today.year()) && todaySlot >= 0 ? todaySlot
                                                                                     : 0);
    m_grid->setFocus(Qt::OtherFocusReason);

    // Said before anything is typed; the calendar stays open for looking.
    if (m_year.hasFile() && !m_year.storable())
        showMessage(this, MessageKind::Warning, openingWarning(m_year.problem()));
}

QString TfrmPlanning::unstoredMessage(YearModel::StoreOutcome outcome)
{
    switch (outcome) {
    case YearModel::StoreOutcome::Stored:
        return QString();
    case YearModel::StoreOutcome::CannotBeStored:
        return kLeftUnstored;
    case YearModel::StoreOutcome::ChangedElsewhere:
        return kChangedElsewhere;
    case YearModel::StoreOutcome::Failed:
        return kSaveFailed;
    }
    return QString();
}

bool TfrmPlanning::applyDay(int slot, const QString& text)
{
    if (!m_year.setText(slot, text))
        return false;
    m_grid->dayChanged(slot);
    // Stored as soon as it is applied, so that what the dialog showed applied is on disk when
    // it has closed; a calendar opened without a year has nothing to store.
    if (m_year.hasFile() && m_year.hasUnstoredDays()) {
        const QString message = unstoredMessage(m_year.store());
        if (!message.isEmpty())
            showMessage(this, MessageKind::Warning, message);
    }
    return true;
}

void TfrmPlanning::cmdSalvaClick()
{
    if (m_year.storable())
        m_year.store();
}

void TfrmPlanning::dayClick(int slot)
{
    QPointer<TfrmGiorno> dialog = new TfrmGiorno(this, slot, anno(), persona(), m_year.text(slot));
    const bool applied = dialog->exec() == QDialog::Accepted && dialog;
    const QString text = dialog ? dialog->text() : QString();
    delete dialog.data();
    if (applied)
        applyDay(slot, text);
}

// The summary and the two calendar sheet dialogs: a fresh one each time, owned by the calendar,
// modal, destroyed when closed. They read the calendar as it is now.
template <typename Dialog> static void runDialog(TfrmPlanning* calendar)
{
    QPointer<Dialog> dialog = new Dialog(calendar);
    dialog->exec();
    delete dialog.data();
}

void TfrmPlanning::cmdRiepilogoClick()
{
    runDialog<TfrmRiepPrenotazioni>(this);
}

void TfrmPlanning::cmdAnteprimaClick()
{
    runDialog<TfrmAnteprimaPlanning>(this);
}

void TfrmPlanning::cmdStampaClick()
{
    runDialog<TfrmStampaPlanning>(this);
}

void TfrmPlanning::cmdGuidaClick()
{
    showHelp(this, kRegisterHelpTitle, registerHelpText());
}

void TfrmPlanning::cmdEsciClick()
{
    close();
}

void TfrmPlanning::storeOpenYear()
{
    if (isVisible())
        cmdSalvaClick();
}

void TfrmPlanning::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (!isVisible())
        return;
    // The same whole-year write as each applied day makes. Days entered that are not stored
    // are said lost once more; a calendar only looked at leaves in silence.
    if (m_year.hasFile()) {
        const YearModel::StoreOutcome outcome = m_year.store();
        if (m_year.hasUnstoredDays()) {
            const QString message = unstoredMessage(outcome);
            if (!message.isEmpty())
                showMessage(this, MessageKind::Warning, message);
        }
    }
    switchScreen(this, screens().frmAvvio);
}
