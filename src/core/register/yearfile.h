#pragma once

#include "core/storage/writeresult.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>

// One person's attendance in one calendar year: 366 day texts (29 February included), stored
// as the single record of a year file in the program folder. A non-empty text means present.

// The twelve months as the register names and numbers them. Every month has as many days as in
// a leap year, so 29 February always has its place.
struct MonthInfo {
    int number;            // 1..12
    const char* keyPrefix; // "gen": the first part of the day keys ("gen_01")
    const char* namePart;  // "Gen": the month part of the calendar's control names (titGen)
    const char* textName;  // "gennaio": the month as titles and summaries write it
    int days;              // cells of the month (29 for February)
    int firstSlot;         // DaySlot of its 1st day
};

const std::array<MonthInfo, 12>& MonthTable();

constexpr int kDaysPerYear = 366;

// The 0-based position of a date within the year record: 1 January is 0, 29 February 59,
// 1 March 60, 31 December 365, in every year. -1 for dates no month has (30 February, 31 April,
// month or day out of range).
int DaySlot(int month, int day);

// The month (1..12) and day of the month of a slot; {0, 0} when slot is out of range.
struct MonthDay {
    int month;
    int day;
};
MonthDay slotDate(int slot);

// "gen_01" ... "dic_31": the identifier of a day between the calendar and the day dialog.
// Empty for a slot out of range.
QString DayKey(int slot);
// The slot of a day key, -1 when the text is not exactly one of the 366 keys.
int slotOfDayKey(const QString& key);

// The record of a year file: 366 counted texts of capacity 250, 251 bytes each, 91866 bytes.
class PresenzeRecord {
public:
    static constexpr int kCapacity = 250;
    static constexpr int kFieldSize = kCapacity + 1;
    static constexpr int kSize = kDaysPerYear * kFieldSize;

    PresenzeRecord();                                 // every day empty, every byte zero
    explicit PresenzeRecord(const QByteArray& bytes); // padded with zeros when short

    static constexpr int offsetOf(int slot) { return slot * kFieldSize; }

    // The trimmed text of a day.
    QString text(int slot) const;
    // Stores the trimmed text, cut to 250 bytes in the single-byte encoding.
    void setText(int slot, const QString& value);

    const QByteArray& bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

static_assert(PresenzeRecord::kSize == 91866, "the year record is 91866 bytes");

// The path of the year file of a person (by codice fiscale) and a year: the program folder,
// "Registro presenze ", the trimmed codice fiscale, " anno ", the trimmed year, ".vsr".
QString YearFileName(const QString& codiceFiscale, const QString& year);

// True when path names a file directly in the program folder whose name holds only characters
// a file name can hold (no path separator, none of : * ? " < > |, no control character).
// The year file operations touch nothing else, so a codice fiscale such as "AB/../../x" never
// reaches another folder.
bool isYearFilePathUsable(const QString& path);

// Why a year opened in the calendar cannot be stored.
enum class YearProblem {
    None,         // the year can be stored
    UnusableName, // the codice fiscale gives no usable file name (see isYearFilePathUsable)
    Unreadable,   // the year file exists but cannot be read (no right to, not a regular file)
    ReadOnly,     // the year file can be read but not written
    NoNewFile,    // no year file yet, and the program folder takes no new file
    NoRoom,       // the year could not be stored when it was opened (a full device)
};

// The 366 texts of a year without a day present, as a missing or empty year file reads.
QStringList emptyYear();

// A year as the calendar opens it: the 366 day texts (trimmed, indexed by DaySlot) and whether
// it can be stored. A missing file is created empty. The texts are the stored days whenever the
// file could be read (a read-only year file too); otherwise all 366 are empty.
struct OpenedYear {
    QStringList texts;
    YearProblem problem = YearProblem::None;
    bool storable() const { return problem == YearProblem::None; }
};
OpenedYear OpenYear(const QString& path);

// Reads the 366 day texts (trimmed, indexed by DaySlot). A missing file is created empty. Every
// failure gives 366 empty texts; ok, when given, tells whether the year was really read (a
// missing, empty or short file is read correctly as an empty year; an unreadable file, a read
// error or an unusable path are failures).
QStringList LoadYear(const QString& path, bool* ok = nullptr);

// Writes the 366 texts as record 0 (created when missing); records after the first stay as
// they are. The file is replaced whole (SafeFile): on success the year is on the disk, and a
// power cut at any instant leaves the old year or the new one. A failure stored nothing and
// says why.
WriteResult storeYear(const QString& path, const QStringList& texts);
// The same, true when the year was stored.
bool SaveYear(const QString& path, const QStringList& texts);
