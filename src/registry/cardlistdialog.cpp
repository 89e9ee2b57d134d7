#include "registry/cardlistdialog.h"

#include "core/base/findinlist.h"
#include "core/base/fonts.h"
#include "core/base/formats.h"
#include "core/registry/cardsearch.h"
#include "core/registry/listline.h"
#include "core/reports/listreport.h"
#include "registry/clienti.h"
#include "ui/decor.h"
#include "ui/fieldbehaviour.h"
#include "ui/longwork.h"
#include "ui/messages.h"
#include "ui/reportoutput.h"
#include "ui/storedlines.h"
#include "ui/window.h"

#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyledItemDelegate>

const QString kEmptyListMessage =
    QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce.");

namespace {

const QSize kClientSize(862, 560);
const QSize kPanelSize(833, 529);
// The lines scroll sideways over this width.
constexpr int kItemWidth = 1600;

const QColor kPanelTop(0xE4, 0xE9, 0xEF);
const QColor kPanelBorder(0x8C, 0x9B, 0xAB);
const QColor kFrameBorder(0xA9, 0xB6, 0xC4);
const QColor kCrimson(0xDC, 0x14, 0x3C);

// Every line of the list is as wide as kItemWidth, so the list scrolls sideways over that
// width whatever the lines hold; all lines are as high, so the list never measures them one by
// one.
class FixedWidthLines : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return QSize(kItemWidth, QStyledItemDelegate::sizeHint(option, index).height());
    }
};

struct TextRow {
    const char* name;
    QPoint place;
    const char* text;
    QColor colour;
};

// The texts of the result panel, Verdana.
const TextRow kResultTexts[] = {
    {"lblIstruzioni",
     {8, 66},
     "Immettere una o pi\u00f9 parole consecutive presenti nella scheda in elenco da cercare e "
     "premere il pulsante Trova.",
     Qt::black},
    {"lblIstruzioniTrova",
     {8, 82},
     "Per spostarsi sulla voce successiva contenente la stessa chiave di ricerca, fare di nuovo "
     "clic su Trova.",
     Qt::black},
    {"lblDoppioClic",
     {16, 456},
     "Per richiamare i dati di una scheda, selezionarla con un doppio clic.",
     kCrimson},
};

QLabel* makeText(QWidget* panel, const TextRow& row)
{
    auto* label = new QLabel(QString::fromUtf8(row.text), panel);
    label->setObjectName(QString::fromLatin1(row.name));
    label->setFont(uiFont(QStringLiteral("Verdana"), 11));
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, row.colour);
    label->setPalette(pal);
    label->adjustSize();
    label->move(row.place);
    return label;
}

} // namespace

CardListDialog::CardListDialog(TfrmClienti* cards, const QString& name, const QString& caption)
    : QDialog(cards), m_cards(cards), m_report(makeListReport())
{
    setObjectName(name);
    applyProcessFormats();
    setupFixedWindow(this, caption, kClientSize);
    setWindowGradient(this, Qt::black);
    m_container = makeCentredContainer(this, kPanelSize);
}

CardListDialog::~CardListDialog()
{
    // The list shows the lines held here: it lets go of them before they go.
    if (m_model)
        m_model->show(nullptr);
}

QWidget* CardListDialog::buildResultPanel(const QString& bannerSvg, const QString& bannerText,
                                          const QStringList& tabOrder)
{
    auto* panel = new QWidget(m_container);
    panel->setObjectName(QStringLiteral("panRisultati"));
    panel->setGeometry(QRect(QPoint(0, 0), kPanelSize));
    (new ShapeRect(panel, QStringLiteral("bkgRisultati"), panel->rect()))
        ->gradient(kPanelTop, Qt::white)
        .outline(kPanelBorder)
        .rounded(4);

    titRisultati = new Picture(panel, QStringLiteral("titRisultati"), QRect(8, 8, 817, 53),
                               bannerSvg, bannerText);
    lblIstruzioni = makeText(panel, kResultTexts[0]);
    lblIstruzioniTrova = makeText(panel, kResultTexts[1]);
    lblDoppioClic = makeText(panel, kResultTexts[2]);

    icoLente = new Picture(panel, QStringLiteral("icoLente"), QRect(56, 108, 48, 50),
                           QStringLiteral(":/search/lente.svg"), QStringLiteral("Trova"));
    txtTrova = new QLineEdit(panel);
    txtTrova->setObjectName(QStringLiteral("txtTrova"));
    txtTrova->setGeometry(112, 122, 593, 22);
    txtTrova->setFont(uiFont(QStringLiteral("Verdana"), 12, true));
    txtTrova->setAccessibleName(QStringLiteral("Testo da trovare nell'elenco"));
    btnTrova = makeCommandButton(panel, QStringLiteral("btnTrova"), QStringLiteral("Trova"),
                                 QRect(710, 117, 105, 30));
    setEnterTarget(txtTrova, btnTrova);

    (new ShapeRect(panel, QStringLiteral("shpElenco"), QRect(8, 168, 817, 285)))
        ->fill(Qt::white)
        .outline(kFrameBorder);
    lstRecords = new QListView(panel);
    lstRecords->setObjectName(QStringLiteral("lstRecords"));
    m_model = new StoredLinesModel(lstRecords);
    lstRecords->setModel(m_model);
    lstRecords->setGeometry(16, 176, 801, 273);
    lstRecords->setFont(uiFont(QStringLiteral("Courier New"), 12));
    lstRecords->setAccessibleName(QStringLiteral("Elenco delle schede"));
    lstRecords->setSelectionMode(QAbstractItemView::SingleSelection);
    lstRecords->setUniformItemSizes(true);
    lstRecords->setItemDelegate(new FixedWidthLines(lstRecords));
    lstRecords->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    lstRecords->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    lstRecords->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette pal = lstRecords->palette();
    pal.setColor(QPalette::Text, Qt::black);
    lstRecords->setPalette(pal);
    lstRecords->installEventFilter(this);
    lstRecords->viewport()->installEventFilter(this);

    btnChiudi = makeCommandButton(panel, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"),
                                  QRect(8, 488, 150, 30));
    btnStampa = makeCommandButton(panel, QStringLiteral("btnStampa"), QStringLiteral("Stampa"),
                                  QRect(675, 488, 150, 30));

    connect(btnTrova, &QPushButton::clicked, this, &CardListDialog::btnTrovaClick);
    connect(btnStampa, &QPushButton::clicked, this, &CardListDialog::btnStampaClick);
    connect(btnChiudi, &QPushButton::clicked, this, &CardListDialog::btnChiudiClick);

    QWidget* previous = nullptr;
    for (const QString& name : tabOrder) {
        auto* current = panel->findChild<QWidget*>(name);
        if (previous && current)
            QWidget::setTabOrder(previous, current);
        previous = current;
    }
    return panel;
}

