#pragma once

#include "core/base/progress.h"
#include "core/registry/anagraficarecord.h"
#include "core/registry/listline.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <string>
#include <vector>

// Finding registry cards: the filters of the search screen, and the two passes over
// Anagrafica.pro that the lists of cards make (collecting the lines, and finding the card a
// line stands for). Each pass opens the file by open-or-create, reads it from the first card
// to the last and closes it again.

// The filters of a search: each holds a text as typed and the card field it is looked for in.
// A filter is in play when its text, trimmed, is not empty; a card is accepted when every
// filter in play occurs, lower-cased for a to z only and exactly as typed (blanks around the
// words included), somewhere in its field. With no filter in play every card is accepted.
class CardFilters {
public:
    void add(AnagraficaField field, const QString& typed);
    int inPlay() const { return int(m_filters.size()); }
    bool accepts(const AnagraficaRecord& card) const;

private:
    struct Filter {
        AnagraficaField field;
        QString key; // lower-cased for a to z
    };
    std::vector<Filter> m_filters;
};

// The lines of the accepted cards in file order, each with lastColumn as its last column;
// without accept, of every card.
// ok is false when the file could not be opened, read or closed, or progress stopped the pass;
// lines then holds what was read before.
struct CardLines {
    CardLineList lines;
    bool ok = true;
};
CardLines readCardLines(AnagraficaField lastColumn,
                        const std::function<bool(const AnagraficaRecord&)>& accept,
                        const WorkProgress& progress = {});

// The card a list line stands for: the last card in file order whose line (with lastColumn as
// last column), trimmed, equals line, trimmed. index is -1 when none does. ok is false when the
// file could not be opened, read or closed; a card matched before the failure is still given.
struct CardOfLine {
    bool ok = true;
    qint64 index = -1;
    AnagraficaRecord record;
};
CardOfLine findCardOfLine(const QString& line, AnagraficaField lastColumn,
                          const WorkProgress& progress = {});
// The same for a list whose lines writeLine(card, buffer) appends to the buffer as the registry
// stores their characters.
using CardLineWriter = std::function<void(const AnagraficaRecord& card, std::string& out)>;
CardOfLine findCardOfLine(const QString& line, const CardLineWriter& writeLine,
                          const WorkProgress& progress = {});
