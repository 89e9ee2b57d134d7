#include "core/storage/folderlock.h"

#include "core/storage/programfolder.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QSysInfo>
#include <QThread>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The locks this process holds, removed also when the run ends through exit() (the window
// system's connection lost, for one), where no destructor of main's runs.
QList<ProgramFolderLock*>& heldLocks()
{
    static QList<ProgramFolderLock*> locks;
    return locks;
}

extern "C" void releaseHeldLocks()
{
    const QList<ProgramFolderLock*> locks = heldLocks();
    for (ProgramFolderLock* lock : locks)
        lock->release();
}

QByteArray processNamespace()
{
    char link[128];
    const ssize_t n = ::readlink("/proc/self/ns/pid", link, sizeof link);
    return n > 0 ? QByteArray(link, int(n)) : QByteArray();
}

QByteArray readFd(int fd)
{
    QByteArray bytes;
    char buffer[512];
    ::lseek(fd, 0, SEEK_SET);
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0 || bytes.size() > 4096)
            break;
        bytes.append(buffer, int(n));
    }
    return bytes;
}

// Another open file description holds the flock: a copy running on this machine (in any
// namespace) has the lock open.
bool lockedByAnother(int fd)
{
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        ::flock(fd, LOCK_UN);
        return false;
    }
    return errno == EWOULDBLOCK;
}

bool sameFile(int fd, const QByteArray& path)
{
    struct stat open {};
    struct stat named {};
    return ::fstat(fd, &open) == 0 && ::lstat(path.constData(), &named) == 0
           && open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

bool writableFolder(const QByteArray& folder)
{
    return ::faccessat(AT_FDCWD, folder.constData(), W_OK | X_OK, AT_EACCESS) == 0;
}

} // namespace

ProgramFolderLock::ProgramFolderLock() : ProgramFolderLock(programFolder()) {}

ProgramFolderLock::ProgramFolderLock(const QString& folder)
    : m_path(folder + fileName()), m_folder(folder)
{
}

ProgramFolderLock::~ProgramFolderLock()
{
    release();
}

QByteArray ProgramFolderLock::contentsForThisCopy()
{
    const QString program = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
    QByteArray text = QByteArray::number(QCoreApplication::applicationPid()) + '\n';
    text += program.toUtf8() + '\n';
    text += QSysInfo::machineHostName().toUtf8() + '\n';
    text += QSysInfo::machineUniqueId() + '\n';
    text += QSysInfo::bootUniqueId() + '\n';
    text += processNamespace() + '\n';
    return text;
}

ProgramFolderLock::Outcome ProgramFolderLock::acquire()
{
    if (isTaken())
        return Outcome::Taken;
    m_holderMachine.clear();
    m_obstacle = Obstacle::None;
    const QByteArray path = QFile::encodeName(m_path);
    const QByteArray folder =
        QFile::encodeName(m_folder.isEmpty() ? QStringLiteral(".") : m_folder);
    // Twice at most: a stale lock removed, then made anew.
    for (int attempt = 0; attempt < 3; ++attempt) {
        struct stat there {};
        if (::lstat(path.constData(), &there) == 0 && !S_ISREG(there.st_mode)) {
            // Never a lock of ours: a folder, a link (dangling, or to /dev/null), a device.
            if (!writableFolder(folder))
                return Outcome::Unavailable;
            m_obstacle = S_ISDIR(there.st_mode)   ? Obstacle::Folder
                         : S_ISLNK(there.st_mode) ? Obstacle::Link
                                                  : Obstacle::Special;
            return Outcome::Blocked;
        }
        const int fd =
            ::open(path.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd >= 0) {
            const QByteArray text = contentsForThisCopy();
            if (::flock(fd, LOCK_EX | LOCK_NB) != 0
                || ::write(fd, text.constData(), size_t(text.size())) != text.size()) {
                ::unlink(path.constData());
                ::close(fd);
                return Outcome::Unavailable;
            }
            m_fd = fd;
            if (heldLocks().isEmpty()) {
                static const bool registered = std::atexit(releaseHeldLocks) == 0;
                Q_UNUSED(registered);
            }
            heldLocks().append(this);
            return Outcome::Taken;
        }
        if (errno != EEXIST)
            return Outcome::Unavailable; // read-only, no room, no rights: no lock can be made
        const int existing = ::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        if (existing < 0) {
            if (errno == ENOENT)
                continue; // removed meanwhile by its holder
            if (errno == ELOOP)
                continue;          // replaced by a link meanwhile: looked at again above
            return Outcome::InUse; // a lock this copy may not read: its holder cannot be checked
        }
        const Holder holder = holderOf(existing);
        if (holder == Holder::Gone && removeStale(existing)) {
            ::close(existing);
            continue;
        }
        ::close(existing);
        return Outcome::InUse;
    }
    return Outcome::InUse;
}

