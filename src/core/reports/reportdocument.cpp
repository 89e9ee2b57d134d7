#include "core/reports/reportdocument.h"

#include "core/base/clock.h"
#include "core/base/formats.h"
#include "core/reports/reporttext.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kEpsilon = 1e-6;

bool crosses(const ReportObject& o, double cut)
{
    return o.rect.top() < cut - kEpsilon && o.rect.bottom() > cut + kEpsilon;
}

// A prepared text box with lines can be cut between two of them.
bool hasLineSlots(const ReportObject& o)
{
    return o.kind == ReportObjectKind::Text && !o.lines.isEmpty();
}

// Lowers a page cut so that it falls between two lines of every text box it would cross and
// above every other object it would cross.
double adjustCut(const std::vector<ReportObject>& objects, double cut)
{
    for (int round = 0; round < 8; ++round) {
        double adjusted = cut;
        for (const ReportObject& o : objects) {
            if (!crosses(o, adjusted))
                continue;
            if (hasLineSlots(o)) {
                const double first = o.rect.top() + o.firstLineTop;
                const double pitch = o.pitch();
                const int fitting = int(std::floor((adjusted - first) / pitch + kEpsilon));
                if (fitting >= o.lines.size())
                    continue; // every line fits above the cut; only empty box is cut off
                adjusted = fitting <= 0 ? o.rect.top() : first + fitting * pitch;
            } else {
                adjusted = o.rect.top();
            }
        }
        if (adjusted == cut)
            break;
        cut = adjusted;
    }
    return cut;
}

// Copies the part of the band between a and b onto page, the band's line a at y.
void placePortion(PreparedPage& page, const std::vector<ReportObject>& objects, double a, double b,
                  double y)
{
    const double shift = y - a;
    for (const ReportObject& o : objects) {
        const double top = o.rect.top();
        const double bottom = o.rect.bottom();
        const bool startsHere = top >= a - kEpsilon && (top < b - kEpsilon || top <= a + kEpsilon);
        if (startsHere && bottom <= b + kEpsilon) {
            ReportObject copy = o;
            copy.rect.translate(0, shift);
            page.items.push_back(std::move(copy));
            continue;
        }
        if (bottom <= a + kEpsilon || top >= b - kEpsilon)
            continue;
        // The object runs over the edge of this portion: the piece inside it.
        ReportObject piece = o;
        const double from = std::max(top, a);
        const double to = std::min(bottom, b);
        piece.rect.setTop(from);
        piece.rect.setBottom(to);
        if (o.kind == ReportObjectKind::Text) {
            piece.lines.clear();
            piece.lineX.clear();
            const double pitch = o.pitch();
            bool first = true;
            for (int i = 0; i < o.lines.size(); ++i) {
                const double slot = top + o.firstLineTop + i * pitch;
                if (slot >= from - kEpsilon && slot + pitch <= to + kEpsilon) {
                    if (first)
                        piece.firstLineTop = slot - from;
                    first = false;
                    piece.lines << o.lines.at(i);
                    piece.lineX.push_back(o.lineX.at(size_t(i)));
                }
            }
        }
        piece.rect.translate(0, shift);
        page.items.push_back(std::move(piece));
    }
}

// Stacks bands down the pages.
class Layout {
public:
    Layout(double pageHeight, std::vector<PreparedPage>& pages, const PreparedPage& background)
        : m_pageHeight(pageHeight), m_pages(pages), m_background(background)
    {
        newPage();
    }

    void place(const std::vector<ReportObject>& objects, double height, bool canSplit)
    {
        double offset = 0.0;
        for (;;) {
            const double remaining = height - offset;
            const double room = m_pageHeight - m_y;
            if (remaining <= room + kEpsilon) {
                placePortion(m_pages.back(), objects, offset, height, m_y);
                m_y += remaining;
                return;
            }
            const bool freshPage = m_y <= kEpsilon;
            if (!canSplit) {
                if (!freshPage) {
                    newPage();
                    continue;
                }
                // Taller than a page and not splittable: printed once, cut at the page end.
                placePortion(m_pages.back(), objects, offset, offset + room, m_y);
                m_y = m_pageHeight;
                return;
            }
            double cut = adjustCut(objects, offset + room);
            if (cut <= offset + kEpsilon) {
                if (!freshPage) {
                    newPage();
                    continue;
                }
                cut = offset + room; // nothing fits whole even on a fresh page: cut through
            }
            placePortion(m_pages.back(), objects, offset, cut, m_y);
            newPage();
            offset = cut;
        }
    }

private:
    void newPage()
    {
        m_pages.push_back(m_background);
        m_y = 0.0;
    }

    double m_pageHeight;
    std::vector<PreparedPage>& m_pages;
    const PreparedPage& m_background;
    double m_y = 0.0;
};

} // namespace

void ReportObject::setText(const QString& text)
{
    static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
    lines = text.split(breaks);
    linesFromTemplate = false;
}

