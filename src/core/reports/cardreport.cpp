#include "core/reports/cardreport.h"

namespace {

const QColor kDarkOrange(0xFF, 0x8C, 0x00);
const QColor kTeal(0x00, 0x80, 0x80);

// Millimetres from the top-left corner of the printable area.
constexpr double kRowsTop = 24.0;
constexpr double kRowPitch = 10.0;
constexpr double kRowHeight = 6.0;
constexpr double kLabelLeft = 3.0;
constexpr double kLabelWidth = 52.0;
constexpr double kValueLeft = 60.0;
constexpr double kValueWidth = 128.0;

// A text box of the card: no word wrap, no evaluation of bracketed names, vertically centred.
struct CardBox {
    const char* name; // nullptr for the rows' boxes, named by number
    double left, top, width, height;
    QColor fill; // invalid: no fill
    double fontHeight;
    QColor colour;
    HAlign align;
};

const CardBox kTitle{"txtTitolo", 23, 3, 165, 9, kDarkOrange, 21.333, Qt::white, HAlign::Centre};
const CardBox kLabel{nullptr, kLabelLeft, 0,         kLabelWidth, kRowHeight,
                     kTeal,   12.0,       Qt::white, HAlign::Left};
const CardBox kValue{nullptr,  kValueLeft, 0,         kValueWidth, kRowHeight,
                     QColor(), 13.333,     Qt::black, HAlign::Left};
const CardBox kClosing{"txtCalce", 3, 269, 185, 6, kDarkOrange, 13.333, Qt::white, HAlign::Centre};

void addBox(ReportDocument& card, const CardBox& box, const QString& name, double top,
            const QString& text)
{
    ReportObject& o =
        card.addObject(ReportObjectKind::Text, name, mmRect(box.left, top, box.width, box.height));
    o.fill = box.fill;
    o.font = {QStringLiteral("Arial"), box.fontHeight, false, box.colour};
    o.hAlign = box.align;
    o.vAlign = VAlign::Centre;
    o.wordWrap = false;
    o.expressions = false;
    o.lines = {text};
    o.linesFromTemplate = true;
}

QString numbered(const char* prefix, int row)
{
    return QLatin1String(prefix) + QStringLiteral("%1").arg(row, 2, 10, QLatin1Char('0'));
}

} // namespace

QString cardReportName()
{
    return QStringLiteral("Scheda informativa");
}

QString cardLabelName(int row)
{
    return numbered("titCampo", row);
}

QString cardValueName(int row)
{
    return numbered("txtCampo", row);
}

std::unique_ptr<ReportDocument> makeCardReport()
{
    auto card = std::make_unique<ReportDocument>(cardReportName());
    card->setPage(QPageSize::A4, QPageLayout::Portrait, 10.0);

    card->addObject(ReportObjectKind::Picture, QStringLiteral("imgLogo"), mmRect(3, 3, 17, 13))
        .image = QStringLiteral(":/cardprint/logo.svg");
    addBox(*card, kTitle, QLatin1String(kTitle.name), kTitle.top, QStringLiteral("Titolo Scheda"));
    card->addObject(ReportObjectKind::Line, QStringLiteral("linSepara01"), mmRect(23, 16, 165, 0));

    for (int row = 1; row <= kCardReportRows; ++row) {
        const double top = kRowsTop + kRowPitch * (row - 1);
        const QString text = QStringLiteral("Campo %1").arg(row);
        addBox(*card, kLabel, cardLabelName(row), top, text);
        addBox(*card, kValue, cardValueName(row), top, text);
    }

    card->addObject(ReportObjectKind::Line, QStringLiteral("linSepara02"), mmRect(3, 265, 185, 0));
    addBox(*card, kClosing, QLatin1String(kClosing.name), kClosing.top,
           QStringLiteral("Termine scheda"));
    return card;
}
