#include "core/register/yearfile.h"

#include "core/storage/fixedtext.h"
#include "core/storage/programfolder.h"
#include "core/storage/recordfile.h"
#include "core/storage/safefile.h"
#include "core/storage/text.h"

#include <QFile>
#include <QFileInfo>

const std::array<MonthInfo, 12>& MonthTable()
{
    static const std::array<MonthInfo, 12> table{{
        {1, "gen", "Gen", "gennaio", 31, 0},
        {2, "feb", "Feb", "febbraio", 29, 31},
        {3, "mar", "Mar", "marzo", 31, 60},
        {4, "apr", "Apr", "aprile", 30, 91},
        {5, "mag", "Mag", "maggio", 31, 121},
        {6, "giu", "Giu", "giugno", 30, 152},
        {7, "lug", "Lug", "luglio", 31, 182},
        {8, "ago", "Ago", "agosto", 31, 213},
        {9, "set", "Set", "settembre", 30, 244},
        {10, "ott", "Ott", "ottobre", 31, 274},
        {11, "nov", "Nov", "novembre", 30, 305},
        {12, "dic", "Dic", "dicembre", 31, 335},
    }};
    return table;
}

int DaySlot(int month, int day)
{
    if (month < 1 || month > 12)
        return -1;
    const MonthInfo& m = MonthTable()[size_t(month - 1)];
    if (day < 1 || day > m.days)
        return -1;
    return m.firstSlot + day - 1;
}

MonthDay slotDate(int slot)
{
    if (slot < 0 || slot >= kDaysPerYear)
        return {0, 0};
    for (const MonthInfo& m : MonthTable()) {
        if (slot < m.firstSlot + m.days)
            return {m.number, slot - m.firstSlot + 1};
    }
    return {0, 0};
}

QString DayKey(int slot)
{
    const MonthDay date = slotDate(slot);
    if (date.month == 0)
        return QString();
    return QString::fromLatin1(MonthTable()[size_t(date.month - 1)].keyPrefix) + QLatin1Char('_')
           + QStringLiteral("%1").arg(date.day, 2, 10, QLatin1Char('0'));
}

int slotOfDayKey(const QString& key)
{
    // "mmm_dd": exactly six characters, a known prefix, two digits naming a day of the month.
    if (key.size() != 6 || key.at(3) != QLatin1Char('_') || !key.at(4).isDigit()
        || !key.at(5).isDigit() || key.at(4).unicode() > '9' || key.at(5).unicode() > '9')
        return -1;
    const int day = (key.at(4).unicode() - '0') * 10 + (key.at(5).unicode() - '0');
    for (const MonthInfo& m : MonthTable()) {
        if (key.left(3) == QLatin1String(m.keyPrefix))
            return DaySlot(m.number, day);
    }
    return -1;
}

PresenzeRecord::PresenzeRecord() : m_bytes(kSize, '\0') {}

PresenzeRecord::PresenzeRecord(const QByteArray& bytes) : m_bytes(bytes.left(kSize))
{
    if (m_bytes.size() < kSize)
        m_bytes.append(QByteArray(kSize - m_bytes.size(), '\0'));
}

QString PresenzeRecord::text(int slot) const
{
    return trimText(FixedText::read(m_bytes, offsetOf(slot), kCapacity));
}

void PresenzeRecord::setText(int slot, const QString& value)
{
    FixedText::store(m_bytes, offsetOf(slot), kCapacity, trimText(value));
}

QString YearFileName(const QString& codiceFiscale, const QString& year)
{
    return programFolder() + QStringLiteral("Registro presenze ") + trimText(codiceFiscale)
           + QStringLiteral(" anno ") + trimText(year) + QStringLiteral(".vsr");
}

bool isYearFilePathUsable(const QString& path)
{
    const QString folder = programFolder();
    if (!path.startsWith(folder))
        return false;
    const QString name = path.mid(folder.size());
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    static const QString forbidden = QStringLiteral("/\\:*?\"<>|");
    for (const QChar c : name) {
        if (c.unicode() < 32 || c.unicode() == 127 || forbidden.contains(c))
            return false;
    }
    return true;
}

