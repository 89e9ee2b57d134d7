// Writes the product icon as PNG files for the desktop's icon theme: <folder>/vestrano-<size>.png
// for every size given on the command line, from the same drawing the windows carry.
#include "core/base/producticon.h"

#include <QDir>
#include <QGuiApplication>

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc < 3)
        return 2;
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    for (int i = 2; i < argc; ++i) {
        const int size = QByteArray(argv[i]).toInt();
        const QImage image = productIconImage(size);
        const QString file = folder.filePath(QStringLiteral("vestrano-%1.png").arg(size));
        if (image.isNull() || !image.save(file, "PNG"))
            return 1;
    }
    return 0;
}
