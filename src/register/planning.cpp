#include "register/planning.h"

#include "core/base/fonts.h"
#include "core/base/formats.h"
#include "core/help/helptexts.h"
#include "core/storage/text.h"
#include "help/guida.h"
#include "register/artwork.h"
#include "register/calendarsheetdialog.h"
#include "register/dayimage.h"
#include "register/giorno.h"
#include "register/menucamere.h"
#include "register/riepprenotazioni.h"
#include "ui/decor.h"
#include "ui/infoline.h"
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
        edit->setAccessibleName(QString::fromUtf8(row.caption));
        edit->setStyleSheet(QStringLiteral(
            "QLineEdit { background: #F0F8FF; border: 1px solid #87CEEB; padding: 0 2px; }"));
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
    txtAnno->setAccessibleName(QStringLiteral("Anno"));
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
    bool loaded = false;
    const QStringList texts = LoadYear(path, &loaded);
    for (int slot = 0; slot < kDaysPerYear; ++slot) {
        const QString text = trimText(texts.at(slot));
        m_cells[size_t(slot)].mem->setText(text);
        showLook(slot, !text.isEmpty());
    }
    // The record number is set only when the year was really read. A year file that exists
    // but could not be read leaves it empty, and the save on leaving then writes nothing, so
    // the stored days are never replaced by this empty calendar.
    if (loaded)
        lblPosizione->setText(QStringLiteral("1"));
}

void TfrmPlanning::cmdSalvaClick()
{
    if (trimText(lblPosizione->text()).isEmpty())
        return;
    const TfrmMenuCamere* selection = selectionScreen();
    if (!selection)
        return;
    // A failed save is silent; the record number stays as it was.
    if (SaveYear(trimText(selection->lblFile->text()), dayTexts()))
        lblPosizione->setText(QStringLiteral("1"));
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

void TfrmPlanning::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (!isVisible())
        return;
    cmdSalvaClick();
    switchScreen(this, screens().frmAvvio);
}
