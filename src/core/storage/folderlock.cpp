#include "core/storage/folderlock.h"

#include "core/storage/programfolder.h"

#include <QFileInfo>

ProgramFolderLock::ProgramFolderLock() : ProgramFolderLock(programFolder()) {}

ProgramFolderLock::ProgramFolderLock(const QString& folder)
    : m_path(folder + fileName()), m_lock(m_path)
{
    // The lock lasts as long as the copy runs, hours on end: it is never taken for stale by
    // its age, only because the process that made it no longer runs on this machine.
    m_lock.setStaleLockTime(0);
}

ProgramFolderLock::~ProgramFolderLock() = default;

ProgramFolderLock::Outcome ProgramFolderLock::acquire()
{
    if (m_lock.isLocked())
        return Outcome::Taken;
    // Something that is not a file where the lock goes (a folder of that name) can never be
    // a lock: as on a folder where none can be made.
    const QFileInfo existing(m_path);
    if ((existing.exists() || existing.isSymLink()) && !existing.isFile())
        return Outcome::Unavailable;
    if (m_lock.tryLock(0))
        return Outcome::Taken;
    if (m_lock.error() != QLockFile::LockFailedError)
        return Outcome::Unavailable;
    // A lock file that names no process was cut short while it was written (a crash at that
    // moment, a full disk), or is being written right now: after a moment it is removed, unless
    // a running copy on this machine still holds it open.
    if (holderKnown())
        return Outcome::InUse;
    if (m_lock.tryLock(500))
        return Outcome::Taken;
    if (m_lock.error() != QLockFile::LockFailedError)
        return Outcome::Unavailable;
    if (!holderKnown() && m_lock.removeStaleLockFile() && m_lock.tryLock(0))
        return Outcome::Taken;
    return m_lock.error() == QLockFile::LockFailedError ? Outcome::InUse : Outcome::Unavailable;
}

bool ProgramFolderLock::holderKnown() const
{
    qint64 pid = 0;
    QString machine;
    QString application;
    return m_lock.getLockInfo(&pid, &machine, &application);
}

QString ProgramFolderLock::holderMachine() const
{
    qint64 pid = 0;
    QString machine;
    QString application;
    if (!m_lock.getLockInfo(&pid, &machine, &application))
        return QString();
    return machine;
}
