#include "core/base/fonts.h"

#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QStringList>

void registerFonts()
{
    static bool done = false;
    if (done)
        return;
    done = true;

    // fontconfig does not scan wine's folder: load the real Tahoma from there.
    const QStringList tahoma = {QStringLiteral("/usr/share/wine/fonts/tahoma.ttf"),
                                QStringLiteral("/usr/share/wine/fonts/tahomabd.ttf")};
    bool haveTahoma = false;
    for (const QString& file : tahoma) {
        if (QFileInfo::exists(file) && QFontDatabase::addApplicationFont(file) >= 0)
            haveTahoma = true;
    }
    if (!haveTahoma)
        QFont::insertSubstitution(QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"));

    // Liberation 2 is metric-compatible with Arial and Courier New; Verdana has no Debian
    // twin, DejaVu Sans is its closest relative (same designer lineage, similar width).
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"));
    QFont::insertSubstitution(QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"));
}

QFont uiFont(const QString& family, int pixelSize, bool bold)
{
    QFont font(family);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}
