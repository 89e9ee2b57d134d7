#include "core/registry/registry.h"

#include "core/storage/programfolder.h"
#include "core/storage/recordfile.h"

QString registryFilePath()
{
    return programFolder() + QStringLiteral("Anagrafica.pro");
}

const QString kAccessFailureMessage =
    QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.")
    + QStringLiteral("\n\r\n\r")
    + QStringLiteral("Accertarsi di possedere i privilegi di scrittura nella cartella di "
                     "installazione del programma.");

Registry::Registry() : m_path(registryFilePath()) {}

Registry::Registry(const QString& path) : m_path(path) {}

std::optional<qint64> Registry::count() const
{
    RecordFile file(m_path, AnagraficaRecord::kSize);
    if (!file.openOrCreate())
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
    if (!file.openOrCreate() || !file.seek(index) || !file.read(bytes) || !file.close())
        return std::nullopt;
    return AnagraficaRecord(bytes);
}

bool Registry::save(qint64 index, const AnagraficaRecord& card) const
{
    RecordFile file(m_path, AnagraficaRecord::kSize);
    return file.openOrCreate() && index >= 0 && index < file.count() && file.seek(index)
           && file.write(card.bytes()) && file.close();
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

bool Registry::scan(const Visitor& visit, const std::function<void(qint64)>& started) const
{
    RecordFile file(m_path, AnagraficaRecord::kSize);
    if (!file.openOrCreate())
        return false;
    const qint64 cards = file.count();
    if (started)
        started(cards);
    QByteArray bytes;
    for (qint64 index = 0; index < cards; ++index) {
        if (!file.read(bytes))
            return false; // the destructor closes the file
        visit(index, AnagraficaRecord(bytes));
    }
    return file.close();
}
