#include "core/storage/wholefile.h"

#include <QSaveFile>

bool writeWholeFile(const QString& path, const QByteArray& bytes, QString* errorString)
{
    QSaveFile file(path);
    auto fail = [&] {
        if (errorString)
            *errorString = file.errorString();
        file.cancelWriting();
        return false;
    };
    if (!file.open(QIODevice::WriteOnly))
        return fail();
    // The save file's commit does not look at what its final flush reports: a write cut short
    // there (a full disk) would still replace the old file with a truncated one. So the bytes
    // are flushed and checked here, before committing.
    if (file.write(bytes) != bytes.size() || !file.flush() || file.error() != QFileDevice::NoError)
        return fail();
    if (!file.commit()) {
        if (errorString)
            *errorString = file.errorString();
        return false;
    }
    return true;
}
