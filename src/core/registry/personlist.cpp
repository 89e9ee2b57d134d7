#include "core/registry/personlist.h"

#include "core/registry/anagraficarecord.h"
#include "core/registry/listline.h"
#include "core/storage/windows1252.h"

#include <cstring>

QString personName(const AnagraficaRecord& card)
{
    return card.get(AnagraficaField::Cognome) + QLatin1Char(' ') + card.get(AnagraficaField::Nome);
}

QString personListLine(const AnagraficaRecord& card)
{
    std::string bytes;
    bytes.reserve(kPersonListLineLength);
    appendPersonListLineBytes(card, bytes);
    QString line(qsizetype(bytes.size()), Qt::Uninitialized);
    decodeWindows1252(bytes.data(), qsizetype(bytes.size()), line.data());
    return line;
}

void appendPersonListLineBytes(const AnagraficaRecord& card, std::string& out)
{
    appendPersonListLineBytes(card.bytes().constData(), out);
}

void appendPersonListLineBytes(const char* card, std::string& out)
{
    // The columns are written straight into a line of 120 blanks: a registry of a million
    // cards is listed without a text of its own for every field.
    const size_t at = out.size();
    out.resize(at + kPersonListLineLength, ' ');
    char* d = out.data() + at;
    writeCardLineStart(card, d);
    std::memcpy(d + kCardLineStartLength, "  Mansioni: ", 12);
    putStoredValue(d + 88, 32, card, AnagraficaField::Conducente);
}
