#include "register/planning.h"

#include "core/base/fonts.h"
#include "core/base/formats.h"
#include "core/help/helptexts.h"
#include "core/storage/programfolder.h"
#include "core/storage/text.h"
#include "help/guida.h"
#include "register/artwork.h"
#include "register/calendarsheetdialog.h"
#include "register/dayimage.h"
#include "register/giorno.h"
#include "register/menucamere.h"
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

const QString kDayHint =
    QStringLiteral("Fai clic sul numero del giorno per inserire o cancellare una presenza.");

// The commands of the top bar, left to right.
struct CommandRow {
    Picture* TfrmPlanning::*member;
    const char* name;
    QRect geometry;
    const char* art;
    const char* accessibleName;
    const char* hint;
};

const CommandRow kCommands[] = {
    {&TfrmPlanning::cmdRiepilogo,
     "cmdRiepilogo",
     {383, 28, 148, 32},
     "pulsante_riepilogo",
     "Riepilogo",
     "Visualizza il riepilogo delle presenze e attivit\u00e0 registrate."},
    {&TfrmPlanning::cmdAnteprima,
     "cmdAnteprima",
     {553, 28, 148, 32},
     "pulsante_anteprima",
     "Anteprima",
     "Visualizza l'anteprima di stampa del registro presenze visualizzato."},
    {&TfrmPlanning::cmdStampa,
     "cmdStampa",
     {722, 28, 148, 32},
     "pulsante_stampa",
     "Stampa",
     "Stampa il registro presenze visualizzato."},
    {&TfrmPlanning::cmdGuida,
     "cmdGuida",
     {892, 26, 37, 39},
     "guida_piccolo",
     "Guida",
     "Visualizza la guida in linea."},
    {&TfrmPlanning::cmdEsci,
     "cmdEsci",
     {933, 26, 37, 39},
     "esci_piccolo",
     "Esci",
     "Esci da questa schermata di lavoro."},
};

// The header band: caption above each read-only field.
struct HeaderRow {
    QLineEdit* TfrmPlanning::*member;
    const char* caption;
    const char* name;
    QRect geometry;
};

