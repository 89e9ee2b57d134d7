#include "register/personlist.h"

#include "registry/anagraficarecord.h"
#include "storage/text.h"

namespace {

// Appends n blanks, then keeps the first n characters.
QString padCut(const QString& text, int n)
{
    return (text + QString(n, QLatin1Char(' '))).left(n);
}

} // namespace

QString personName(const AnagraficaRecord& card)
{
    return card.get(AnagraficaField::Cognome) + QLatin1Char(' ') + card.get(AnagraficaField::Nome);
}

QString personListLine(const AnagraficaRecord& card)
{
    return padCut(personName(card), 30) + QStringLiteral("  Tel. ")
           + padCut(card.get(AnagraficaField::Recapito), 16) + QStringLiteral("  C.F. ")
           + padCut(card.get(AnagraficaField::CodFisc), 16) + QStringLiteral("  Mansioni: ")
           + padCut(card.get(AnagraficaField::Conducente), 32);
}
