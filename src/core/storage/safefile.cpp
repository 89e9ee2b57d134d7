#include "core/storage/safefile.h"

#include "core/storage/disk.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// Writes reach the file beside in pieces of this size, so a large export costs few calls.
constexpr qsizetype kBufferBytes = 1 << 20;

// The file a write to path really replaces: path itself, or the file its links lead to.
QString resolvedTarget(const QString& path)
{
    QFileInfo info(path);
    int depth = 128;
    while (--depth > 0 && info.isSymLink())
        info.setFile(info.symLinkTarget());
    return depth > 0 ? info.filePath() : path;
}

} // namespace

SafeFile::SafeFile(const QString& path) : m_target(resolvedTarget(path))
{
    // A name near the longest a folder takes (255 bytes) would not take the dot and ".nuovo":
    // the file beside is then named after a digest of it.
    QString name = QFileInfo(m_target).fileName();
    if (QFile::encodeName(name).size() > 240) {
        name = QStringLiteral("vestrano-")
               + QString::fromLatin1(
                   QCryptographicHash::hash(name.toUtf8(), QCryptographicHash::Sha1).toHex());
    }
    m_aside = folderOf(m_target) + QStringLiteral("/.") + name + QStringLiteral(".nuovo");
}

SafeFile::~SafeFile()
{
    cancel();
}

bool SafeFile::fail(const QString& step, int error)
{
    if (m_result.ok()) {
        m_result = WriteResult::failure(
            QStringLiteral("%1 %2: %3").arg(step, m_target, diskErrorText(error)));
        qCWarning(lcStorage).noquote() << m_result.error();
    }
    return false;
}

WriteResult SafeFile::open()
{
    const QFileInfo target(m_target);
    if (target.isDir())
        fail(QStringLiteral("replacing"), EISDIR);
    else if (target.exists() && !target.isWritable())
        fail(QStringLiteral("replacing"), EACCES);
    if (!m_result)
        return m_result;
    // A file left beside by a write that a crash cut short goes first.
    if (QFileInfo(m_aside).isFile() || QFileInfo(m_aside).isSymLink())
        disk().remove(m_aside);
    if (const int error = disk().create(m_aside, &m_fd)) {
        m_fd = -1;
        fail(QStringLiteral("creating the file beside"), error);
        return m_result;
    }
    struct stat status {};
    if (target.exists() && ::stat(QFile::encodeName(m_target).constData(), &status) == 0)
        ::fchmod(m_fd, status.st_mode & 07777);
    return m_result;
}

bool SafeFile::flushBuffer()
{
    if (m_buffer.isEmpty())
        return true;
    if (const int error =
            disk().write(m_aside, m_fd, m_written, m_buffer.constData(), m_buffer.size()))
        return fail(QStringLiteral("writing"), error);
    m_written += m_buffer.size();
    m_buffer.clear();
    return true;
}

bool SafeFile::write(const char* data, qint64 size)
{
    if (!m_result)
        return false;
    if (m_fd < 0)
        return fail(QStringLiteral("writing"), EBADF);
    if (m_buffer.size() + size > kBufferBytes) {
        if (!flushBuffer())
            return false;
        if (size >= kBufferBytes) {
            if (const int error = disk().write(m_aside, m_fd, m_written, data, size))
                return fail(QStringLiteral("writing"), error);
            m_written += size;
            return true;
        }
    }
    m_buffer.append(data, size);
    return true;
}

WriteResult SafeFile::commit()
{
    if (m_fd < 0 && m_result)
        fail(QStringLiteral("writing"), EBADF);
    if (m_result && flushBuffer()) {
        // The new content is on the disk before it takes the target's name, and the name is
        // on the disk before the write is reported done.
        if (const int error = disk().sync(m_aside, m_fd))
            fail(QStringLiteral("flushing"), error);
        else if (const int error = disk().rename(m_aside, m_target))
            fail(QStringLiteral("putting in place"), error);
        else {
            ::close(m_fd);
            m_fd = -1;
            if (const int error = disk().syncFolder(folderOf(m_target)))
                fail(QStringLiteral("flushing the folder of"), error);
            return m_result;
        }
    }
    cancel();
    return m_result;
}

void SafeFile::cancel()
{
    if (m_fd < 0)
        return;
    ::close(m_fd);
    m_fd = -1;
    m_buffer.clear();
    disk().remove(m_aside);
    if (m_result)
        m_result = WriteResult::failure(QStringLiteral("cancelled: ") + m_target);
}

WriteResult writeWholeFile(const QString& path, const QByteArray& bytes)
{
    SafeFile file(path);
    if (!file.open())
        return file.result();
    file.write(bytes);
    return file.commit();
}