QStringList emptyYear()
{
    QStringList texts;
    texts.reserve(kDaysPerYear);
    for (int s = 0; s < kDaysPerYear; ++s)
        texts.append(QString());
    return texts;
}

namespace {

// Reads the first record of an open year file into texts; false on a read error.
bool readFirstRecord(RecordFile& file, QStringList& texts)
{
    if (file.count() > 0) {
        QByteArray bytes;
        if (!file.seek(0) || !file.read(bytes))
            return false;
        const PresenzeRecord record(bytes);
        for (int s = 0; s < kDaysPerYear; ++s)
            texts[s] = record.text(s);
    }
    return true;
}

} // namespace

OpenedYear OpenYear(const QString& path)
{
    OpenedYear year;
    year.texts = emptyYear();
    if (!isYearFilePathUsable(path)) {
        year.problem = YearProblem::UnusableName;
        return year;
    }
    const QFileInfo info(path);
    const bool existed = info.exists() || info.isSymLink();
    {
        RecordFile file(path, PresenzeRecord::kSize);
        if (file.openOrCreate()) {
            if (readFirstRecord(file, year.texts))
                return year;
            year.texts = emptyYear();
            year.problem = YearProblem::Unreadable;
            return year;
        }
    }
    if (!existed) {
        year.problem = YearProblem::NoNewFile;
        return year;
    }
    // An existing file that does not open for writing: its days are still shown when it can
    // be read, and it is never written.
    RecordFile reader(path, PresenzeRecord::kSize);
    if (info.isFile() && reader.openReadOnly() && readFirstRecord(reader, year.texts)) {
        year.problem = YearProblem::ReadOnly;
        return year;
    }
    year.texts = emptyYear();
    year.problem = YearProblem::Unreadable;
    return year;
}

QStringList LoadYear(const QString& path, bool* ok)
{
    OpenedYear year = OpenYear(path);
    if (ok)
        *ok = year.storable();
    if (!year.storable())
        return emptyYear();
    return year.texts;
}

WriteResult storeYear(const QString& path, const QStringList& texts)
{
    if (!isYearFilePathUsable(path))
        return WriteResult::failure(QStringLiteral("not a usable year file name: ") + path);
    PresenzeRecord record;
    for (int s = 0; s < kDaysPerYear && s < texts.size(); ++s)
        record.setText(s, texts.at(s));

    // The file must open for reading and writing as it is: a year file that may not be
    // written is left alone. Records after the first are kept byte for byte.
    QByteArray later;
    {
        RecordFile file(path, PresenzeRecord::kSize);
        if (!file.openOrCreate())
            return WriteResult::failure(path + QStringLiteral(": ") + file.errorString());
        QFile read(path);
        if (!read.open(QIODevice::ReadOnly))
            return WriteResult::failure(path + QStringLiteral(": ") + read.errorString());
        if (read.size() > PresenzeRecord::kSize) {
            if (!read.seek(PresenzeRecord::kSize))
                return WriteResult::failure(path + QStringLiteral(": ") + read.errorString());
            later = read.readAll();
            if (later.size() != read.size() - PresenzeRecord::kSize)
                return WriteResult::failure(path + QStringLiteral(": short read"));
        }
        file.close();
    }

    // The whole file is written aside and put in place only when complete and on the disk,
    // so a device that fills up, a crash or a power cut never leaves the stored year half
    // overwritten.
    SafeFile out(path);
    if (!out.open()) {
        // A folder that takes no new file, though the year file itself may be written: the
        // record goes in place (flushed, but not proof against a power cut during the write),
        // as the file's own rules have it.
        RecordFile file(path, PresenzeRecord::kSize);
        if (file.openOrCreate() && file.seek(0) && file.write(record.bytes()) && file.close())
            return WriteResult::success();
        return WriteResult::failure(path + QStringLiteral(": ") + file.errorString());
    }
    out.write(record.bytes());
    if (!later.isEmpty())
        out.write(later);
    return out.commit();
}

bool SaveYear(const QString& path, const QStringList& texts)
{
    return storeYear(path, texts).ok();
}
