#include "register/personlist.h"

#include "registry/anagraficarecord.h"
#include "storage/text.h"

namespace {

// Appends n blanks, then keeps the first n characters.
QString padCut(const QString& text, int n) {
    return (text + QString(n, QLatin1Char(' '))).left(n);
}

} // namespace

QString personName(const AnagraficaRecord& card) {
    return card.get(AnagraficaField::Cognome) + QLatin1Char(' ') + card.get(AnagraficaField::Nome);
}

QString personListLine(const AnagraficaRecord& card) {
    return padCut(personName(card), 30) + QStringLiteral("  Tel. ") +
           padCut(card.get(AnagraficaField::Recapito), 16) + QStringLiteral("  C.F. ") +
           padCut(card.get(AnagraficaField::CodFisc), 16) + QStringLiteral("  Mansioni: ") +
           padCut(card.get(AnagraficaField::Conducente), 32);
}

int findPersonLine(const QStringList& lines, int selected, const QString& key,
                   const QString& lastKey) {
    const int count = int(lines.size());
    if (count == 0 || key.isEmpty())
        return -1;
    const auto matches = [&](int index) { return lowerAZ(lines.at(index)).contains(key); };
    const bool findNext = key == lastKey;
    const int start = findNext ? qBound(0, selected, count - 1) : 0;
    if (!findNext && matches(start))
        return start;
    // Walk on from the start, wrapping round, and test the start line itself last.
    for (int step = 1; step <= count; ++step) {
        const int index = (start + step) % count;
        if (matches(index))
            return index;
    }
    return -1;
}
