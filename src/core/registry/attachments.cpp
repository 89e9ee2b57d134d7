#include "core/registry/attachments.h"

#include "core/storage/programfolder.h"
#include "core/storage/regularfile.h"
#include "core/storage/text.h"
#include "core/storage/windows1252.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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

bool copyReplacing(const QString& source, const QString& target, QString* error)
{
    auto fail = [error](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    const QFileInfo from(source);
    const QFileInfo to(target);
    if (to.exists() && from.exists() && from.canonicalFilePath() == to.canonicalFilePath())
        return true;

    QFile in;
    if (!openRegularFile(in, source))
        return fail(QStringLiteral("not a regular file that can be read"));
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        return fail(out.errorString());
    QByteArray chunk;
    constexpr qint64 kChunk = 1 << 20;
    while (!(chunk = in.read(kChunk)).isEmpty()) {
        if (out.write(chunk) != chunk.size()) {
            out.cancelWriting();
            return fail(out.errorString());
        }
    }
    if (in.error() != QFileDevice::NoError) {
        out.cancelWriting();
        return fail(in.errorString());
    }
    // The commit does not check its own final flush: a disk that fills up there would put a
    // truncated copy in place. Flushing first makes that a failure.
    if (!out.flush()) {
        const QString why = out.errorString();
        out.cancelWriting();
        return fail(why);
    }
    if (!out.commit())
        return fail(out.errorString());
    return true;
}
