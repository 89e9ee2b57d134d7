#pragma once

#include "core/storage/writeresult.h"

#include <QByteArray>
#include <QString>

// The one way a file is replaced as a whole. The new content is written to a file beside the
// target (the target's name with a leading dot and ".nuovo" behind it; a digest of the name
// for names too long to take them), flushed to stable
// storage, renamed over the target in one step, and the folder is flushed, so that once
// commit() succeeds the new content survives a power cut, and until then the target is
// exactly as it was: a power cut at any instant leaves the old file or the new one, never a
// mixture. Any failure (the folder takes no new file, the device fills up, a flush fails)
// removes the file beside and leaves the target as it was; the first failure's reason is kept.
// A target that is a symbolic link is replaced through it: the file it points to is written.
// The new file gets the permissions of the one it replaces.
class SafeFile {
public:
    explicit SafeFile(const QString& path);
    // Cancels unless committed.
    ~SafeFile();
    SafeFile(const SafeFile&) = delete;
    SafeFile& operator=(const SafeFile&) = delete;

    // Creates the file beside the target.
    WriteResult open();
    // Appends bytes; false once anything has failed (the reason is in result()).
    bool write(const char* data, qint64 size);
    bool write(const QByteArray& bytes) { return write(bytes.constData(), bytes.size()); }
    // Flushes what was written, puts it in place of the target and flushes the folder. A
    // failure of any step is a failure of the whole write.
    WriteResult commit();
    // Drops what was written; the target stays as it was.
    void cancel();

    // The first failure so far, or success.
    const WriteResult& result() const { return m_result; }

private:
    bool fail(const QString& step, int error);
    bool flushBuffer();

    QString m_target; // the file that is replaced (a link's target)
    QString m_aside;  // the file beside it that receives the new content
    int m_fd = -1;
    qint64 m_written = 0;
    QByteArray m_buffer;
    WriteResult m_result;
};

// Replaces the file at path with bytes, as SafeFile does.
WriteResult writeWholeFile(const QString& path, const QByteArray& bytes);
