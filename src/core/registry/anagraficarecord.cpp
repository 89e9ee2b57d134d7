#include "core/registry/anagraficarecord.h"

#include "core/storage/fixedtext.h"
#include "core/storage/text.h"
#include "core/storage/windows1252.h"

namespace {

using F = AnagraficaField;

// Built from the capacities alone; the offsets follow from them and are checked below.
constexpr std::array<std::pair<F, int>, AnagraficaRecord::kFieldCount> kCapacities{{
    {F::Cognome, 50},    {F::Nome, 50},         {F::Ditta, 50},      {F::Sesso, 1},
    {F::Recapito, 50},   {F::IndirizzoRes, 50}, {F::ProvRes, 2},     {F::ComuneRes, 50},
    {F::CapRes, 5},      {F::DataNasc, 30},     {F::ComuneNasc, 50}, {F::ProvNasc, 2},
    {F::TelCasa, 30},    {F::TelUff, 30},       {F::TelCel, 30},     {F::Pec, 60},
    {F::Email, 50},      {F::CodFisc, 16},      {F::Carta, 30},      {F::ScadeCarta, 30},
    {F::PartitaIva, 11}, {F::Iban, 27},         {F::TipoPat, 30},    {F::NumPat, 50},
    {F::EnteRil, 50},    {F::DataRil, 10},      {F::DataSca, 10},    {F::Conducente, 250},
    {F::Questioni, 250}, {F::Note, 250},        {F::CodiceDest, 7},  {F::Ricontatta, 2},
    {F::File01, 250},    {F::File02, 250},      {F::File03, 250},    {F::Desc01, 250},
    {F::Desc02, 250},    {F::Desc03, 250},
}};

constexpr const char* kNames[AnagraficaRecord::kFieldCount] = {
    "Cognome",   "Nome",    "Ditta",      "Sesso",      "Recapito", "IndirizzoRes", "ProvRes",
    "ComuneRes", "CapRes",  "DataNasc",   "ComuneNasc", "ProvNasc", "TelCasa",      "TelUff",
    "TelCel",    "Pec",     "Email",      "CodFisc",    "Carta",    "ScadeCarta",   "PartitaIva",
    "Iban",      "TipoPat", "NumPat",     "EnteRil",    "DataRil",  "DataSca",      "Conducente",
    "Questioni", "Note",    "CodiceDest", "Ricontatta", "File01",   "File02",       "File03",
    "Desc01",    "Desc02",  "Desc03",
};

constexpr int totalSize()
{
    int size = 0;
    for (const auto& c : kCapacities)
        size += c.second + 1;
    return size;
}
static_assert(totalSize() == AnagraficaRecord::kSize, "registry card layout must be 3151 bytes");

std::array<AnagraficaFieldInfo, AnagraficaRecord::kFieldCount> buildFields()
{
    std::array<AnagraficaFieldInfo, AnagraficaRecord::kFieldCount> out{};
    int offset = 0;
    for (int i = 0; i < AnagraficaRecord::kFieldCount; ++i) {
        out[size_t(i)] = {kCapacities[size_t(i)].first, kNames[i], offset,
                          kCapacities[size_t(i)].second};
        offset += kCapacities[size_t(i)].second + 1;
    }
    return out;
}

} // namespace

const std::array<AnagraficaFieldInfo, AnagraficaRecord::kFieldCount>& AnagraficaRecord::fields()
{
    static const auto table = buildFields();
    return table;
}

const AnagraficaFieldInfo& AnagraficaRecord::info(AnagraficaField field)
{
    return fields()[size_t(field)];
}

AnagraficaRecord::AnagraficaRecord() : m_bytes(kSize, '\0') {}

AnagraficaRecord::AnagraficaRecord(const QByteArray& bytes) : m_bytes(bytes.left(kSize))
{
    if (m_bytes.size() < kSize)
        m_bytes.append(QByteArray(kSize - m_bytes.size(), '\0'));
}

QString AnagraficaRecord::get(AnagraficaField field) const
{
    const auto& f = info(field);
    return trimText(FixedText::read(m_bytes, f.offset, f.capacity));
}

namespace {

// The stored bytes of a field's value, trimmed as trimText trims the decoded text: a byte up to
// 32 decodes to the character of the same code, every other byte to a character above 32.
std::pair<const char*, int> trimmedBytes(const QByteArray& record, const AnagraficaFieldInfo& f)
{
    const char* field = record.constData() + f.offset;
    int length = static_cast<unsigned char>(field[0]);
    if (length > f.capacity)
        length = f.capacity;
    const char* begin = field + 1;
    const char* end = begin + length;
    while (begin < end && static_cast<unsigned char>(*begin) <= 32)
        ++begin;
    while (end > begin && static_cast<unsigned char>(end[-1]) <= 32)
        --end;
    return {begin, int(end - begin)};
}

} // namespace

void AnagraficaRecord::appendTo(QString& out, AnagraficaField field) const
{
    const auto [bytes, length] = trimmedBytes(m_bytes, info(field));
    const qsizetype at = out.size();
    out.resize(at + length);
    decodeWindows1252(bytes, length, out.data() + at);
}

bool AnagraficaRecord::isEmpty(AnagraficaField field) const
{
    return trimmedBytes(m_bytes, info(field)).second == 0;
}

int AnagraficaRecord::writeTo(QChar* dst, int room, AnagraficaField field) const
{
    const auto [bytes, length] = trimmedBytes(m_bytes, info(field));
    const int n = qMax(0, qMin(length, room));
    decodeWindows1252(bytes, n, dst);
    return n;
}

void AnagraficaRecord::set(AnagraficaField field, const QString& value)
{
    const auto& f = info(field);
    FixedText::store(m_bytes, f.offset, f.capacity, trimText(value));
}

QString AnagraficaRecord::ricontattaText(bool ticked)
{
    return ticked ? QStringLiteral("S\u00ec") : QStringLiteral("No");
}
