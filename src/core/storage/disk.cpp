#include "core/storage/disk.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

namespace {

Disk*& replacedDisk()
{
    static Disk* replacement = nullptr;
    return replacement;
}

QByteArray native(const QString& path)
{
    return QFile::encodeName(path);
}

} // namespace

Disk::~Disk() = default;

int Disk::create(const QString& path, int* fd)
{
    const int opened =
        ::open(native(path).constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
    if (opened < 0)
        return errno;
    *fd = opened;
    return 0;
}

int Disk::write(const QString&, int fd, qint64 offset, const char* data, qint64 size)
{
    while (size > 0) {
        const ssize_t n = ::pwrite(fd, data, size_t(size), off_t(offset));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            return ENOSPC;
        data += n;
        offset += n;
        size -= n;
    }
    return 0;
}

int Disk::truncate(const QString&, int fd, qint64 size)
{
    return ::ftruncate(fd, off_t(size)) == 0 ? 0 : errno;
}

int Disk::sync(const QString&, int fd)
{
    return ::fdatasync(fd) == 0 ? 0 : errno;
}

int Disk::rename(const QString& from, const QString& to)
{
    return ::rename(native(from).constData(), native(to).constData()) == 0 ? 0 : errno;
}

int Disk::remove(const QString& path)
{
    return ::unlink(native(path).constData()) == 0 ? 0 : errno;
}

int Disk::syncFolder(const QString& folder)
{
    const int fd = ::open(native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const int result = ::fsync(fd) == 0 ? 0 : errno;
    ::close(fd);
    return result;
}

int Disk::mayWrite(const QString& path)
{
    // access() would judge by the real user; AT_EACCESS judges by the effective one.
    return ::faccessat(AT_FDCWD, native(path).constData(), W_OK, AT_EACCESS) == 0 ? 0 : errno;
}

Disk& disk()
{
    static Disk real;
    Disk* replacement = replacedDisk();
    return replacement ? *replacement : real;
}

void setDiskForTests(Disk* replacement)
{
    replacedDisk() = replacement;
}

QString folderOf(const QString& path)
{
    const QString folder = QFileInfo(path).path();
    return folder.isEmpty() ? QStringLiteral(".") : folder;
}

QString diskErrorText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}