void CardListDialog::setLines(CardLineList lines)
{
    m_model->show(nullptr);
    lines.sort();
    m_lines = std::move(lines);
    m_model->show(&m_lines);
}

void CardListDialog::clearLines()
{
    m_model->show(nullptr);
    m_lines.clear();
}

void CardListDialog::setCurrentLine(int row)
{
    // As a list of one selection does it: the line becomes the current one and the only one
    // selected.
    lstRecords->selectionModel()->setCurrentIndex(m_model->index(row),
                                                  QItemSelectionModel::ClearAndSelect);
}

void CardListDialog::resetFind()
{
    m_lastKey.clear();
    txtTrova->clear();
}

void CardListDialog::focusFindField()
{
    txtTrova->setFocus(Qt::OtherFocusReason);
}

void CardListDialog::btnTrovaClick()
{
    const FindInListResult found = FindInList(
        int(m_lines.size()), [this](int index) { return m_lines.at(index); },
        lstRecords->currentIndex().row(), txtTrova->text(), m_lastKey);
    if (found.outcome == FindInListResult::EmptyList) {
        showMessage(this, MessageKind::Plain, kEmptyListMessage);
        return;
    }
    setCurrentLine(found.selection);
    if (lstRecords->currentIndex().isValid())
        lstRecords->scrollTo(lstRecords->currentIndex());
}

void CardListDialog::lstRecordsDblClick()
{
    // Whatever happens, the dialog closes: without a selected line, or when the registry
    // cannot be read, the card screen keeps what it shows.
    const QModelIndex selected = lstRecords->currentIndex();
    if (selected.isValid() && lstRecords->selectionModel()->isSelected(selected) && m_cards) {
        LongWork work(this, QStringLiteral(" Ricerca della scheda in corso"),
                      QStringLiteral("Schede lette: %1 su %2"));
        const CardOfLine card =
            findCardOfLine(m_lines.at(selected.row()), lastColumn(), work.progress());
        // Stopped by the person: the list stays open, the card screen as it was.
        if (work.stopped())
            return;
        if (card.index >= 0) {
            m_cards->ShowRecord(card.record);
            m_cards->setCardNumber(card.index + 1);
        }
    }
    close();
}

void CardListDialog::btnStampaClick()
{
    printListReport(this, *m_report, reportTitle(), m_lines.toList());
}

void CardListDialog::btnChiudiClick()
{
    close();
}

void CardListDialog::done(int result)
{
    clearLines();
    QDialog::done(result);
}

bool CardListDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (!lstRecords)
        return QDialog::eventFilter(watched, event);
    // A double click on a line opens its card; one below the last line does nothing.
    if (watched == lstRecords->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
        if (lstRecords->indexAt(at).isValid())
            lstRecordsDblClick();
        return true;
    }
    if (watched != lstRecords)
        return QDialog::eventFilter(watched, event);
    // The keyboard reaching the list lands on a line: the current one, or the first, selected.
    if (event->type() == QEvent::FocusIn && m_model->rowCount() > 0) {
        if (!lstRecords->currentIndex().isValid())
            setCurrentLine(0);
        lstRecords->selectionModel()->select(lstRecords->currentIndex(),
                                             QItemSelectionModel::Select);
    }
    // Enter on the list opens the card of the line that has the focus, as a double click does;
    // on a list without lines it does nothing.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            const QModelIndex current = lstRecords->currentIndex();
            if (current.isValid()) {
                lstRecords->selectionModel()->select(current, QItemSelectionModel::Select);
                lstRecordsDblClick();
            }
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