void ProgramFolderLock::settle()
{
    if (m_fd >= 0)
        ::fsync(m_fd);
}

ProgramFolderLock::Holder ProgramFolderLock::holderOf(int fd)
{
    if (lockedByAnother(fd))
        return Holder::Alive;
    QList<QByteArray> lines = readFd(fd).split('\n');
    if (lines.size() < 3 || lines.at(0).toLongLong() <= 0) {
        // Cut short while it was written (a crash at that moment, a full disk), or being
        // written right now: after a moment it is stale unless a copy has taken it meanwhile.
        QThread::msleep(500);
        if (lockedByAnother(fd))
            return Holder::Alive;
        lines = readFd(fd).split('\n');
        if (lines.size() < 3 || lines.at(0).toLongLong() <= 0)
            return Holder::Gone;
    }
    const qint64 pid = lines.at(0).toLongLong();
    const QByteArray program = lines.value(1);
    m_holderMachine = QString::fromUtf8(lines.value(2));
    const QByteArray machineId = lines.value(3);
    const QByteArray bootId = lines.value(4);
    // Locks of earlier versions name no namespace: their number is checked as before.
    const bool namesSpace = lines.size() > 6;
    const QByteArray space = lines.value(5);
    // Another machine: its processes cannot be seen from here.
    if (m_holderMachine != QSysInfo::machineHostName()
        || (!machineId.isEmpty() && machineId != QSysInfo::machineUniqueId()))
        return Holder::Unknown;
    // This machine before its last start: nothing of that run is still running.
    if (!bootId.isEmpty() && bootId != QSysInfo::bootUniqueId())
        return Holder::Gone;
    // Another process namespace on this machine (a container sharing the folder): the
    // process number means another process here.
    if (namesSpace && space != processNamespace())
        return Holder::Unknown;
    if (::kill(pid_t(pid), 0) != 0 && errno == ESRCH)
        return Holder::Gone;
    // A process of that number runs: the holder, unless the number has gone to another
    // program meanwhile.
    QString exe =
        QFileInfo(QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid)).symLinkTarget()).fileName();
    exe.remove(QLatin1String(" (deleted)")); // the program replaced while it runs
    if (!exe.isEmpty() && !program.isEmpty() && exe != QString::fromUtf8(program))
        return Holder::Gone;
    return Holder::Alive;
}

bool ProgramFolderLock::removeStale(int fd)
{
    // Taken over by one starting copy only: whoever holds the old file's flock removes it, and
    // only while that name still is that file.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
        return false;
    const QByteArray path = QFile::encodeName(m_path);
    const bool removed = sameFile(fd, path) && ::unlink(path.constData()) == 0;
    ::flock(fd, LOCK_UN);
    return removed;
}

void ProgramFolderLock::release()
{
    if (m_fd < 0)
        return;
    heldLocks().removeAll(this);
    const QByteArray path = QFile::encodeName(m_path);
    if (sameFile(m_fd, path))
        ::unlink(path.constData());
    ::close(m_fd);
    m_fd = -1;
}
