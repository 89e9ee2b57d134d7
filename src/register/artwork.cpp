#include "register/artwork.h"

#include <QtGlobal>

// The pictures live in the static library; this reference keeps them in the program. It must
// stay outside any namespace to name the resource's own initialiser.
static bool initialiseRegisterResources()
{
    Q_INIT_RESOURCE(register);
    return true;
}

QString registerArt(const char* name)
{
    static const bool ready = initialiseRegisterResources();
    Q_UNUSED(ready);
    return QStringLiteral(":/register/") + QLatin1String(name) + QStringLiteral(".svg");
}
