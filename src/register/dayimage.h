#pragma once

#include <QAbstractButton>

// One look of a calendar day: the day number on a box, violet-lavender when absent, red when
// present. Clickable like a button (mouse, Space) and reachable with the keyboard.
class DayImage : public QAbstractButton {
    Q_OBJECT
public:
    DayImage(QWidget* parent, const QString& name, const QRect& geometry, int day, bool present);

    int day() const { return m_day; }
    bool presentLook() const { return m_present; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_day;
    bool m_present;
};
