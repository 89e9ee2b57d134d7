#include "registry/clienti.h"

#include "core/base/fonts.h"
#include "core/base/formats.h"
#include "ui/decor.h"
#include "ui/fieldbehaviour.h"
#include "ui/infoline.h"
#include "ui/screenflow.h"
#include "ui/window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>
#include <QWheelEvent>

namespace {

const QColor kSectionFill(0xEC, 0xEF, 0xEF);
const QColor kPanelBorder(0xBE, 0xD7, 0xF9);
constexpr int kSectionPicture = 96; // the white square at the left of each section

// Forgets which code of the list was picked; the text typed or picked stays.
void clearListSelection(QComboBox* box)
{
    const QString text = box->currentText();
    box->setCurrentIndex(-1);
    box->setEditText(text);
}

// What a screen reader calls a field: its caption; the two province boxes, both captioned
// "Prov.", say whose province they hold.
QString accessibleFieldName(const CardFieldRow& row)
{
    if (row.field == AnagraficaField::ProvRes)
        return QStringLiteral("Provincia di residenza");
    if (row.field == AnagraficaField::ProvNasc)
        return QStringLiteral("Provincia di nascita");
    return QString::fromUtf8(row.caption);
}

// Moves a province box from the code it shows to the code before (step -1) or after (+1) it in
// the list. A text that is no code of the list (typed by hand, or none at all) stays as it is
// until the user picks from the list.
void stepProvince(QComboBox* box, int step)
{
    const int at = box->findText(box->currentText(), Qt::MatchFixedString | Qt::MatchCaseSensitive);
    const int next = at + step;
    if (at < 0 || next < 0 || next >= box->count())
        return;
    box->setCurrentIndex(next);
    box->setEditText(box->itemText(next));
}

// The step an arrow key or a wheel turn asks of a province box: -1, +1, or 0 for no step.
int provinceStep(const QEvent* event)
{
    if (event->type() == QEvent::Wheel) {
        const int delta = static_cast<const QWheelEvent*>(event)->angleDelta().y();
        return delta > 0 ? -1 : delta < 0 ? 1 : 0;
    }
    const auto* key = static_cast<const QKeyEvent*>(event);
    if (key->modifiers() & (Qt::AltModifier | Qt::ControlModifier))
        return 0; // Alt+Down opens the list; Ctrl is the edit's own
    switch (key->key()) {
    case Qt::Key_Up:
    case Qt::Key_PageUp:
        return -1;
    case Qt::Key_Down:
    case Qt::Key_PageDown:
        return 1;
    default:
        return 0;
    }
}

} // namespace

TfrmClienti::TfrmClienti(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmClienti"));
    applyProcessFormats();
    setupMaximisedWindow(this, QStringLiteral(" Vestrano - Archivio anagrafico"));
    setWindowGradient(this, QColor(0x43, 0x6C, 0xCA));

    QWidget* panel = makeCentredContainer(this, QSize(995, 692));
    // The frame is built first, so that it lies behind the hint bar; its pictures empty the
    // hint bar once the bar exists.
    const QList<QWidget*> background = buildFrame(panel);
    m_info = new InfoLine(panel, QRect(16, 642, 777, 32),
                          QStringLiteral("Pronto per archiviare una nuova scheda..."));
    for (QWidget* picture : background)
        m_info->addClearer(picture);
    buildFields(panel);
    buildCommands(panel);
    m_info->addClearer(this);
    m_info->addClearer(panel);
}

// The frame, the five sections with their pictures, the command column, the decorative
// picture and the navigation bar's box: everything drawn behind the controls.
QList<QWidget*> TfrmClienti::buildFrame(QWidget* panel)
{
    QList<QWidget*> pictures;
    auto* frame = new ShapeRect(panel, QStringLiteral("bkgCornice"), QRect(8, 8, 977, 675));
    frame->gradient(QColor(0x46, 0x82, 0xBE), Qt::white);
    for (const SectionRow& row : sectionTable()) {
        auto* section = new ShapeRect(panel, QString::fromLatin1(row.control), row.geometry);
        section->fill(kSectionFill).outline(Qt::white);
        const QString name = QString::fromLatin1(row.control).mid(3);
        const QRect square(24, row.geometry.top() + (row.geometry.height() - kSectionPicture) / 2,
                           kSectionPicture, kSectionPicture);
        (new ShapeRect(panel, QStringLiteral("bkg") + name, square))->fill(Qt::white);
        auto* picture =
            new Picture(panel, QStringLiteral("ico") + name, square.adjusted(6, 6, -6, -6),
                        QString::fromLatin1(row.picture), QString::fromUtf8(row.accessibleName));
        pictures.append(picture);
    }

    auto* commands = new ShapeRect(panel, QStringLiteral("shpComandi"), QRect(800, 16, 177, 489));
    commands->fill(Qt::white).outline(kPanelBorder);
    auto* decor = new Picture(panel, QStringLiteral("icoArchivio"), QRect(800, 512, 177, 121),
                              QStringLiteral(":/registry/archivio.svg"),
                              QStringLiteral("Archivio anagrafico"));
    pictures.append(decor);
    auto* navigation =
        new ShapeRect(panel, QStringLiteral("shpNavigazione"), QRect(800, 642, 177, 32));
    navigation->fill(Qt::white).outline(kPanelBorder);

    // The at-sign between the PEC and e-mail fields: a picture, no command.
    (new ShapeRect(panel, QStringLiteral("bkgChiocciola"), QRect(414, 232, 43, 40)))
        ->fill(Qt::white);
    auto* at = new Picture(panel, QStringLiteral("icoChiocciola"), QRect(418, 235, 35, 34),
                           QStringLiteral(":/registry/chiocciola.svg"), QStringLiteral("Posta"));
    pictures.append(at);
    return pictures;
}

