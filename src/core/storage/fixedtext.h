#pragma once

#include <QByteArray>
#include <QString>

// A counted single-byte text field of capacity N: one length byte L followed by N bytes of
// Windows-1252 text, of which the first L are the value. Readers ignore the bytes after the
// value; every store writes them as zeros, so nothing of an earlier, longer value (a surname
// shortened, another person's card built in the same buffer) stays in the file.
//
// FixedText itself neither trims nor pads; the callers decide.
namespace FixedText {

// Stores value into the N + 1 bytes at field: converts it, keeps the first N bytes, sets the
// length byte and writes zeros over the rest of the field. Returns the bytes kept.
int store(char* field, int capacity, const QString& value);

// Reads the value of the field. A length byte larger than the capacity (a damaged file) is
// taken as the capacity, so a read never reaches into the next field.
QString read(const char* field, int capacity);

inline int store(QByteArray& record, int offset, int capacity, const QString& value)
{
    return store(record.data() + offset, capacity, value);
}
inline QString read(const QByteArray& record, int offset, int capacity)
{
    return read(record.constData() + offset, capacity);
}

} // namespace FixedText
