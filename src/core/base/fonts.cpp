#include "core/base/fonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

void registerFonts()
{
    static bool done = false;
    if (done)
        return;
    done = true;

    // Tahoma comes from fontconfig like every other family: Debian's fonts-wine ships the
    // real one, and set-up and the installer add its folder to the user's fontconfig
    // configuration (resources/desktop/60-vestrano-tahoma.conf). Where fontconfig knows no
    // Tahoma, DejaVu Sans stands in.
    if (!QFontDatabase::families().contains(QStringLiteral("Tahoma")))
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
