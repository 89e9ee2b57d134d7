#pragma once

#include <QAbstractButton>
#include <QColor>

// A text link of the help, information and notice windows: Tahoma 14 underlined, dark blue,
// hand cursor. It is a button for the keyboard and for assistive technologies (focus, Space,
// clicked()). While the mouse button is held on it, or on a companion picture hooked up with
// followPresses, it turns orange, then dark blue again.
class LinkLabel : public QAbstractButton {
    Q_OBJECT
public:
    static QColor normalColour() { return QColor(0x00, 0x00, 0x8B); }
    static QColor pressedColour() { return QColor(0xFF, 0xA5, 0x00); }

    // The link's size follows its text ("auto" size), starting at topLeft.
    LinkLabel(QWidget* parent, const QString& name, const QPoint& topLeft, const QString& text);

    QColor colour() const { return m_colour; }
    void setColour(const QColor& colour);

    // Pressing and releasing button (the link's icon) gives the link its pressed look too.
    void followPresses(QAbstractButton* button);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_colour = normalColour();
};
