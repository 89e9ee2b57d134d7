#pragma once

#include "core/register/yearfile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The calendar's working copy of one person's year: the 366 day texts in DaySlot order, the
// year file they come from and whether they can be stored there. The calendar, the day dialog,
// the summary and the calendar sheet read and change this, never widgets.
//
// The year is stored whole (SaveYear) each time a day is applied and when the calendar is
// left. A store writes nothing when the file is no longer what this model read or last stored
// (another copy of the program, a backup put back): the days there are not replaced unseen.
class YearModel {
public:
    YearModel();

    // Opens the year of path (OpenYear). When it can be stored, it is stored at once, as it
    // was read: a new year thereby gets its record of 366 empty days (which loads exactly as
    // the empty file does), and a device with no room for the year says so now, as
    // YearProblem::NoRoom, rather than when the first day is lost.
    void open(const QString& path);
    // No year: 366 empty days, no file, nothing to store.
    void clear();

    const QString& path() const { return m_path; }
    bool hasFile() const { return !m_path.isEmpty(); }
    YearProblem problem() const { return m_problem; }
    bool storable() const { return hasFile() && m_problem == YearProblem::None; }

    const QStringList& texts() const { return m_texts; }
    QString text(int slot) const;
    bool isPresent(int slot) const { return !text(slot).isEmpty(); }
    // Sets a day's text, trimmed. False, changing nothing, for a slot out of range.
    bool setText(int slot, const QString& text);

    // True while the days differ from the ones in the file (never stored, or a store failed).
    bool hasUnstoredDays() const { return m_texts != m_storedTexts; }

    enum class StoreOutcome {
        Stored,           // the file holds the 366 days shown
        CannotBeStored,   // the year could not be stored from the start (problem())
        ChangedElsewhere, // the file changed since it was read or stored: nothing written
        Failed,           // the write failed; the file is as it was
    };
    StoreOutcome store();

private:
    QString m_path;
    YearProblem m_problem = YearProblem::None;
    QStringList m_texts;
    QStringList m_storedTexts;
    // What the file held when it was read or last stored: its bytes' digest, empty when the
    // file was missing or could not be read.
    QByteArray m_fileDigest;
};
