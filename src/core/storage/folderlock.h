#pragma once

#include <QLockFile>
#include <QString>

// One running copy of the program per program folder. Two copies on one folder (twice on one
// machine, or on two machines sharing the folder) would each save what they hold over what the
// other saved: a calendar left by one replaces the days the other stored in the same year.
//
// The lock is the file vestrano.lock in the program folder, made when a copy starts and
// removed when it ends. It holds the copy's process number and machine; a copy that ended
// without removing it (a crash, kill -9, a power cut) leaves a stale lock, which the next copy
// started on the same machine recognises (no such process runs) and takes over.
class ProgramFolderLock {
public:
    enum class Outcome {
        Taken,       // this copy holds the folder
        InUse,       // another running copy holds it: this one must not touch the folder
        Unavailable, // no lock can be made here (a read-only folder or medium): the copy runs
                     // without one, as it would have before
    };

    static QString fileName() { return QStringLiteral("vestrano.lock"); }

    // The lock of folder (ending in a separator); by default the program folder.
    ProgramFolderLock();
    explicit ProgramFolderLock(const QString& folder);
    ~ProgramFolderLock();
    ProgramFolderLock(const ProgramFolderLock&) = delete;
    ProgramFolderLock& operator=(const ProgramFolderLock&) = delete;

    // Tries once, without waiting for the other copy; a stale lock is taken over.
    Outcome acquire();
    bool isTaken() const { return m_lock.isLocked(); }
    // After InUse: the machine the other copy runs on, as its lock names it (may be empty).
    QString holderMachine() const;
    QString path() const { return m_path; }

private:
    bool holderKnown() const;

    QString m_path;
    QLockFile m_lock;
};
