#include "core/access/passwordstore.h"

#include "core/access/crypt.h"
#include "core/storage/disk.h"
#include "core/storage/programfolder.h"
#include "core/storage/regularfile.h"
#include "core/storage/safefile.h"
#include "core/storage/text.h"

#include <QByteArray>
#include <QFileInfo>
#include <QList>

namespace {

const QString kSection = QStringLiteral("Accesso");
const QString kKey = QStringLiteral("Valore");

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

QByteArray trimBlanks(const QByteArray& bytes)
{
    qsizetype begin = 0;
    qsizetype end = bytes.size();
    while (begin < end && isBlank(bytes.at(begin)))
        ++begin;
    while (end > begin && isBlank(bytes.at(end - 1)))
        --end;
    return bytes.mid(begin, end - begin);
}

bool sameName(const QByteArray& bytes, const QString& name)
{
    return QString::fromLatin1(bytes).compare(name, Qt::CaseInsensitive) == 0;
}

// One line of the file, its end of line included, and what it means.
struct IniLine {
    QByteArray bytes;
    enum Kind { Other, Section, Key } kind = Other;
    QByteArray name;       // the section's or the key's name
    qsizetype valueAt = 0; // for a key: where the text after '=' begins
};

QList<IniLine> parseLines(const QByteArray& content)
{
    QList<IniLine> lines;
    qsizetype start = 0;
    while (start < content.size()) {
        qsizetype end = content.indexOf('\n', start);
        end = end < 0 ? content.size() : end + 1;
        IniLine line;
        line.bytes = content.mid(start, end - start);
        // A byte order mark before the first line is not part of its text.
        const qsizetype from = start == 0 && line.bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
        const QByteArray trimmed = trimBlanks(line.bytes.mid(from));
        if (trimmed.startsWith('[')) {
            const qsizetype close = trimmed.indexOf(']');
            if (close > 0) {
                line.kind = IniLine::Section;
                line.name = trimBlanks(trimmed.mid(1, close - 1));
            }
        } else if (!trimmed.startsWith(';') && !trimmed.startsWith('#')) {
            const qsizetype equals = line.bytes.indexOf('=', from);
            if (equals >= 0) {
                line.kind = IniLine::Key;
                line.name = trimBlanks(line.bytes.mid(from, equals - from));
                line.valueAt = equals + 1;
            }
        }
        lines.append(line);
        start = end;
    }
    return lines;
}

// The line of key in section, or -1; the section's header line (or -1) and the last line
// that belongs to it go to the out parameters.
qsizetype findKey(const QList<IniLine>& lines, const QString& section, const QString& key,
                  qsizetype* header, qsizetype* lastOfSection)
{
    *header = -1;
    *lastOfSection = -1;
    bool inside = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const IniLine& line = lines.at(i);
        if (line.kind == IniLine::Section) {
            if (inside)
                return -1; // the first section of that name is the one that counts
            inside = sameName(line.name, section);
            if (inside)
                *header = *lastOfSection = i;
            continue;
        }
        if (!inside)
            continue;
        if (!trimBlanks(line.bytes).isEmpty())
            *lastOfSection = i;
        if (line.kind == IniLine::Key && sameName(line.name, key))
            return i;
    }
    return -1;
}

QByteArray lineEnding(const QByteArray& content)
{
    const qsizetype lf = content.indexOf('\n');
    if (lf < 0)
        return QByteArrayLiteral("\r\n");
    return lf > 0 && content.at(lf - 1) == '\r' ? QByteArrayLiteral("\r\n")
                                                : QByteArrayLiteral("\n");
}

QByteArray endOf(const QByteArray& line)
{
    if (line.endsWith("\r\n"))
        return QByteArrayLiteral("\r\n");
    if (line.endsWith('\n'))
        return QByteArrayLiteral("\n");
    return QByteArray();
}

} // namespace

PasswordStore::PasswordStore() : m_path(programFolder() + fileName()) {}

PasswordStore::PasswordStore(const QString& path) : m_path(path) {}

std::optional<QString> PasswordStore::readValue(const QString& section, const QString& key) const
{
    if (!QFileInfo::exists(m_path))
        return QString();
    // Only a regular file of sane size is read: a FIFO in its place would wait for a writer
    // for good, a link to /dev/zero would never end.
    const std::optional<QByteArray> content = readRegularFile(m_path, kMaxFileBytes);
    if (!content)
        return std::nullopt;
    const QList<IniLine> lines = parseLines(*content);
    qsizetype header = 0;
    qsizetype last = 0;
    const qsizetype at = findKey(lines, section, key, &header, &last);
    if (at < 0)
        return QString();
    return QString::fromLatin1(trimBlanks(lines.at(at).bytes.mid(lines.at(at).valueAt)));
}

WriteResult PasswordStore::writeValue(const QString& section, const QString& key,
                                      const QString& value) const
{
    QByteArray content;
    if (QFileInfo::exists(m_path)) {
        // The file is read as readValue reads it; and a file that may not be written keeps
        // its value, even where the folder would allow replacing it.
        const std::optional<QByteArray> read = readRegularFile(m_path, kMaxFileBytes);
        if (!read)
            return WriteResult::failure(m_path + QStringLiteral(": cannot be read"));
        content = *read;
        if (const int refused = disk().mayWrite(m_path))
            return WriteResult::failure(m_path + QStringLiteral(": ") + diskErrorText(refused));
    }

    const QByteArray eol = lineEnding(content);
    const QByteArray valueBytes = value.toLatin1();
    QList<IniLine> lines = parseLines(content);
    qsizetype header = 0;
    qsizetype last = 0;
    const qsizetype at = findKey(lines, section, key, &header, &last);
    if (at >= 0) {
        IniLine& line = lines[at];
        line.bytes = line.bytes.left(line.valueAt) + valueBytes + endOf(line.bytes);
    } else {
        const QByteArray keyLine = key.toLatin1() + '=' + valueBytes + eol;
        if (header < 0) {
            if (!lines.isEmpty() && endOf(lines.last().bytes).isEmpty())
                lines.last().bytes += eol;
            IniLine sectionLine;
            sectionLine.bytes = '[' + section.toLatin1() + ']' + eol;
            lines.append(sectionLine);
            last = lines.size() - 1;
        } else if (endOf(lines.at(last).bytes).isEmpty()) {
            lines[last].bytes += eol;
        }
        IniLine added;
        added.bytes = keyLine;
        lines.insert(last + 1, added);
    }

    QByteArray out;
    out.reserve(content.size() + valueBytes.size() + 32);
    for (const IniLine& line : lines)
        out += line.bytes;

    return writeWholeFile(m_path, out);
}

std::optional<QString> PasswordStore::readPassword() const
{
    const std::optional<QString> value = readValue(kSection, kKey);
    if (!value)
        return std::nullopt;
    const std::optional<QString> password = Decrypt(*value);
    if (!password)
        return std::nullopt;
    return trimText(*password);
}

StoreResult PasswordStore::storePassword(const QString& typed) const
{
    const QString password = normalisePassword(typed);
    for (const QChar c : password) {
        if (c.unicode() > 0xFF)
            return StoreResult::NotStorable;
    }
    const std::optional<QString> hex = Encrypt(password);
    if (!hex)
        return StoreResult::TooLong;
    return writeValue(kSection, kKey, trimText(*hex)) ? StoreResult::Stored
                                                      : StoreResult::WriteFailed;
}

QString normalisePassword(const QString& typed)
{
    return trimText(upperAZ(typed));
}

bool passwordMatches(const QString& stored, const QString& typed)
{
    return stored == normalisePassword(typed);
}
