// Draws the artwork of the first window once, at build time, for the drawing cache of the
// pictures (ui/decor.h): the login's logo as the login shows it, and what lies behind it.
// Writes <folder>/<cache name> for each picture and
// <folder>/artcache.qrc listing them under the prefix the pictures look them up in.
//
//   vestrano_artcache <folder>
#include "access/password.h"
#include "core/base/fonts.h"
#include "ui/decor.h"
#include "ui/desktop.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>

#include <cstdio>

namespace {

// What a window shows in the box, drawn as the window's image on the screen is: the whole
// window at its place (gradients are drawn at their device position), then the box cut out.
QImage drawBox(QWidget* window, const QRect& box)
{
    QImage image(window->size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    window->render(&image);
    return image.copy(box);
}

// The finished pixels of one picture of a window, and what lies behind it there.
bool writeCache(QWidget* window, Picture* picture, const QDir& folder, QStringList* files)
{
    const QRect box(picture->mapTo(window, QPoint(0, 0)), picture->size());
    picture->hide();
    const QImage behind = drawBox(window, box);
    picture->show();
    const QImage drawn = drawBox(window, box);
    const QString name =
        QFileInfo(artworkCacheName(picture->svgPath(), picture->size())).fileName();
    QFile file(folder.filePath(name));
    const QByteArray bytes = artworkCacheBytes(drawn, behind);
    if (bytes.isEmpty() || !file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return false;
    files->append(name);
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 2)
        return 2;
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral(".")))
        return 1;
    registerFonts();
    setupDesktop();

    QStringList files;
    TfrmPassword login;
    // Shown, so that the window lays out its content as on the screen.
    login.show();
    QApplication::processEvents();
    auto* logo = login.findChild<Picture*>(QStringLiteral("imgLogo"));
    if (!logo || !logo->hasArtwork() || !writeCache(&login, logo, folder, &files))
        return 1;

    QByteArray qrc("<RCC>\n  <qresource prefix=\"/artcache\">\n");
    for (const QString& file : files)
        qrc += "    <file>" + file.toUtf8() + "</file>\n";
    qrc += "  </qresource>\n</RCC>\n";
    QFile list(folder.filePath(QStringLiteral("artcache.qrc")));
    if (!list.open(QIODevice::WriteOnly) || list.write(qrc) != qrc.size())
        return 1;
    return 0;
}
