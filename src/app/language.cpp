#include "app/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

#include <clocale>

namespace {
const char* const kVariable = "LC_ALL";
}

void installQtTranslations()
{
    static QPointer<QTranslator> installed;
    if (installed || !QCoreApplication::instance())
        return;
    auto* translator = new QTranslator(QCoreApplication::instance());
    // qtbase holds every text of the widgets and dialogs the program uses.
    if (!translator->load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"),
                          QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return;
    }
    QCoreApplication::installTranslator(translator);
    installed = translator;
}

ItalianRegionalSettings::ItalianRegionalSettings()
    : m_hadValue(qEnvironmentVariableIsSet(kVariable)), m_value(qgetenv(kVariable))
{
    // The C library takes the desktop's settings now; when the application object sets them
    // again under the Italian name, a system without that locale installed leaves them be.
    std::setlocale(LC_ALL, "");
    qputenv(kVariable, "it_IT.UTF-8");
}

ItalianRegionalSettings::~ItalianRegionalSettings()
{
    release();
}

void ItalianRegionalSettings::release()
{
    if (!m_active)
        return;
    m_active = false;
    if (m_hadValue)
        qputenv(kVariable, m_value);
    else
        qunsetenv(kVariable);
}
