#include "core/base/producticon.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

QImage productIconImage(int size)
{
    QSvgRenderer renderer(QStringLiteral(":/desktop/vestrano.svg"));
    if (!renderer.isValid() || size <= 0)
        return QImage();
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(0, 0, size, size));
    return image;
}

QIcon productIcon()
{
    // Drawn here rather than handed to Qt's SVG icon engine, so the window system gets
    // ready-made pictures at each size whatever plugins are installed.
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QImage image = productIconImage(size);
        if (!image.isNull())
            icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}
