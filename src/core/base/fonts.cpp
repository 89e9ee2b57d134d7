#include "core/base/fonts.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontDatabase>
#include <QStringList>

#include <fontconfig/fontconfig.h>

bool loadFontConfiguration()
{
    static bool tried = false;
    // Once an application object exists, Qt may already have started fontconfig, and its
    // configuration must not be replaced under it.
    if (tried || QCoreApplication::instance())
        return false;
    tried = true;

    FcConfig* config = FcConfigCreate();
    if (!config)
        return false;
    // The configuration fontconfig's start reads: FONTCONFIG_FILE or the system's fonts.conf,
    // with everything it includes (the enabled rules, the user's own configuration).
    bool usable = FcConfigParseAndLoad(config, nullptr, FcTrue) != FcFalse;
    if (usable) {
        FcStrList* cacheDirs = FcConfigGetCacheDirs(config);
        usable = cacheDirs && FcStrListNext(cacheDirs);
        if (cacheDirs)
            FcStrListDone(cacheDirs);
    }
    if (usable)
        usable = FcConfigBuildFonts(config) != FcFalse;
    if (!usable || !FcConfigSetCurrent(config)) {
        FcConfigDestroy(config);
        return false;
    }
    // The configuration is the process's for the rest of the run. Depending on its version,
    // fontconfig takes it over or adds a reference of its own; either way it is not given
    // back here.
    return true;
}

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
