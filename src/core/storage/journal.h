#pragma once

#include "core/storage/writeresult.h"

#include <QByteArray>
#include <QString>

// A rollback journal for one change of a few bytes in a file (a record written in place or
// appended): before the file is touched, the journal file beside it records the file's length
// and the bytes the change covers, as they were and as they will be, under a checksum, and is
// flushed to the disk with its folder. The change is then written and flushed, and removing
// the journal (flushed too) completes it. A power cut before the removal leaves the journal,
// and rollBack() puts the old bytes and length back: the file is exactly as before or exactly
// as after the change, never a mixture.
//
// A journal that is torn or garbled (its checksum fails) was never complete, so the file was
// never touched: it is removed and the file left alone. A journal that does not fit the file
// (a file whose length or bytes are neither the journal's old nor its new ones in every place,
// such as a registry restored from a copy) is stale: it is removed too and the file is left
// alone. The journal is written only while no journal is pending.
struct JournalChange {
    qint64 fileSize = 0; // the file's length before the change
    qint64 offset = 0;   // where the change starts
    QByteArray before;   // the bytes from offset up to at most the change's length, as they were
    QByteArray after;    // the bytes written at offset
};

// Writes change to journalPath (replacing nothing: a pending journal makes this fail) and
// flushes it and its folder.
WriteResult writeJournal(const QString& journalPath, const JournalChange& change);

// Removes the journal of a completed change and flushes the folder: the change stands.
WriteResult removeJournal(const QString& journalPath);

enum class JournalRecovery {
    None,       // no journal: nothing to do
    RolledBack, // a change cut short was undone; the file is as before it
    Discarded,  // a torn, garbled or stale journal was removed; the file was left alone
    Failed,     // a journal is pending and could not be applied or removed (read-only medium)
};

// Makes the file whole again after a crash, as described above. why receives the reason of a
// failure or of a discarded journal.
JournalRecovery recoverJournal(const QString& filePath, const QString& journalPath,
                               QString* why = nullptr);

// The bytes of a journal file for change, and the change a journal file's bytes hold (nothing
// when torn or garbled).
QByteArray encodeJournal(const JournalChange& change);
bool decodeJournal(const QByteArray& bytes, JournalChange* change);
