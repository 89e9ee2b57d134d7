#pragma once

#include <QColor>
#include <QPageLayout>
#include <QPageSize>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// A report document: one page template (paper, orientation, margins) holding named objects,
// either directly on the page or inside bands that are stacked down the page. Screens look
// objects up by name, put their texts in, prepare the pages and then print, preview or export
// them (reportoutput.h).
//
// Units: positions and sizes of objects are in units of 1/96 inch, measured from the top-left
// corner of the printable area (inside the margins) or of the object's band; paper and
// margins are in millimetres. Font sizes are character heights in units (12 units = 9 pt).

constexpr double kUnitsPerMm = 96.0 / 25.4;
inline double mmToUnits(double mm)
{
    return mm * kUnitsPerMm;
}
inline double unitsToMm(double units)
{
    return units / kUnitsPerMm;
}
inline QRectF mmRect(double left, double top, double width, double height)
{
    return QRectF(mmToUnits(left), mmToUnits(top), mmToUnits(width), mmToUnits(height));
}

enum class ReportObjectKind { Text, Shape, Line, Picture };
enum class HAlign { Left, Centre };
enum class VAlign { Top, Centre };

struct ReportFont {
    QString family = QStringLiteral("Arial");
    double height = 12.0; // units
    bool bold = false;
    QColor colour = Qt::black;
};

// One object of a page or band. A single record serves all kinds; each kind reads the fields
// that concern it.
struct ReportObject {
    QString name;
    ReportObjectKind kind = ReportObjectKind::Text;
    QRectF rect; // units; for a line, a zero width (vertical) or zero height (horizontal)

    // Text box and shape: the fill, or an invalid colour for none. Shapes always have a thin
    // black outline; text boxes have none.
    QColor fill;

    // Text box.
    ReportFont font;
    HAlign hAlign = HAlign::Left;
    VAlign vAlign = VAlign::Top;
    bool wordWrap = false;
    // Bracketed names ([DATE]) in the template's own text are replaced when the pages are
    // prepared. Texts that the screens put in are data and always print as they are.
    bool expressions = true;
    // Distance between two lines, in units; 0 means 1.2 times the font height.
    double linePitch = 0.0;
    QStringList lines;
    bool linesFromTemplate = false;

    // Picture: a resource path of an SVG or raster image, scaled to the box.
    QString image;

    // Prepared pages only: where each line starts, relative to the box's left edge, and the
    // top of the first line's slot relative to the box's top. Lines are already wrapped,
    // evaluated and cut to the part that falls inside the box.
    std::vector<double> lineX;
    double firstLineTop = 0.0;

    // Text box: replaces the whole text; each CR LF, CR or LF starts a new line.
    void setText(const QString& text);
    QString text() const { return lines.join(QLatin1Char('\n')); }
    void clearLines();
    void addLine(const QString& line);
    void setHeight(double units) { rect.setHeight(units); }
    double pitch() const { return linePitch > 0 ? linePitch : font.height * 1.2; }
};

enum class BandKind { ReportTitle, MasterData, Footer };

// A band holds objects placed relative to its top-left corner; it is as wide as the
// printable area. The report title band prints once at the top of the first page, the master
// data band once after it (split between two lines where the page is full, when allowed), the
// footer band once right after the master data.
struct ReportBand {
    QString name;
    BandKind kind = BandKind::MasterData;
    double height = 0.0; // units
    bool canSplit = false;
    std::vector<std::unique_ptr<ReportObject>> objects;

    void setHeight(double units) { height = units; }
};

// A prepared page: the objects as they come out on paper, in drawing order, with their
// positions relative to the printable area.
struct PreparedPage {
    std::vector<ReportObject> items;

    // The items made from the template object of that name (a text split over two pages has
    // one piece on each).
    const ReportObject* find(const QString& name) const;
};

class ReportDocument {
public:
    explicit ReportDocument(const QString& name);
    ReportDocument(const ReportDocument&) = delete;
    ReportDocument& operator=(const ReportDocument&) = delete;

    QString name() const { return m_name; }

    // The report page.
    void setPage(QPageSize::PageSizeId paper, QPageLayout::Orientation orientation,
                 double marginMm);
    void setOrientation(QPageLayout::Orientation orientation);
    QPageLayout pageLayout() const;
    QSizeF printableSize() const; // units

    // Building the template.
    ReportObject& addObject(ReportObjectKind kind, const QString& name, const QRectF& rect);
    ReportBand& addBand(BandKind kind, const QString& name, double height, bool canSplit = false);
    ReportObject& addBandObject(ReportBand& band, ReportObjectKind kind, const QString& name,
                                const QRectF& rect);

    // Looking objects up: anywhere in the document, by name; null when there is none (or it is
    // of another kind).
    ReportObject* object(const QString& name);
    ReportObject* text(const QString& name);
    ReportBand* band(const QString& name);

    int objectCount(ReportObjectKind kind) const;

    // Discards the pages prepared before and lays out new ones from the template and the
    // texts now in its boxes.
    void prepare();
    const std::vector<PreparedPage>& preparedPages() const { return m_pages; }
    void discardPages() { m_pages.clear(); }

private:
    QString m_name;
    QPageSize::PageSizeId m_paper = QPageSize::A4;
    QPageLayout::Orientation m_orientation = QPageLayout::Portrait;
    double m_marginMm = 10.0;
    std::vector<std::unique_ptr<ReportObject>> m_objects; // directly on the page
    std::vector<std::unique_ptr<ReportBand>> m_bands;     // in stacking order
    std::vector<PreparedPage> m_pages;
};

// The closing line of printed documents, read from the system's clock:
// "Stampa eseguita in data 05/03/2024 alle ore 09:05:03".
QString closingLine();
