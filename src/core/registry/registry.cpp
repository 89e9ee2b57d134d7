#include "core/registry/registry.h"

#include "core/storage/journal.h"
#include "core/storage/programfolder.h"
#include "core/storage/recordfile.h"

#include <QFile>
#include <QFileInfo>

#include <cstring>

QString registryFilePath()
{
    return programFolder() + QStringLiteral("Anagrafica.pro");
}

const QString kAccessFailureMessage =
    QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.")
    + QStringLiteral("\n\r\n\r")
    + QStringLiteral("Accertarsi di possedere i privilegi di scrittura nella cartella di "
                     "installazione del programma.");

namespace {

// Opens the registry for an action that only reads. An existing file opens for reading alone;
// a missing one is created empty, as on the first use of a new installation, which needs a
// folder that takes new files.
bool openForReading(RecordFile& file)
{
    const QFileInfo info(file.fileName());
    if (info.exists() || info.isSymLink())
        return file.openReadOnly();
    return file.openOrCreate();
}

} // namespace

QString registryJournalPath(const QString& registryPath)
{
    const QFileInfo info(registryPath);
    return info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral(".journal");
}

Registry::Registry() : m_path(registryFilePath()) {}

Registry::Registry(const QString& path) : m_path(path) {}

bool Registry::recover() const
{
    return recoverJournal(m_path, registryJournalPath(m_path)) != JournalRecovery::Failed;
}

// Writes card at index (the end of the file for an append) under the journal: the file is
// afterwards wholly as before or wholly as after, whatever happens, and on success the card
// is on the disk. before is what the change covers now: the stored card, or the part of a
// record that a file cut short ends with.
bool Registry::writeJournalled(RecordFile& file, qint64 index, const QByteArray& before,
                               const AnagraficaRecord& card) const
{
    const QString journal = registryJournalPath(m_path);
    JournalChange change;
    change.fileSize = QFileInfo(m_path).size();
    change.offset = index * AnagraficaRecord::kSize;
    change.before = before;
    change.after = card.bytes();
    if (!writeJournal(journal, change))
        return false;
    if (file.seek(index) && file.write(card.bytes()) && file.close() && removeJournal(journal))
        return true;
    // Whatever reached the file is taken back now, not at the next action.
    file.close();
    recover();
    return false;
}

std::optional<qint64> Registry::count() const
{
    recover();
    RecordFile file(m_path, AnagraficaRecord::kSize);
    if (!openForReading(file))
        return std::nullopt;
    const qint64 cards = file.count();
    if (!file.close())
        return std::nullopt;
    return cards;
}

std::optional<AnagraficaRecord> Registry::read(qint64 index) const
{
    recover();
    RecordFile file(m_path, AnagraficaRecord::kSize);
    QByteArray bytes;
    if (!openForReading(file) || !file.seek(index) || !file.read(bytes) || !file.close())
        return std::nullopt;
    return AnagraficaRecord(bytes);
}

Registry::SaveOutcome Registry::save(qint64 index, const AnagraficaRecord& shown,
                                     const AnagraficaRecord& card) const
{
    if (!recover())
        return SaveOutcome::Failed;
    RecordFile file(m_path, AnagraficaRecord::kSize);
    QByteArray stored;
    if (!file.openOrCreate() || index < 0 || index >= file.count() || !file.seek(index)
        || !file.read(stored))
        return SaveOutcome::Failed;
    if (stored != shown.bytes())
        return file.close() ? SaveOutcome::ChangedElsewhere : SaveOutcome::Failed;
    return writeJournalled(file, index, stored, card) ? SaveOutcome::Saved : SaveOutcome::Failed;
}

std::optional<qint64> Registry::append(const AnagraficaRecord& card) const
{
    if (!recover())
        return std::nullopt;
    RecordFile file(m_path, AnagraficaRecord::kSize);
    if (!file.openOrCreate())
        return std::nullopt;
    const qint64 index = file.count();
    // The part of a record a file cut short may end with is overwritten by the new card.
    QByteArray tail;
    const qint64 end = index * AnagraficaRecord::kSize;
    if (QFileInfo(m_path).size() > end) {
        QFile reader(m_path);
        if (!reader.open(QIODevice::ReadOnly) || !reader.seek(end))
            return std::nullopt;
        tail = reader.read(AnagraficaRecord::kSize);
        if (end + tail.size() != reader.size())
            return std::nullopt;
    }
    if (!writeJournalled(file, index, tail, card))
        return std::nullopt;
    return index;
}

bool Registry::reachable() const
{
    if (!recover())
        return false;
    RecordFile file(m_path, AnagraficaRecord::kSize);
    return file.openOrCreate() && file.close();
}

bool Registry::scan(const Visitor& visit, const std::function<void(qint64)>& started,
                    const WorkProgress& progress) const
{
    // Each card is copied into one reused buffer, which a visitor that keeps the card shares;
    // writing the next card into it then makes a buffer of its own first.
    QByteArray bytes;
    return scanBytes(
        [&](qint64 index, const char* card) {
            bytes.resize(AnagraficaRecord::kSize);
            std::memcpy(bytes.data(), card, size_t(AnagraficaRecord::kSize));
            visit(index, AnagraficaRecord(bytes));
        },
        started, progress);
}

bool Registry::scanBytes(const BytesVisitor& visit, const std::function<void(qint64)>& started,
                         const WorkProgress& progress) const
{
    recover();
    RecordFile file(m_path, AnagraficaRecord::kSize);
    if (!openForReading(file))
        return false;
    const qint64 cards = file.count();
    if (started)
        started(cards);
    qint64 index = 0;
    const bool read = file.scanBlocks([&](const char* block, qint64 count) {
        for (qint64 k = 0; k < count; ++k, ++index) {
            if (progress && index % kProgressStep == 0 && index > 0 && !progress(index, cards))
                return false; // stopped
            visit(index, block + k * AnagraficaRecord::kSize);
        }
        return true;
    });
    if (!read)
        return false; // stopped, or the file could not be read: the destructor closes it
    return file.close();
}