// The 31 text fields from their table: caption, edit (or province box), highlight, input
// rules and Enter chain; then the recontact box and the card's number.
void TfrmClienti::buildFields(QWidget* panel)
{
    const QFont editFont = uiFont(QStringLiteral("Verdana"), 12, true);
    const QFont captionFont = uiFont(QStringLiteral("Verdana"), 11);
    for (const CardFieldRow& row : cardFieldTable()) {
        const size_t i = size_t(row.field);
        const QString name = QString::fromLatin1(row.control);

        auto* caption = new QLabel(QString::fromUtf8(row.caption), panel);
        caption->setObjectName(QStringLiteral("lbl") + name.mid(3));
        caption->setFont(captionFont);
        caption->adjustSize();
        caption->move(row.geometry.left(), row.geometry.top() - 17);

        QLineEdit* edit = nullptr;
        QWidget* control = nullptr;
        if (row.provinceBox) {
            auto* box = new QComboBox(panel);
            box->setEditable(true);
            box->setCompleter(nullptr); // any two characters may be typed
            box->setInsertPolicy(QComboBox::NoInsert);
            box->addItems(provinceCodes());
            box->setCurrentIndex(-1);
            box->setMaxVisibleItems(16);
            // The wheel never takes the focus to the box; see eventFilter for what it does there.
            box->setFocusPolicy(Qt::StrongFocus);
            box->installEventFilter(this);
            edit = box->lineEdit();
            edit->setObjectName(name + QStringLiteral("Edit"));
            control = box;
        } else {
            edit = new QLineEdit(panel);
            control = edit;
        }
        control->setObjectName(name);
        control->setGeometry(row.geometry);
        control->setFont(editFont);
        control->setAccessibleName(accessibleFieldName(row));
        edit->setAccessibleName(control->accessibleName());
        control->setMouseTracking(true); // text fields leave the hint bar as it is
        edit->setMouseTracking(true);
        edit->setFont(editFont);
        edit->setMaxLength(row.maxLength);
        edit->setFrame(true);
        if (row.centred)
            edit->setAlignment(Qt::AlignCenter);
        attachFocusHighlight(control);
        new InputRuleKeeper(edit, control, row.filter, row.rules);
        if (row.field == AnagraficaField::Iban)
            cleanPastedText(edit, withoutBlanks); // the printed form's groups come in whole
        caption->setBuddy(control);
        m_controls[i] = control;
        m_edits[i] = edit;
    }

    chkRicontatta = new QCheckBox(QStringLiteral("Da ricontattare"), panel);
    chkRicontatta->setObjectName(QStringLiteral("chkRicontatta"));
    chkRicontatta->setGeometry(640, 536, 145, 25);
    chkRicontatta->setFont(uiFont(QStringLiteral("Verdana"), 12, true));
    chkRicontatta->setCursor(Qt::PointingHandCursor);
    m_info->setHint(chkRicontatta,
                    QStringLiteral("Annota che il cliente \u00e8 da ricontattare per questioni in "
                                   "sospeso."));

    // Tab order follows the table, with the recontact box at position 29.
    QWidget* previous = nullptr;
    for (const CardFieldRow& row : cardFieldTable()) {
        QWidget* current = m_controls[size_t(row.field)];
        if (row.tab == 30) {
            QWidget::setTabOrder(previous, chkRicontatta);
            previous = chkRicontatta;
        }
        if (previous)
            QWidget::setTabOrder(previous, current);
        previous = current;
    }
    for (const CardFieldRow& row : cardFieldTable())
        setEnterTarget(
            m_controls[size_t(row.field)],
            m_controls[size_t(cardFieldRow(QString::fromLatin1(row.enterMovesTo))->field)]);

    lblPosizione = new QLabel(panel);
    lblPosizione->setObjectName(QStringLiteral("lblPosizione"));
    lblPosizione->setGeometry(846, 650, 82, 17);
    lblPosizione->setFont(uiFont(QStringLiteral("Verdana"), 12, true));
    lblPosizione->setAlignment(Qt::AlignCenter);
    // A reader hears the number itself (a label's name is its text) and what it is.
    lblPosizione->setAccessibleDescription(QStringLiteral("Numero della scheda"));
    m_info->addClearer(lblPosizione);
}

