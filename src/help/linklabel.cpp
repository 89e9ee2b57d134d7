#include "help/linklabel.h"

#include "core/base/fonts.h"
#include "ui/decor.h"

#include <QPainter>

LinkLabel::LinkLabel(QWidget* parent, const QString& name, const QPoint& topLeft,
                     const QString& text)
    : QAbstractButton(parent)
{
    setObjectName(name);
    setText(text);
    QFont font = uiFont(QStringLiteral("Tahoma"), 14);
    font.setUnderline(true);
    setFont(font);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(text);
    setGeometry(QRect(topLeft, sizeHint()));
    followPresses(this);
    pressOnEnter(this);
}

void LinkLabel::setColour(const QColor& colour)
{
    m_colour = colour;
    update();
}

void LinkLabel::followPresses(QAbstractButton* button)
{
    connect(button, &QAbstractButton::pressed, this, [this] { setColour(pressedColour()); });
    connect(button, &QAbstractButton::released, this, [this] { setColour(normalColour()); });
}

QSize LinkLabel::sizeHint() const
{
    const QFontMetrics fm(font());
    return QSize(fm.horizontalAdvance(text()) + 4, fm.height() + 2);
}

void LinkLabel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setFont(font());
    p.setPen(m_colour);
    p.drawText(rect().adjusted(2, 1, -2, -1), Qt::AlignLeft | Qt::AlignVCenter, text());
    if (hasFocus()) {
        QPen pen(m_colour, 1, Qt::DotLine);
        p.setPen(pen);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}
