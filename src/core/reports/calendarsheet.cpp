#include "core/reports/calendarsheet.h"

#include "core/register/yearfile.h"
#include "core/storage/text.h"

namespace {

const QColor kLightSteelBlue(0xB0, 0xC4, 0xDE);
const QColor kBeige(0xF5, 0xF5, 0xDC);
const QColor kGold(0xFF, 0xD7, 0x00);

const ReportFont kArial12{QStringLiteral("Arial"), 12.0, false, Qt::black};

ReportObject& addText(ReportDocument& sheet, const QString& name, const QRectF& rect,
                      const ReportFont& font, HAlign h, VAlign v, const QString& text)
{
    ReportObject& box = sheet.addObject(ReportObjectKind::Text, name, rect);
    box.font = font;
    box.hAlign = h;
    box.vAlign = v;
    box.wordWrap = false;
    box.expressions = false;
    box.lines = {text};
    box.linesFromTemplate = true;
    return box;
}

void addShape(ReportDocument& sheet, const QString& name, const QRectF& rect, const QColor& fill)
{
    sheet.addObject(ReportObjectKind::Shape, name, rect).fill = fill;
}

// The rows below the grid: a beige caption box and a white value box each.
struct FieldRow {
    const char* captionShape;
    const char* caption;
    const char* valueShape;
    const char* value;
    double top;        // mm
    double valueWidth; // mm, of the value's box; its shape is 3 mm wider
    const char* text;
};

const FieldRow kFieldRows[] = {
    {"Shape5", "Memo14", "Shape16", "txtRecapito", 89, 57, "Telefono:"},
    {"Shape17", "Memo16", "Shape18", "txtCodFisc", 97, 57, "Codice fiscale:"},
    {"Shape19", "Memo15", "Shape20", "txtMansioni", 105, 242, "Mansioni:"},
};

} // namespace

static const MonthInfo& month(int number)
{
    return MonthTable()[size_t(number - 1)];
}

QString sheetCellName(int m, int day)
{
    return QStringLiteral("txt%1_%2")
        .arg(QLatin1String(month(m).namePart))
        .arg(day, 2, 10, QLatin1Char('0'));
}

std::unique_ptr<ReportDocument> makeCalendarSheet()
{
    auto sheet = std::make_unique<ReportDocument>(QStringLiteral("Registro Presenze"));
    ReportDocument& s = *sheet;
    s.setPage(QPageSize::A4, QPageLayout::Landscape, 10.0);

    // Title bar.
    addShape(s, QStringLiteral("Shape1"), mmRect(1, 1, 276, 5.8), kLightSteelBlue);
    addText(s, QStringLiteral("txtTitolo"), mmRect(2, 2, 274, 4.2), kArial12, HAlign::Centre,
            VAlign::Centre, QStringLiteral("REGISTRO PRESENZE"));

    // Day numbers.
    addShape(s, QStringLiteral("Shape2"), mmRect(1, 7, 276, 4.6), QColor());
    const ReportFont small{QStringLiteral("Arial"), 9.333, false, Qt::black};
    for (int d = 1; d <= 31; ++d) {
        addText(s, QStringLiteral("tit_%1").arg(d, 2, 10, QLatin1Char('0')),
                mmRect(31 + 8 * (d - 1), 8, d == 31 ? 5.6 : 6, 3.5), small, HAlign::Centre,
                VAlign::Centre, QString::number(d));
    }

    // Month rows: the rectangle, then its caption.
    for (int m = 1; m <= 12; ++m) {
        const QString number = QStringLiteral("%1").arg(m, 2, 10, QLatin1Char('0'));
        addShape(s, QStringLiteral("shpMese") + number, mmRect(1, 12 + 6 * (m - 1), 276, 6),
                 m % 2 == 1 ? kBeige : QColor());
        addText(s, QStringLiteral("lblMese") + number, mmRect(2, 12.8 + 6 * (m - 1), 27, 4.4),
                kArial12, HAlign::Left, VAlign::Centre,
                upperAZ(QString::fromLatin1(month(m).textName)) + QLatin1Char(':'));
    }

    // Column rules from the top of the day numbers to the bottom of December.
    for (int k = 0; k <= 30; ++k) {
        s.addObject(ReportObjectKind::Line,
                    QStringLiteral("linColonna%1").arg(k + 1, 2, 10, QLatin1Char('0')),
                    mmRect(30 + 8 * k, 7, 0, 77));
    }

    // Day cells; the day-31 cells are narrower so that they end inside the page.
    for (int m = 1; m <= 12; ++m) {
        for (int d = 1; d <= month(m).days; ++d) {
            addText(s, sheetCellName(m, d),
                    mmRect(31 + 8 * (d - 1), 13 + 6 * (m - 1), d == 31 ? 5.2 : 6, 4.4), kArial12,
                    HAlign::Centre, VAlign::Centre, QStringLiteral("X"));
        }
    }

    // Telephone, codice fiscale and duties.
    for (const FieldRow& row : kFieldRows) {
        addShape(s, QString::fromLatin1(row.captionShape), mmRect(1, row.top, 29, 6), kBeige);
        addText(s, QString::fromLatin1(row.caption), mmRect(2, row.top + 0.7, 27, 4.4), kArial12,
                HAlign::Left, VAlign::Centre, QString::fromLatin1(row.text));
        addShape(s, QString::fromLatin1(row.valueShape), mmRect(32, row.top, row.valueWidth + 3, 6),
                 Qt::white);
        addText(s, QString::fromLatin1(row.value), mmRect(34, row.top + 0.7, row.valueWidth, 4.4),
                kArial12, HAlign::Left, VAlign::Centre, QString());
    }

    // Closing bar.
    addShape(s, QStringLiteral("Shape23"), mmRect(1, 120, 276, 5.8), kGold);
    addText(s, QStringLiteral("txtCalce"), mmRect(2, 121, 274, 4.2),
            {QStringLiteral("Arial"), 10.667, false, Qt::black}, HAlign::Centre, VAlign::Centre,
            QStringLiteral("Data e ora stampa"));
    return sheet;
}

void fillCalendarSheet(ReportDocument& sheet, const CalendarSheetData& data)
{
    sheet.setOrientation(QPageLayout::Landscape);
    auto set = [&](const QString& name, const QString& text) {
        if (ReportObject* box = sheet.text(name))
            box->setText(text);
    };
    set(QStringLiteral("txtTitolo"), QStringLiteral("Registro Presenze di ") + trimText(data.person)
                                         + QStringLiteral("  -  Anno ") + trimText(data.year));
    set(QStringLiteral("txtRecapito"), trimText(data.recapito));
    set(QStringLiteral("txtCodFisc"), trimText(data.codFisc));
    set(QStringLiteral("txtMansioni"), trimText(data.mansioni));
    int slot = 0;
    for (int m = 1; m <= 12; ++m) {
        for (int d = 1; d <= month(m).days; ++d, ++slot)
            set(sheetCellName(m, d),
                data.present[size_t(slot)] ? QStringLiteral("X") : QStringLiteral(" "));
    }
    set(QStringLiteral("txtCalce"), closingLine());
}
