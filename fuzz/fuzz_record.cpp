// The record decoder: one counted text field of any capacity with any length byte, and any
// bytes read as a registry file, card by card, as the register's list reads them.

#include "fuzz_support.h"

#include "core/registry/anagraficarecord.h"
#include "core/registry/listline.h"
#include "core/registry/personlist.h"
#include "core/storage/fixedtext.h"
#include "core/storage/recordfile.h"
#include "core/storage/text.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

using F = AnagraficaField;

// The list lines as their columns are defined, built the plain way: the lines the screens
// write in place must be exactly these.
QString referencePersonLine(const AnagraficaRecord& card)
{
    return padCut(card.get(F::Cognome) + QLatin1Char(' ') + card.get(F::Nome), 30)
           + QStringLiteral("  Tel. ") + padCut(card.get(F::Recapito), 16)
           + QStringLiteral("  C.F. ") + padCut(card.get(F::CodFisc), 16)
           + QStringLiteral("  Mansioni: ") + padCut(card.get(F::Conducente), 32);
}

QString referenceListLine(const AnagraficaRecord& card, AnagraficaField last)
{
    return padCut(card.get(F::Cognome) + QLatin1Char(' ') + card.get(F::Nome), 30)
           + QStringLiteral("  Tel. ") + padCut(card.get(F::Recapito), 16)
           + QStringLiteral("  C.F. ") + padCut(card.get(F::CodFisc), 16)
           + QStringLiteral("  Citt\u00e0: ") + padCut(card.get(F::ComuneRes), 28)
           + QStringLiteral("  ") + card.get(last);
}

void checkField(const uint8_t* data, size_t size)
{
    // A buffer of exactly the field's size: a read past it is an address error.
    const int capacity = 1 + data[0] % 250;
    std::vector<char> field(size_t(capacity) + 1, '\0');
    std::memcpy(field.data(), data + 1, std::min(size - 1, field.size()));
    const int lengthByte = static_cast<unsigned char>(field[0]);

    const QString value = FixedText::read(field.data(), capacity);
    FUZZ_CHECK(value.size() == std::min(lengthByte, capacity));

    // Storing what was read gives the same text bytes and reads back the same.
    std::vector<char> copy(field);
    const int kept = FixedText::store(copy.data(), capacity, value);
    FUZZ_CHECK(kept == value.size());
    FUZZ_CHECK(std::memcmp(copy.data() + 1, field.data() + 1, size_t(kept)) == 0);
    for (int i = 1 + kept; i <= capacity; ++i)
        FUZZ_CHECK(copy[size_t(i)] == '\0'); // nothing of the old bytes after the value
    FUZZ_CHECK(FixedText::read(copy.data(), capacity) == value);
}

void checkCard(const AnagraficaRecord& card)
{
    for (const AnagraficaFieldInfo& info : AnagraficaRecord::fields()) {
        const QString value = card.get(info.field);
        FUZZ_CHECK(value.size() <= info.capacity);
        FUZZ_CHECK(trimText(value) == value);
    }
    FUZZ_CHECK(personListLine(card) == referencePersonLine(card));
    FUZZ_CHECK(ListLine(card, F::Note) == referenceListLine(card, F::Note));
    FUZZ_CHECK(ListLine(card, F::Questioni) == referenceListLine(card, F::Questioni));
    for (const AnagraficaFieldInfo& info : AnagraficaRecord::fields()) {
        QString appended = QStringLiteral("x");
        card.appendTo(appended, info.field);
        FUZZ_CHECK(appended == QStringLiteral("x") + card.get(info.field));
    }
    // A value stored again reads back the same.
    AnagraficaRecord copy(card.bytes());
    for (const AnagraficaFieldInfo& info : AnagraficaRecord::fields())
        copy.set(info.field, card.get(info.field));
    for (const AnagraficaFieldInfo& info : AnagraficaRecord::fields())
        FUZZ_CHECK(copy.get(info.field) == card.get(info.field));
}

void checkRegistryFile(const QByteArray& bytes)
{
    const QString path = fuzzProgramFolder() + QStringLiteral("Anagrafica.pro");
    FUZZ_CHECK(writeBytes(path, bytes));
    {
        RecordFile file(path, AnagraficaRecord::kSize);
        FUZZ_CHECK(file.openOrCreate());
        FUZZ_CHECK(file.count() == bytes.size() / AnagraficaRecord::kSize);
        QByteArray buffer;
        qint64 read = 0;
        while (!file.atEnd()) {
            FUZZ_CHECK(file.read(buffer));
            FUZZ_CHECK(buffer.size() == AnagraficaRecord::kSize);
            checkCard(AnagraficaRecord(buffer));
            ++read;
        }
        FUZZ_CHECK(read == file.count());
        FUZZ_CHECK(!file.read(buffer)); // a trailing part is never a card
        FUZZ_CHECK(file.close());
    }
    FUZZ_CHECK(readBytes(path) == bytes); // reading changes no byte
    // A short buffer is a card padded with zeros.
    checkCard(AnagraficaRecord(bytes.left(AnagraficaRecord::kSize - 1)));
}

} // namespace

// The bytes as lines of a list: sorted, they are the same lines, in list order, equal lines
// in the order they came.
void checkSort(const QByteArray& bytes)
{
    QStringList lines;
    for (const QByteArray& line : bytes.split('\n'))
        lines.append(QString::fromLatin1(line));
    QStringList sorted = lines;
    sortListLines(sorted);
    FUZZ_CHECK(sorted.size() == lines.size());
    for (qsizetype i = 1; i < sorted.size(); ++i)
        FUZZ_CHECK(!listLineLess(sorted.at(i), sorted.at(i - 1)));
    QStringList a = lines;
    QStringList b = sorted;
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    FUZZ_CHECK(a == b);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    checkField(data, size);
    checkSort(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    checkRegistryFile(QByteArray(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1)));
    return 0;
}
