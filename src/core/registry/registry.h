#pragma once

#include "core/base/progress.h"
#include "core/registry/anagraficarecord.h"

#include <QString>

#include <functional>
#include <optional>

// The registry file in the program folder.
QString registryFilePath();

// The rollback journal beside a registry (Anagrafica.journal beside Anagrafica.pro): present
// only while a card is being written, or after a power cut or crash interrupted the write.
QString registryJournalPath(const QString& registryPath);

// Shown by the registry screens whenever Anagrafica.pro cannot be opened, read or written.
// The two sentences are joined by LF CR LF CR, in this order.
extern const QString kAccessFailureMessage;

class RecordFile;

// The one owner of Anagrafica.pro: every screen that reads or writes the registry goes through
// it. Each call opens the file, works and closes it before it returns, so no file is held open
// between two user actions; a missing file is created empty. The calls that only read open an
// existing file for reading alone, so the cards can be looked at on a read-only folder or
// medium. Every failure comes back as an empty result or false, and the screens turn it into
// kAccessFailureMessage (or their own silence).
//
// A card written (save or append) is on the disk when the call returns true, and it is written
// under a rollback journal: after a power cut or a crash at any instant, every card is wholly
// the old one or wholly the new one, and an append leaves no part of a card. Every call first
// rolls back a write that was cut short (see core/storage/journal.h), so nothing reads the
// registry before it is whole again; this costs one look for the journal per call. Where that
// cannot be done (a read-only medium) the cards are still read, and nothing is written.
class Registry {
public:
    // The registry of the program folder; another path for tests and the benchmark.
    Registry();
    explicit Registry(const QString& path);

    const QString& path() const { return m_path; }

    // The number of whole cards.
    std::optional<qint64> count() const;
    // Card index (0-based). Nothing when there is no such card or it cannot be read.
    std::optional<AnagraficaRecord> read(qint64 index) const;
    // Writes card over the stored card index, in place, but only while that card still holds
    // exactly the bytes of shown (the card as it was read for the screen): a registry replaced
    // meanwhile (a backup restored, another copy of the program) keeps the card it holds, and
    // the outcome says so. Nothing else in the file moves. An index past the end (the file was
    // shortened meanwhile) fails, so no gap of empty records is ever made.
    enum class SaveOutcome { Saved, ChangedElsewhere, Failed };
    SaveOutcome save(qint64 index, const AnagraficaRecord& shown,
                     const AnagraficaRecord& card) const;
    // Appends card at the end and gives its index. A card that cannot be written whole leaves
    // no part of itself behind.
    std::optional<qint64> append(const AnagraficaRecord& card) const;
    // Opens the file for writing and closes it: whether cards can be stored.
    bool reachable() const;

    // Reads every card front to back, in read-ahead blocks, and hands each to visit with its
    // index; started, when given, first learns how many cards there are. progress, when given,
    // hears every kProgressStep cards how many are done; its false ends the scan there. False
    // when the file cannot be opened or read to its end, or the scan was stopped (the cards
    // visited until then stay visited).
    using Visitor = std::function<void(qint64 index, const AnagraficaRecord& card)>;
    bool scan(const Visitor& visit, const std::function<void(qint64 count)>& started = {},
              const WorkProgress& progress = {}) const;
    // As scan, for readers that only look at the stored bytes: visit gets each card's
    // AnagraficaRecord::kSize bytes where they lie in the read-ahead block. They are good
    // during the call alone; a reader that keeps a card copies its bytes.
    using BytesVisitor = std::function<void(qint64 index, const char* card)>;
    bool scanBytes(const BytesVisitor& visit, const std::function<void(qint64 count)>& started = {},
                   const WorkProgress& progress = {}) const;

    // Rolls back a card write that a crash cut short. False when a journal is pending and
    // could not be applied (nothing may be written then); true otherwise.
    bool recover() const;

private:
    bool writeJournalled(RecordFile& file, qint64 index, const QByteArray& before,
                         const AnagraficaRecord& card) const;

    QString m_path;
};
