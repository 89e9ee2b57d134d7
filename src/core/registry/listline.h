#pragma once

#include "core/registry/anagraficarecord.h"

#include <QString>
#include <QStringList>

#include <string>
#include <utility>
#include <vector>

// The line that describes a registry card in the system's lists of cards (the search results,
// the recontact list): fixed-width columns, then one free column at the end.
//
//   name (30) "  Tel. " phone (16) "  C.F. " tax code (16) "  Città: " town (28) two blanks
//   then the last column, trimmed, neither padded nor cut.

// The columns before the last one always take this many characters.
constexpr int kListLineFixedLength = 115;

// Appends n blanks to text, then keeps the first n characters.
QString padCut(const QString& text, int n);

// The line of a card, with the given field as its last column.
QString ListLine(const AnagraficaRecord& card, AnagraficaField lastColumn);

// Sorts lines into list order: ascending by their whole text, comparing the codes of the
// stored character set after mapping a to z onto A to Z. Lines that compare equal keep the
// order they came in. One sort of the whole list, O(n log n).
void sortListLines(QStringList& lines);

// True when a comes before b in list order.
bool listLineLess(const QString& a, const QString& b);

// The stored bytes of a field's value (Windows-1252) in a card's stored bytes (all
// AnagraficaRecord::kSize of them), trimmed as the registry trims the value: for readers that
// copy many cards' values without turning them into texts.
std::pair<const char*, int> storedValue(const char* card, AnagraficaField field);

// Copies the stored bytes of a field's value, trimmed, to dst, at most room of them; returns
// how many it copied.
int putStoredValue(char* dst, int room, const AnagraficaRecord& card, AnagraficaField field);
int putStoredValue(char* dst, int room, const char* card, AnagraficaField field);

// The columns that every line of a card begins with, as stored bytes: name (30) "  Tel. "
// phone (16) "  C.F. " tax code (16), written over the first kCardLineStartLength bytes at d,
// which hold blanks.
constexpr int kCardLineStartLength = 76;
void writeCardLineStart(const AnagraficaRecord& card, char* d);
void writeCardLineStart(const char* card, char* d);

// Appends the ListLine of card as the registry stores its characters (Windows-1252), built
// straight from the card's bytes: decoded, it is ListLine(card, lastColumn).
void appendListLineBytes(const AnagraficaRecord& card, AnagraficaField lastColumn,
                         std::string& out);
void appendListLineBytes(const char* card, AnagraficaField lastColumn, std::string& out);

// The lines of a list of cards held compactly, for lists of any length: each line's characters
// as the registry stores them (Windows-1252, one byte each), all lines one after the other in
// one buffer. A million lines take about 130 MB here, against some 300 MB as texts.
class CardLineList {
public:
    // Appends the ListLine of card, built straight from its stored bytes.
    void appendCard(const AnagraficaRecord& card, AnagraficaField lastColumn);
    // The same from a card's stored bytes (all AnagraficaRecord::kSize of them).
    void appendCard(const char* card, AnagraficaField lastColumn);
    // Appends the line that write(std::string& buffer) appends to the buffer, as stored bytes:
    // for lists whose lines are laid out otherwise.
    template <typename Write> void appendWith(Write&& write)
    {
        write(m_bytes);
        m_starts.push_back(qsizetype(m_bytes.size()));
        if (!m_order.empty())
            m_order.push_back(size() - 1);
    }
    void clear();
    // Makes room for lines more lines of about bytesPerLine bytes each, so that a list whose
    // length is known in advance grows without moving what it holds.
    void reserve(qsizetype lines, qsizetype bytesPerLine);

    qsizetype size() const { return qsizetype(m_starts.size()) - 1; }
    bool isEmpty() const { return size() == 0; }
    // Line i as text, exactly ListLine of its card.
    QString at(qsizetype i) const;
    QStringList toList() const;

    // Sorts the lines into list order, as sortListLines does; equal lines keep their order.
    void sort();

private:
    std::string m_bytes;
    // Stored line k is m_bytes[m_starts[k], m_starts[k + 1]), in the order the lines came.
    std::vector<qsizetype> m_starts{0};
    // After a sort, line i of the list is stored line m_order[i]; empty, line i is stored line i.
    // A sort moves these numbers, never the lines' bytes.
    std::vector<qsizetype> m_order;
};
