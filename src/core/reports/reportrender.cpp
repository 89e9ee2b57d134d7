#include "core/reports/reportrender.h"

#include "core/reports/reporttext.h"

#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QSvgRenderer>

namespace {

// Thin outlines and rules: one unit, a quarter of a millimetre.
QPen thinPen()
{
    QPen pen(Qt::black, 1.0);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

void drawText(QPainter& p, const ReportObject& box)
{
    if (box.fill.isValid())
        p.fillRect(box.rect, box.fill);
    if (box.lines.isEmpty())
        return;
    p.save();
    p.setClipRect(box.rect, Qt::IntersectClip);
    p.setPen(box.font.colour);
    p.setFont(reportQFont(box.font));
    const double pitch = box.pitch();
    const double baseline = baselineInSlot(box.font, pitch);
    p.scale(1.0 / kFontScale, 1.0 / kFontScale);
    for (int i = 0; i < box.lines.size(); ++i) {
        const double x = box.rect.left() + box.lineX.at(size_t(i));
        const double y = box.rect.top() + box.firstLineTop + i * pitch + baseline;
        p.drawText(QPointF(x * kFontScale, y * kFontScale), box.lines.at(i));
    }
    p.restore();
}

void drawPicture(QPainter& p, const ReportObject& picture)
{
    if (picture.image.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
        QSvgRenderer svg(picture.image);
        if (svg.isValid())
            svg.render(&p, picture.rect);
        return;
    }
    const QImage image(picture.image);
    if (!image.isNull())
        p.drawImage(picture.rect, image);
}

} // namespace

void drawPreparedPage(QPainter& p, const PreparedPage& page)
{
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    for (const ReportObject& item : page.items) {
        switch (item.kind) {
        case ReportObjectKind::Text:
            drawText(p, item);
            break;
        case ReportObjectKind::Shape:
            p.setPen(thinPen());
            p.setBrush(item.fill.isValid() ? QBrush(item.fill) : QBrush(Qt::NoBrush));
            p.drawRect(item.rect);
            break;
        case ReportObjectKind::Line:
            p.setPen(thinPen());
            p.drawLine(item.rect.topLeft(), item.rect.bottomRight());
            break;
        case ReportObjectKind::Picture:
            drawPicture(p, item);
            break;
        }
    }
}

bool renderPages(QPagedPaintDevice& device, const QPageLayout& layout,
                 const std::vector<PreparedPage>& pages)
{
    device.setPageLayout(layout);
    QPainter p;
    if (!p.begin(&device))
        return false;
    const double scale = device.logicalDpiX() / 96.0;
    for (size_t i = 0; i < pages.size(); ++i) {
        if (i > 0 && !device.newPage())
            return false;
        p.resetTransform();
        p.scale(scale, scale);
        drawPreparedPage(p, pages[i]);
    }
    return p.end();
}
