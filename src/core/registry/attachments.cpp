#include "core/registry/attachments.h"

#include "core/storage/programfolder.h"
#include "core/storage/regularfile.h"
#include "core/storage/safefile.h"
#include "core/storage/text.h"
#include "core/storage/windows1252.h"

#include <QFile>
#include <QFileInfo>

QString attachmentFolder()
{
    return programFolder() + QStringLiteral("Documenti_Allegati/");
}

bool isBareFileName(const QString& name)
{
    const QString n = trimText(name);
    return !n.isEmpty() && !n.contains(QLatin1Char('/')) && !n.contains(QLatin1Char('\\'))
           && n != QLatin1String(".") && n != QLatin1String("..") && !n.contains(QChar(0));
}

bool isStorableAttachmentName(const QString& name)
{
    const QString n = trimText(name);
    if (n.size() > kAttachmentNameBytes)
        return false;
    for (const char32_t c : n.toUcs4()) {
        if (!isWindows1252(c))
            return false;
    }
    // One byte per character in the single-byte set.
    return toWindows1252(n).size() <= kAttachmentNameBytes;
}

QString attachmentPath(const QString& name)
{
    return isBareFileName(name) ? attachmentFolder() + trimText(name) : QString();
}

WriteResult copyReplacing(const QString& source, const QString& target)
{
    const QFileInfo from(source);
    const QFileInfo to(target);
    if (to.exists() && from.exists() && from.canonicalFilePath() == to.canonicalFilePath())
        return WriteResult::success();

    QFile in;
    if (!openRegularFile(in, source))
        return WriteResult::failure(source
                                    + QStringLiteral(": not a regular file that can be read"));
    SafeFile out(target);
    if (!out.open())
        return out.result();
    QByteArray chunk;
    constexpr qint64 kChunk = 1 << 20;
    while (!(chunk = in.read(kChunk)).isEmpty()) {
        if (!out.write(chunk))
            return out.result();
    }
    if (in.error() != QFileDevice::NoError) {
        WriteResult failed =
            WriteResult::failure(QStringLiteral("reading %1: %2").arg(source, in.errorString()));
        qCWarning(lcStorage).noquote() << failed.error();
        return failed;
    }
    return out.commit();
}
