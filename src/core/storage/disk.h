#pragma once

#include <QString>
#include <QtGlobal>

// Every change the program makes to a file on disk passes through one Disk: creating a file,
// writing bytes at an offset, cutting a file's length, flushing a file or a folder to stable
// storage, renaming and removing, and asking whether a file may be written. Reading does not. The
// program uses the real disk; a test may put a Disk of its own in its place, which records what was
// written and flushed (to work out what a power cut at each instant could leave behind) or makes
// one step fail.
//
// Each operation returns 0 when it succeeded, otherwise the errno value that says why. path
// always names the file (or folder) the operation concerns, also where the file is reached
// through fd; a recorder keeps track of files by it.
class Disk {
public:
    virtual ~Disk();

    // Creates path as a new, empty file (failing when anything of that name exists) and opens
    // it for reading and writing; fd receives the descriptor, which the caller closes.
    virtual int create(const QString& path, int* fd);
    // Writes size bytes at offset, all of them (a short write is retried, and a device that
    // takes no more gives ENOSPC).
    virtual int write(const QString& path, int fd, qint64 offset, const char* data, qint64 size);
    // Sets the file's length to size.
    virtual int truncate(const QString& path, int fd, qint64 size);
    // Flushes the file's data (and the length it needs to be read back) to stable storage.
    virtual int sync(const QString& path, int fd);
    // Renames from to to, replacing to in one step.
    virtual int rename(const QString& from, const QString& to);
    // Removes the file path.
    virtual int remove(const QString& path);
    // Flushes the folder's entries (files created, renamed or removed in it) to stable storage.
    virtual int syncFolder(const QString& folder);
    // Whether the existing file path may be written as it is, asked without opening it: 0 when
    // an open for writing would be allowed, otherwise why not (EACCES without the right to,
    // EROFS on a read-only mount, EPERM for an immutable file, ENOENT for no file). The rights
    // are judged for the effective user, as an open judges them, so a process that runs with
    // another user's rights gets that user's answer.
    virtual int mayWrite(const QString& path);
};

// The Disk every storage operation goes through.
Disk& disk();

// Test seam: makes disk() answer replacement until it is called again with nullptr.
void setDiskForTests(Disk* replacement);

// The folder holding path, for syncFolder.
QString folderOf(const QString& path);

// The text of an errno value as the operating system words it.
QString diskErrorText(int error);