void ReportObject::clearLines()
{
    lines.clear();
    linesFromTemplate = false;
}

void ReportObject::addLine(const QString& line)
{
    if (linesFromTemplate)
        lines.clear();
    lines << line;
    linesFromTemplate = false;
}

const ReportObject* PreparedPage::find(const QString& name) const
{
    for (const ReportObject& item : items) {
        if (item.name == name)
            return &item;
    }
    return nullptr;
}

ReportDocument::ReportDocument(const QString& name) : m_name(name) {}

void ReportDocument::setPage(QPageSize::PageSizeId paper, QPageLayout::Orientation orientation,
                             double marginMm)
{
    m_paper = paper;
    m_orientation = orientation;
    m_marginMm = marginMm;
}

void ReportDocument::setOrientation(QPageLayout::Orientation orientation)
{
    m_orientation = orientation;
}

QPageLayout ReportDocument::pageLayout() const
{
    return QPageLayout(QPageSize(m_paper), m_orientation,
                       QMarginsF(m_marginMm, m_marginMm, m_marginMm, m_marginMm),
                       QPageLayout::Millimeter);
}

QSizeF ReportDocument::printableSize() const
{
    const QRectF paint = pageLayout().paintRect(QPageLayout::Millimeter);
    return QSizeF(mmToUnits(paint.width()), mmToUnits(paint.height()));
}

ReportObject& ReportDocument::addObject(ReportObjectKind kind, const QString& name,
                                        const QRectF& rect)
{
    auto object = std::make_unique<ReportObject>();
    object->kind = kind;
    object->name = name;
    object->rect = rect;
    m_objects.push_back(std::move(object));
    return *m_objects.back();
}

ReportBand& ReportDocument::addBand(BandKind kind, const QString& name, double height,
                                    bool canSplit)
{
    auto band = std::make_unique<ReportBand>();
    band->kind = kind;
    band->name = name;
    band->height = height;
    band->canSplit = canSplit;
    m_bands.push_back(std::move(band));
    return *m_bands.back();
}

ReportObject& ReportDocument::addBandObject(ReportBand& band, ReportObjectKind kind,
                                            const QString& name, const QRectF& rect)
{
    auto object = std::make_unique<ReportObject>();
    object->kind = kind;
    object->name = name;
    object->rect = rect;
    band.objects.push_back(std::move(object));
    return *band.objects.back();
}

ReportObject* ReportDocument::object(const QString& name)
{
    for (const auto& o : m_objects) {
        if (o->name == name)
            return o.get();
    }
    for (const auto& band : m_bands) {
        for (const auto& o : band->objects) {
            if (o->name == name)
                return o.get();
        }
    }
    return nullptr;
}

ReportObject* ReportDocument::text(const QString& name)
{
    ReportObject* o = object(name);
    return o && o->kind == ReportObjectKind::Text ? o : nullptr;
}

ReportBand* ReportDocument::band(const QString& name)
{
    for (const auto& band : m_bands) {
        if (band->name == name)
            return band.get();
    }
    return nullptr;
}

int ReportDocument::objectCount(ReportObjectKind kind) const
{
    int count = 0;
    auto tally = [&](const std::vector<std::unique_ptr<ReportObject>>& objects) {
        for (const auto& o : objects)
            count += o->kind == kind ? 1 : 0;
    };
    tally(m_objects);
    for (const auto& band : m_bands)
        tally(band->objects);
    return count;
}

void ReportDocument::prepare()
{
    m_pages.clear();
    const QDate today = currentDateTime().date();
    auto prepared = [&](const std::vector<std::unique_ptr<ReportObject>>& objects) {
        std::vector<ReportObject> out;
        out.reserve(objects.size());
        for (const auto& o : objects) {
            ReportObject copy = *o;
            if (copy.kind == ReportObjectKind::Text)
                layOutText(copy, today);
            out.push_back(std::move(copy));
        }
        return out;
    };

    // Objects lying directly on the page come out on every page, beneath the bands.
    PreparedPage background;
    background.items = prepared(m_objects);

    const auto order = [](BandKind kind) {
        return kind == BandKind::ReportTitle ? 0 : kind == BandKind::MasterData ? 1 : 2;
    };
    std::vector<const ReportBand*> bands;
    for (const auto& band : m_bands)
        bands.push_back(band.get());
    std::stable_sort(bands.begin(), bands.end(), [&](const ReportBand* x, const ReportBand* y) {
        return order(x->kind) < order(y->kind);
    });

    Layout layout(printableSize().height(), m_pages, background);
    for (const ReportBand* band : bands)
        layout.place(prepared(band->objects), band->height, band->canSplit);
}

QString closingLine()
{
    const QDateTime now = currentDateTime();
    return QStringLiteral("Stampa eseguita in data ") + formatShortDate(now.date())
           + QStringLiteral(" alle ore ") + formatLongTime(now.time());
}
