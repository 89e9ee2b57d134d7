#include "core/storage/regularfile.h"

#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

bool openRegularFile(QFile& file, const QString& path, qint64 maxBytes)
{
    // The first look, by name: nothing that is not a regular file is opened at all (opening a
    // device may do something of its own).
    const QFileInfo info(path);
    if (!info.isFile() || (maxBytes >= 0 && info.size() > maxBytes))
        return false;
#ifdef Q_OS_UNIX
    // The second look, at what was really opened: a FIFO opened without waiting for a writer,
    // then refused.
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat status {};
    const bool regular = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode)
                         && (maxBytes < 0 || qint64(status.st_size) <= maxBytes);
    const int flags = regular ? ::fcntl(fd, F_GETFL) : -1;
    if (!regular || flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0
        || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
#else
    file.setFileName(path);
    return file.open(QIODevice::ReadOnly | QIODevice::ExistingOnly);
#endif
}

std::optional<QByteArray> readRegularFile(const QString& path, qint64 maxBytes)
{
    QFile file;
    if (maxBytes < 0 || !openRegularFile(file, path, maxBytes))
        return std::nullopt;
    // A file that grows while it is read is still cut off after maxBytes + 1 bytes.
    QByteArray content(maxBytes + 1, Qt::Uninitialized);
    qint64 got = 0;
    while (got < content.size()) {
        const qint64 n = file.read(content.data() + got, content.size() - got);
        if (n < 0)
            return std::nullopt;
        if (n == 0)
            break;
        got += n;
    }
    if (got > maxBytes)
        return std::nullopt;
    content.truncate(got);
    return content;
}
