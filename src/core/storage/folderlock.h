#pragma once

#include <QString>

// One running copy of the program per program folder. Two copies on one folder (twice on one
// machine, or on two machines sharing the folder) would each save what they hold over what the
// other saved: a calendar left by one replaces the days the other stored in the same year.
//
// The lock is the file vestrano.lock in the program folder, made when a copy starts and
// removed when it ends (also when the run ends through exit()). It names the copy's process,
// machine, boot and process namespace, and the copy holds it locked (flock) while it runs. A
// copy that ended without removing it (a crash, kill -9, a power cut) leaves a stale lock,
// which the next copy recognises and takes over - but only where it can check that the holder
// is gone: the same machine, the same boot, the same process namespace. A lock from another
// machine or another namespace (a container sharing the folder) is held, whatever its process
// number means here.
class ProgramFolderLock {
public:
    enum class Outcome {
        Taken,       // this copy holds the folder
        InUse,       // another running copy holds it: this one must not touch the folder
        Blocked,     // something that is not a lock (obstacle()) is where the lock goes, in a
                     // folder that could hold one: this copy must not run unguarded
        Unavailable, // no lock can be made here at all (a read-only folder or medium, a full
                     // disk): the copy runs without one, as it would have before
    };
    // What stands where the lock goes, after Blocked.
    enum class Obstacle { None, Folder, Link, Special };

    static QString fileName() { return QStringLiteral("vestrano.lock"); }

    // The lock of folder (ending in a separator); by default the program folder.
    ProgramFolderLock();
    explicit ProgramFolderLock(const QString& folder);
    ~ProgramFolderLock();
    ProgramFolderLock(const ProgramFolderLock&) = delete;
    ProgramFolderLock& operator=(const ProgramFolderLock&) = delete;

    // Tries once, without waiting for the other copy; a stale lock is taken over. The lock is
    // held from here on; its text reaches the disk (and the other machines of a shared folder)
    // at settle(), which the copy may leave for a moment, until its first window is up: a copy
    // that meets a lock without its text waits half a second before it calls it stale.
    Outcome acquire();
    // Writes the held lock's text through to the disk; nothing when no lock is held.
    void settle();
    bool isTaken() const { return m_fd >= 0; }
    // Removes the lock this copy holds; nothing when it holds none.
    void release();
    // After InUse: the machine the other copy runs on, as its lock names it (may be empty).
    QString holderMachine() const { return m_holderMachine; }
    Obstacle obstacle() const { return m_obstacle; }
    QString path() const { return m_path; }

    // The lock's text for this copy: process number, program, machine name, machine identity,
    // boot identity and process namespace, one a line.
    static QByteArray contentsForThisCopy();

private:
    enum class Holder { Alive, Gone, Unknown };
    Holder holderOf(int fd);
    bool removeStale(int fd);

    QString m_path;
    QString m_folder;
    int m_fd = -1;
    QString m_holderMachine;
    Obstacle m_obstacle = Obstacle::None;
};
