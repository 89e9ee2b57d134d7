#pragma once

#include <QRect>
#include <QString>
#include <QWidget>

class YearModel;

// The calendar's twelve month rows of day cells, drawn from a year model: one row per month,
// as many cells as the month has in a leap year, each 24 x 33, 26 apart, the rows 40 apart.
// A present day shows the day number in white on red, an absent day in dark blue on lavender.
//
// One keyboard stop: Left and Right move by day, Up and Down to the same day of the month
// above or below (the month's last day when it is shorter), Home and End to the first and last
// day of the month, Page Up and Page Down to January and December; Enter, Space and a click
// open the day. A screen reader meets a table: rows are months, cells are days, each named
// with its date, its state and its text.
class DayGrid : public QWidget {
    Q_OBJECT
public:
    static constexpr int kCellWidth = 24;
    static constexpr int kCellHeight = 33;
    static constexpr int kColumnStep = 26;
    static constexpr int kRowStep = 40;
    static constexpr int kColumns = 31;
    static constexpr int kRows = 12;

    // The grid's top left corner is that of 1 January's cell.
    DayGrid(QWidget* parent, const QPoint& topLeft, const YearModel* year);

    const YearModel& year() const { return *m_year; }

    int currentSlot() const { return m_current; }
    void setCurrentSlot(int slot);

    // Where a day's cell lies within the grid; empty for a slot out of range.
    static QRect cellRect(int slot);
    // The day whose cell holds pos (grid coordinates), -1 between and beside the cells.
    static int slotAt(const QPoint& pos);

    // The hint of the info line while the pointer is over a day; a screen reader hears it once,
    // as the grid's description.
    static QString dayHint();

    // "11 marzo, presente: Ufficio", "12 marzo, assente": what a screen reader says of a day.
    QString cellName(int slot) const;

    // The model's day changed: the cell is drawn again and its new name announced.
    void dayChanged(int slot);
    // The whole year changed (another year opened).
    void yearChanged();

    // Opens the day (as Enter or a click does).
    void activate(int slot);

signals:
    void dayActivated(int slot);
    // The pointer is over a day's cell (true) or over the gaps between them (false).
    void pointerOverDay(bool overDay);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void announceCurrent();

    const YearModel* m_year;
    int m_current = 0;
    int m_pressed = -1;
};