const HeaderRow kHeader[] = {
    {&TfrmPlanning::txtPersona, "Cognome e nome:", "txtPersona", {28, 104, 184, 22}},
    {&TfrmPlanning::txtRecapito, "Tel. preferenziale:", "txtRecapito", {222, 104, 148, 22}},
    {&TfrmPlanning::txtCodFisc, "Codice fiscale:", "txtCodFisc", {380, 104, 170, 22}},
    {&TfrmPlanning::txtMansioni, "Mansioni:", "txtMansioni", {560, 104, 210, 22}},
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

QString twoDigits(int day)
{
    return QStringLiteral("%1").arg(day, 2, 10, QLatin1Char('0'));
}

TfrmMenuCamere* selectionScreen()
{
    return qobject_cast<TfrmMenuCamere*>(screens().frmMenuCamere.data());
}

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

    // Hidden on the bottom bar: the record number and the two internal operations.
    lblPosizione = new QLabel(panel);
    lblPosizione->setObjectName(QStringLiteral("lblPosizione"));
    lblPosizione->setGeometry(880, 650, 20, 16);
    lblPosizione->hide();
    cmdSalva = new Picture(panel, QStringLiteral("cmdSalva"), QRect(910, 646, 24, 24),
                           registerArt("salva"), QStringLiteral("Salva"));
    cmdSalva->hide();
    cmdNuovo = new Picture(panel, QStringLiteral("cmdNuovo"), QRect(940, 646, 24, 24),
                           registerArt("nuovo"), QStringLiteral("Nuovo"));
    cmdNuovo->hide();
    connect(cmdSalva, &Picture::clicked, this, &TfrmPlanning::cmdSalvaClick);
    connect(cmdNuovo, &Picture::clicked, this, &TfrmPlanning::cmdNuovoClick);

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

    for (const CommandRow& row : kCommands) {
        auto* command = new Picture(panel, QString::fromLatin1(row.name), row.geometry,
                                    registerArt(row.art), QString::fromLatin1(row.accessibleName));
        command->setClickable(true);
        m_info->setHint(command, QString::fromUtf8(row.hint));
        this->*(row.member) = command;
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
        this->*(row.member) = edit;
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
    (new ShapeRect(panel, QStringLiteral("shpCalendario"), QRect(16, 144, 962, 490)))
        ->gradient(kFill, Qt::white)
        .rounded(5);
    panMemGiorni = new QWidget(panel);
    panMemGiorni->setObjectName(QStringLiteral("panMemGiorni"));
    panMemGiorni->hide();

    for (const MonthInfo& month : MonthTable()) {
        const int y = 152 + 40 * (month.number - 1);
        const QString part = QString::fromLatin1(month.namePart);
        new Picture(panel, QStringLiteral("tit") + part, QRect(24, y, 136, 33),
                    registerArt((QByteArray("mese_") + month.keyPrefix).constData()),
                    QString::fromLatin1(month.textName));
        for (int day = 1; day <= month.days; ++day) {
            const int slot = month.firstSlot + day - 1;
            const QString suffix = part + QLatin1Char('_') + twoDigits(day);
            const QRect place(166 + 26 * (day - 1), y, 24, 33);
            const QString date =
                QString::number(day) + QLatin1Char(' ') + QString::fromLatin1(month.textName);
            DayCell& cell = m_cells[size_t(slot)];
            cell.lib = new DayImage(panel, QStringLiteral("lib") + suffix, place, day, false);
            cell.lib->setAccessibleName(date + QStringLiteral(", assente"));
            cell.occ = new DayImage(panel, QStringLiteral("occ") + suffix, place, day, true);
            cell.occ->setAccessibleName(date + QStringLiteral(", presente"));
            cell.occ->hide();
            cell.mem = new QLabel(panMemGiorni);
            cell.mem->setObjectName(QStringLiteral("mem") + suffix);
            for (DayImage* image : {cell.lib, cell.occ}) {
                m_info->setHint(image, kDayHint);
                connect(image, &DayImage::clicked, this, [this, slot] { dayClick(slot); });
            }
        }
    }
}

void TfrmPlanning::showLook(int slot, bool present)
{
    const DayCell& c = m_cells[size_t(slot)];
    // The look that stays visible is shown first, so the cell never flashes empty.
    if (present) {
        c.occ->show();
        c.lib->hide();
    } else {
        c.lib->show();
        c.occ->hide();
    }
}

QString TfrmPlanning::dayText(int slot) const
{
    return trimText(m_cells[size_t(slot)].mem->text());
}

bool TfrmPlanning::isPresent(int slot) const
{
    return !m_cells[size_t(slot)].occ->isHidden();
}

QStringList TfrmPlanning::dayTexts() const
{
    QStringList texts;
    texts.reserve(kDaysPerYear);
    for (int slot = 0; slot < kDaysPerYear; ++slot)
        texts.append(dayText(slot));
    return texts;
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

bool TfrmPlanning::setDay(const QString& dayKey, const QString& text)
{
    const int slot = slotOfDayKey(dayKey);
    if (slot < 0)
        return false;
    const QString value = trimText(text);
    showLook(slot, !value.isEmpty());
    m_cells[size_t(slot)].mem->setText(value);
    return true;
}

void TfrmPlanning::cmdNuovoClick()
{
    for (int slot = 0; slot < kDaysPerYear; ++slot) {
        showLook(slot, false);
        m_cells[size_t(slot)].mem->clear();
    }
    lblPosizione->clear();
    txtPersona->setFocus(Qt::OtherFocusReason);
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
    cmdNuovoClick();
    QString path;
    if (TfrmMenuCamere* selection = selectionScreen()) {
        txtPersona->setText(trimText(selection->lblPersona->text()));
        txtRecapito->setText(trimText(selection->lblRecapito->text()));
        txtCodFisc->setText(trimText(selection->lblCodFisc->text()));
        txtMansioni->setText(trimText(selection->lblMansioni->text()));
        path = trimText(selection->lblFile->text());
    }
    const OpenedYear year = OpenYear(path);
    for (int slot = 0; slot < kDaysPerYear; ++slot) {
        const QString text = trimText(year.texts.at(slot));
        m_cells[size_t(slot)].mem->setText(text);
        showLook(slot, !text.isEmpty());
    }
    m_problem = year.problem;
    // A year handed over by Apri names a file of the program folder; a calendar shown without
    // one (its hidden label as built) has no year to store and nothing to say.
    m_yearChosen = path.startsWith(programFolder());
    m_openedTexts = dayTexts();
    // The record number is set only when the year can be stored. A year file that exists but
    // could not be read leaves it empty, and the save on leaving then writes nothing, so the
    // stored days are never replaced by this empty calendar.
    if (year.storable()) {
        lblPosizione->setText(QStringLiteral("1"));
    } else if (m_yearChosen) {
        // Said before anything is typed; the calendar stays open for looking.
        showMessage(this, MessageKind::Warning, openingWarning(year.problem));
    }
}

void TfrmPlanning::cmdSalvaClick()
{
    storeYear();
}

bool TfrmPlanning::storeYear()
{
    if (trimText(lblPosizione->text()).isEmpty())
        return false;
    const TfrmMenuCamere* selection = selectionScreen();
    if (!selection)
        return false;
    // A failed save leaves the stored year and the record number as they were.
    if (!SaveYear(trimText(selection->lblFile->text()), dayTexts()))
        return false;
    lblPosizione->setText(QStringLiteral("1"));
    m_openedTexts = dayTexts();
    return true;
}

void TfrmPlanning::dayClick(int slot)
{
    QPointer<TfrmGiorno> dialog = new TfrmGiorno(this);
    dialog->openFor(slot);
    dialog->exec();
    delete dialog.data();
}

// The summary and the two calendar sheet dialogs: a fresh one each time, owned by the calendar,
// modal, destroyed when closed. They read the calendar as it is now.
template <typename Dialog>
static void runDialog(TfrmPlanning* calendar)
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
    const bool stored = storeYear();
    // Days entered that were not stored are said lost once more; a calendar only looked at
    // leaves in silence.
    if (!stored && m_yearChosen && dayTexts() != m_openedTexts)
        showMessage(this, MessageKind::Warning,
                    m_problem == YearProblem::None ? kSaveFailed : kLeftUnstored);
    switchScreen(this, screens().frmAvvio);
}
