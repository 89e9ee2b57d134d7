#include "core/registry/registry.h"

#include "core/storage/programfolder.h"
#include "core/storage/recordfile.h"

#include <QFileInfo>

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

Registry::Registry() : m_path(registryFilePath()) {}

Registry::Registry(const QString& path) : m_path(path) {}

std::optional<qint64> Registry::count() const
{
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
    RecordFile file(m_path, AnagraficaRecord::kSize);
    QByteArray bytes;
    if (!openForReading(file) || !file.seek(index) || !file.read(bytes) || !file.close())
        return std::nullopt;
    return AnagraficaRecord(bytes);
}

Registry::SaveOutcome Registry::save(qint64 index, const AnagraficaRecord& shown,
                                     const AnagraficaRecord& card) const
{
    RecordFile file(m_path, AnagraficaRecord::kSize);
    QByteArray stored;
    if (!file.openOrCreate() || index < 0 || index >= file.count() || !file.seek(index)
        || !file.read(stored))
        return SaveOutcome::Failed;
    if (stored != shown.bytes())
        return file.close() ? SaveOutcome::ChangedElsewhere : SaveOutcome::Failed;
    if (!file.seek(index) || !file.write(card.bytes()) || !file.close())
        return SaveOutcome::Failed;
    return SaveOutcome::Saved;
}

std::optional<qint64> Registry::append(const AnagraficaRecord& card) const
{
    RecordFile file(m_path, AnagraficaRecord::kSize);
    if (!file.openOrCreate())
        return std::nullopt;
    const qint64 index = file.count();
    if (!file.seek(index) || !file.write(card.bytes()) || !file.close())
        return std::nullopt;
    return index;
}

bool Registry::reachable() const
{
    RecordFile file(m_path, AnagraficaRecord::kSize);
    return file.openOrCreate() && file.close();
}

bool Registry::scan(const Visitor& visit, const std::function<void(qint64)>& started,
                    const WorkProgress& progress) const
{
    RecordFile file(m_path, AnagraficaRecord::kSize);
    if (!openForReading(file))
        return false;
    const qint64 cards = file.count();
    if (started)
        started(cards);
    QByteArray bytes;
    for (qint64 index = 0; index < cards; ++index) {
        if (progress && index % kProgressStep == 0 && index > 0 && !progress(index, cards))
            return false; // stopped: the destructor closes the file
        if (!file.read(bytes))
            return false; // the destructor closes the file
        visit(index, AnagraficaRecord(bytes));
    }
    return file.close();
}
