#include "register/riepprenotazioni.h"

#include "core/base/findinlist.h"
#include "core/base/fonts.h"
#include "core/register/yearfile.h"
#include "core/reports/listreport.h"
#include "core/storage/text.h"
#include "register/planning.h"
#include "ui/decor.h"
#include "ui/fieldbehaviour.h"
#include "ui/messages.h"
#include "ui/reportoutput.h"
#include "ui/window.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

constexpr int kDateColumnWidth = 15;

QLabel* line(QWidget* parent, const char* name, const QString& text, QPoint at)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(uiFont(QStringLiteral("Verdana"), 11));
    label->setWordWrap(false);
    label->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    label->move(at);
    label->adjustSize();
    return label;
}

} // namespace

TfrmRiepPrenotazioni::TfrmRiepPrenotazioni(TfrmPlanning* calendar)
    : QDialog(calendar), m_calendar(calendar), m_report(makeListReport())
{
    setObjectName(QStringLiteral("frmRiepPrenotazioni"));
    setupFixedWindow(this, QStringLiteral(" Riepilogo presenze e attivit\u00e0"), QSize(862, 560));
    setWindowGradient(this, QColor(Qt::black));
    QWidget* panel = makeCentredContainer(this, QSize(833, 529));

    imgLogo = new Picture(panel, QStringLiteral("imgLogo"), QRect(8, 8, 817, 53),
                          QStringLiteral(":/reports/riepilogo_banner.svg"),
                          QStringLiteral("Riepilogo presenze e attivit\u00e0"));
    lblRigo01 = line(panel, "lblRigo01",
                     QStringLiteral("Immettere una o pi\u00f9 parole consecutive presenti nella "
                                    "scheda in elenco da cercare e premere il pulsante Trova."),
                     QPoint(8, 66));
    lblRigo02 = line(panel, "lblRigo02",
                     QStringLiteral("Per spostarsi sulla voce successiva contenente la stessa "
                                    "chiave di ricerca, fare di nuovo clic su Trova."),
                     QPoint(8, 82));
    (new ShapeRect(panel, QStringLiteral("shpLente"), QRect(8, 104, 81, 57)))->fill(Qt::white);
    imgLente = new Picture(panel, QStringLiteral("imgLente"), QRect(16, 112, 64, 41),
                           QStringLiteral(":/reports/lente.svg"));
    (new ShapeRect(panel, QStringLiteral("shpSfondo"), QRect(96, 104, 729, 57)))
        ->gradient(Qt::black, Qt::white);
    txtTrova = new QLineEdit(panel);
    txtTrova->setObjectName(QStringLiteral("txtTrova"));
    txtTrova->setGeometry(112, 122, 593, 22);
    txtTrova->setFont(uiFont(QStringLiteral("Verdana"), 12, true));
    txtTrova->setAccessibleName(QStringLiteral("Parole da cercare"));
    btnTrova = makeCommandButton(panel, QStringLiteral("btnTrova"), QStringLiteral("Trova"),
                                 QRect(710, 117, 105, 30));

    (new ShapeRect(panel, QStringLiteral("shpLista"), QRect(8, 168, 817, 313)))
        ->gradient(Qt::black, Qt::white);
    lstRecords = new QListWidget(panel);
    lstRecords->setObjectName(QStringLiteral("lstRecords"));
    lstRecords->setGeometry(16, 176, 801, 297);
    lstRecords->setAccessibleName(QStringLiteral("Presenze e attivit\u00e0"));
    // Fixed-width lines in their own font and colour, so the date columns line up.
    lstRecords->setFont(uiFont(QStringLiteral("Courier New"), 12));
    lstRecords->setStyleSheet(
        QStringLiteral("QListWidget { color: black; background: white; }"
                       "QListWidget::item:selected { color: white; background: #3166C6; }"));
    lstRecords->setSelectionMode(QAbstractItemView::SingleSelection);
    useDesignColours(lstRecords);

    btnChiudi = makeCommandButton(panel, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"),
                                  QRect(8, 488, 150, 30));
    btnStampa = makeCommandButton(panel, QStringLiteral("btnStampa"), QStringLiteral("Stampa"),
                                  QRect(675, 488, 150, 30));
    for (QPushButton* b : {btnTrova, btnChiudi, btnStampa})
        b->setAutoDefault(false);

    setTabOrder(txtTrova, btnStampa);
    setTabOrder(btnStampa, btnChiudi);
    setTabOrder(btnChiudi, btnTrova);
    setTabOrder(btnTrova, lstRecords);
    setEnterTarget(txtTrova, btnTrova);

    connect(btnTrova, &QPushButton::clicked, this, &TfrmRiepPrenotazioni::btnTrovaClick);
    connect(btnStampa, &QPushButton::clicked, this, &TfrmRiepPrenotazioni::btnStampaClick);
    connect(btnChiudi, &QPushButton::clicked, this, &TfrmRiepPrenotazioni::btnChiudiClick);

    buildList();
}

TfrmRiepPrenotazioni::~TfrmRiepPrenotazioni() = default;

QString TfrmRiepPrenotazioni::dateColumn(int slot)
{
    const MonthDay date = slotDate(slot);
    if (date.month == 0)
        return QString();
    return (QStringLiteral("%1 ").arg(date.day, 2, 10, QLatin1Char('0'))
            + QString::fromLatin1(MonthTable()[size_t(date.month - 1)].textName))
        .leftJustified(kDateColumnWidth, QLatin1Char(' '), true);
}

QString& TfrmRiepPrenotazioni::lastSearchKey()
{
    static QString key;
    return key;
}

void TfrmRiepPrenotazioni::buildList()
{
    txtTrova->clear();
    lstRecords->clear();
    lstRecords->setUpdatesEnabled(false);
    for (int slot = 0; slot < kDaysPerYear; ++slot) {
        const QString text = m_calendar->year().text(slot);
        if (!text.isEmpty())
            lstRecords->addItem(dateColumn(slot) + text);
    }
    lstRecords->setUpdatesEnabled(true);
    // Long lines run past the right edge and are reached by scrolling, never wrapped.
    lstRecords->setWordWrap(false);
    lstRecords->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    lstRecords->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    lstRecords->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    txtTrova->setFocus(Qt::OtherFocusReason);
}

void TfrmRiepPrenotazioni::btnTrovaClick()
{
    QStringList items;
    for (int i = 0; i < lstRecords->count(); ++i)
        items << lstRecords->item(i)->text();
    const FindInListResult result =
        FindInList(items, lstRecords->currentRow(), txtTrova->text(), lastSearchKey());
    if (result.outcome == FindInListResult::EmptyList) {
        showMessage(this, MessageKind::Plain,
                    QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));
        return;
    }
    lstRecords->setCurrentRow(result.selection);
    lstRecords->scrollToItem(lstRecords->item(result.selection));
}

void TfrmRiepPrenotazioni::btnStampaClick()
{
    QStringList lines;
    for (int i = 0; i < lstRecords->count(); ++i)
        lines << lstRecords->item(i)->text();
    const QString title = QStringLiteral("Riepilogo presenze e attivit\u00e0 di ")
                          + m_calendar->persona() + QStringLiteral(" anno ") + m_calendar->anno();
    printListReport(this, *m_report, title, lines);
}

void TfrmRiepPrenotazioni::btnChiudiClick()
{
    close();
}

void TfrmRiepPrenotazioni::closeEvent(QCloseEvent* event)
{
    lstRecords->clear();
    QDialog::closeEvent(event);
}