// The command column, the small buttons beside their fields and the four arrows, each with
// its hint and its handler.
void TfrmClienti::buildCommands(QWidget* panel)
{
    using Handler = void (TfrmClienti::*)();
    const Handler commandHandlers[] = {
        &TfrmClienti::cmdNuovoClick,      &TfrmClienti::cmdDuplicaClick,
        &TfrmClienti::cmdFileClick,       &TfrmClienti::cmdSalvaClick,
        &TfrmClienti::cmdTrovaClick,      &TfrmClienti::cmdAnteprimaClick,
        &TfrmClienti::cmdStampaClick,     &TfrmClienti::cmdPDFClick,
        &TfrmClienti::cmdRicontattaClick, &TfrmClienti::cmdEsportaClick,
        &TfrmClienti::cmdGuidaClick,      &TfrmClienti::cmdEsciClick,
    };
    const Handler smallHandlers[] = {
        &TfrmClienti::btnEmailClick, &TfrmClienti::btnCodFiscClick,
        &TfrmClienti::btnCartaClick, &TfrmClienti::btnPartitaIvaClick,
        &TfrmClienti::btnIbanClick,
    };
    const Handler arrowHandlers[] = {
        &TfrmClienti::imgPrimaClick,
        &TfrmClienti::imgPrecedenteClick,
        &TfrmClienti::imgSuccessivaClick,
        &TfrmClienti::imgUltimaClick,
    };

    auto makeButton = [&](const char* name, const QRect& geometry, const char* picture,
                          const QString& accessibleName, const char* hint, Handler handler) {
        auto* button = new Picture(panel, QString::fromLatin1(name), geometry,
                                   QString::fromLatin1(picture), accessibleName);
        button->setClickable(true);
        connect(button, &Picture::clicked, this, handler);
        m_info->setHint(button, QString::fromUtf8(hint));
    };
    size_t i = 0;
    for (const CommandRow& row : commandTable())
        makeButton(row.control, QRect(814, row.y, 148, 32), row.picture,
                   QString::fromUtf8(row.caption), row.hint, commandHandlers[i++]);
    i = 0;
    for (const PictureButtonRow& row : smallButtonTable())
        makeButton(row.control, row.geometry, row.picture, QString::fromUtf8(row.accessibleName),
                   row.hint, smallHandlers[i++]);
    i = 0;
    for (const PictureButtonRow& row : arrowTable())
        makeButton(row.control, row.geometry, row.picture, QString::fromUtf8(row.accessibleName),
                   row.hint, arrowHandlers[i++]);
}

QLineEdit* TfrmClienti::edit(AnagraficaField field) const
{
    return size_t(field) < m_edits.size() ? m_edits[size_t(field)] : nullptr;
}

QWidget* TfrmClienti::control(AnagraficaField field) const
{
    return size_t(field) < m_controls.size() ? m_controls[size_t(field)] : nullptr;
}

QComboBox* TfrmClienti::provinceBox(AnagraficaField field) const
{
    return qobject_cast<QComboBox*>(control(field));
}

void TfrmClienti::clearCard()
{
    for (QLineEdit* e : m_edits)
        e->clear();
    chkRicontatta->setChecked(false);
    m_attachments = {};
}

void TfrmClienti::resetProvinceSelections()
{
    for (AnagraficaField f : {AnagraficaField::ProvRes, AnagraficaField::ProvNasc})
        clearListSelection(provinceBox(f));
}

void TfrmClienti::showEvent(QShowEvent* event)
{
    // A window restored by the window system keeps its card; only the start menu's opening
    // starts from a blank one.
    if (!event->spontaneous()) {
        clearCard();
        setCardNumber(0);
        control(AnagraficaField::Cognome)->setFocus(Qt::OtherFocusReason);
    }
    QWidget::showEvent(event);
}

void TfrmClienti::closeEvent(QCloseEvent* event)
{
    // Nothing is saved: a card not yet saved is given up without a question.
    switchScreen(this, screens().frmAvvio);
    event->accept();
}

// The province boxes: receiving the focus resets the list selection; the arrow keys and the
// wheel step from the code shown to its neighbour in the list, and only in the box that has
// the focus: the wheel passing over another box changes nothing there.
bool TfrmClienti::eventFilter(QObject* watched, QEvent* event)
{
    auto* box = qobject_cast<QComboBox*>(watched);
    if (!box)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::FocusIn:
        clearListSelection(box);
        break;
    case QEvent::Wheel:
        if (box->hasFocus())
            stepProvince(box, provinceStep(event));
        return true;
    case QEvent::KeyPress:
        if (const int step = provinceStep(event)) {
            stepProvince(box, step);
            return true;
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void TfrmClienti::cmdEsciClick()
{
    close();
}
