#include "core/storage/journal.h"

#include "core/storage/disk.h"
#include "core/storage/regularfile.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>

#include <unistd.h>

namespace {

const QByteArray kMagic = QByteArrayLiteral("VESTRANO JOURNAL 1\n");
// A journal covers one record; anything larger is garbage.
constexpr qint64 kMaxChangeBytes = 1 << 20;

bool exists(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

QByteArray checksum(const QByteArray& bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

// True when the file's current bytes could have come from change cut short at any instant:
// its length lies between the old and the new one, and every byte of the changed range holds
// the old or the new value (or zero where the file grew and the data had not arrived).
bool fitsFile(const JournalChange& change, const QByteArray& range, qint64 size)
{
    const qint64 newSize = qMax(change.fileSize, change.offset + change.after.size());
    if (size < change.fileSize || size > newSize)
        return false;
    for (qsizetype i = 0; i < range.size(); ++i) {
        const char now = range.at(i);
        if (now == change.after.at(i))
            continue;
        if (i < change.before.size() ? now != change.before.at(i) : now != '\0')
            return false;
    }
    return true;
}

JournalRecovery discard(const QString& journalPath, const QString& reason, QString* why)
{
    if (why)
        *why = reason;
    qCWarning(lcStorage).noquote() << journalPath + QStringLiteral(": ") + reason;
    if (!removeJournal(journalPath))
        return JournalRecovery::Failed;
    return JournalRecovery::Discarded;
}

JournalRecovery failed(const QString& journalPath, const QString& reason, QString* why)
{
    if (why)
        *why = reason;
    qCWarning(lcStorage).noquote() << journalPath + QStringLiteral(": ") + reason;
    return JournalRecovery::Failed;
}

} // namespace

QByteArray encodeJournal(const JournalChange& change)
{
    QByteArray body;
    {
        QDataStream out(&body, QIODevice::WriteOnly);
        out << qint64(change.fileSize) << qint64(change.offset) << change.before << change.after;
    }
    return kMagic + body + checksum(kMagic + body);
}

bool decodeJournal(const QByteArray& bytes, JournalChange* change)
{
    const qsizetype hashSize = 32;
    if (bytes.size() < kMagic.size() + hashSize || !bytes.startsWith(kMagic))
        return false;
    const QByteArray signedPart = bytes.left(bytes.size() - hashSize);
    if (checksum(signedPart) != bytes.right(hashSize))
        return false;
    QDataStream in(signedPart.mid(kMagic.size()));
    qint64 fileSize = -1;
    qint64 offset = -1;
    JournalChange read;
    in >> fileSize >> offset >> read.before >> read.after;
    if (in.status() != QDataStream::Ok || !in.atEnd() || fileSize < 0 || offset < 0
        || read.after.isEmpty() || read.before.size() > read.after.size()
        || offset + read.before.size() > fileSize)
        return false;
    read.fileSize = fileSize;
    read.offset = offset;
    *change = read;
    return true;
}

WriteResult writeJournal(const QString& journalPath, const JournalChange& change)
{
    auto failure = [&](const QString& step, int error) {
        WriteResult result = WriteResult::failure(
            QStringLiteral("%1 %2: %3").arg(step, journalPath, diskErrorText(error)));
        qCWarning(lcStorage).noquote() << result.error();
        return result;
    };
    const QByteArray bytes = encodeJournal(change);
    int fd = -1;
    if (const int error = disk().create(journalPath, &fd))
        return failure(QStringLiteral("creating"), error);
    int error = disk().write(journalPath, fd, 0, bytes.constData(), bytes.size());
    if (!error)
        error = disk().sync(journalPath, fd);
    ::close(fd);
    if (!error)
        error = disk().syncFolder(folderOf(journalPath));
    if (error) {
        // Never complete, so never replayed over the file: removed again if possible.
        disk().remove(journalPath);
        return failure(QStringLiteral("writing"), error);
    }
    return WriteResult::success();
}

WriteResult removeJournal(const QString& journalPath)
{
    int error = disk().remove(journalPath);
    if (!error)
        error = disk().syncFolder(folderOf(journalPath));
    if (error) {
        WriteResult result = WriteResult::failure(
            QStringLiteral("removing %1: %2").arg(journalPath, diskErrorText(error)));
        qCWarning(lcStorage).noquote() << result.error();
        return result;
    }
    return WriteResult::success();
}

JournalRecovery recoverJournal(const QString& filePath, const QString& journalPath, QString* why)
{
    if (!exists(journalPath))
        return JournalRecovery::None;
    const std::optional<QByteArray> bytes =
        readRegularFile(journalPath, kMaxChangeBytes * 2 + 4096);
    if (!bytes) {
        if (!QFileInfo(journalPath).isFile())
            return failed(journalPath, QStringLiteral("not a regular file"), why);
        // Too large to be a journal of this program, or unreadable.
        if (QFileInfo(journalPath).isReadable())
            return discard(journalPath, QStringLiteral("garbled journal removed"), why);
        return failed(journalPath, QStringLiteral("cannot read the journal"), why);
    }
    JournalChange change;
    if (!decodeJournal(*bytes, &change))
        return discard(journalPath, QStringLiteral("torn journal removed, file untouched"), why);

    QFile file(filePath);
    if (!QFileInfo(filePath).isFile() || !file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
        return discard(journalPath, QStringLiteral("stale journal removed: no such file"), why);
    const qint64 size = file.size();
    QByteArray range;
    if (size > change.offset) {
        if (!file.seek(change.offset))
            return failed(journalPath, file.errorString(), why);
        range = file.read(qMin<qint64>(change.after.size(), size - change.offset));
        if (range.size() != qMin<qint64>(change.after.size(), size - change.offset))
            return failed(journalPath, file.errorString(), why);
    }
    if (!fitsFile(change, range, size))
        return discard(journalPath,
                       QStringLiteral("stale journal removed: it does not fit the file"), why);

    const int fd = file.handle();
    int error = 0;
    if (!change.before.isEmpty())
        error = disk().write(filePath, fd, change.offset, change.before.constData(),
                             change.before.size());
    if (!error && size != change.fileSize)
        error = disk().truncate(filePath, fd, change.fileSize);
    if (!error)
        error = disk().sync(filePath, fd);
    file.close();
    if (error)
        return failed(journalPath, QStringLiteral("cannot roll back: ") + diskErrorText(error),
                      why);
    if (!removeJournal(journalPath))
        return failed(journalPath, QStringLiteral("cannot remove the journal"), why);
    qCWarning(lcStorage).noquote()
        << filePath + QStringLiteral(": a change cut short was rolled back");
    return JournalRecovery::RolledBack;
}
