#include "core/storage/programfolder.h"

#include <QCoreApplication>
#include <QDir>

namespace {
QString& overrideFolder()
{
    static QString folder;
    return folder;
}
} // namespace

QString programFolder()
{
    QString folder = overrideFolder();
    if (folder.isEmpty())
        folder = QCoreApplication::applicationDirPath();
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

void setProgramFolderForTests(const QString& folder)
{
    overrideFolder() = folder;
}
