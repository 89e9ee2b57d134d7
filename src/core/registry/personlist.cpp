#include "core/registry/personlist.h"

#include "core/registry/anagraficarecord.h"

QString personName(const AnagraficaRecord& card)
{
    return card.get(AnagraficaField::Cognome) + QLatin1Char(' ') + card.get(AnagraficaField::Nome);
}

QString personListLine(const AnagraficaRecord& card)
{
    // The columns are written straight into a line of 120 blanks: a registry of a hundred
    // thousand cards is listed without a text of its own for every field.
    using F = AnagraficaField;
    QString line(120, QLatin1Char(' '));
    QChar* d = line.data();
    const int surname = card.writeTo(d, 30, F::Cognome);
    if (surname < 29)
        card.writeTo(d + surname + 1, 29 - surname, F::Nome);
    auto put = [d](int at, const char* text) {
        for (; *text; ++text)
            d[at++] = QLatin1Char(*text);
    };
    put(30, "  Tel. ");
    card.writeTo(d + 37, 16, F::Recapito);
    put(53, "  C.F. ");
    card.writeTo(d + 60, 16, F::CodFisc);
    put(76, "  Mansioni: ");
    card.writeTo(d + 88, 32, F::Conducente);
    return line;
}
