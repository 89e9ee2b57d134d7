#include "register/dayimage.h"

#include "core/base/fonts.h"
#include "ui/decor.h"

#include <QPainter>

DayImage::DayImage(QWidget* parent, const QString& name, const QRect& geometry, int day,
                   bool present)
    : QAbstractButton(parent), m_day(day), m_present(present)
{
    setObjectName(name);
    setGeometry(geometry);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setText(QString::number(day));
    pressOnEnter(this);
}

void DayImage::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor fill = m_present ? QColor(0xFE, 0x05, 0x10) : QColor(0xD9, 0xD2, 0xF0);
    const QColor border = m_present ? QColor(0xFE, 0x7A, 0x80) : QColor(Qt::white);
    const QColor number = m_present ? QColor(Qt::white) : QColor(0x1A, 0x23, 0x7E);

    const QRectF box = QRectF(rect()).adjusted(1, 1, -1, -1);
    p.setPen(QPen(border, 2));
    p.setBrush(fill);
    p.drawRoundedRect(box, 3, 3);
    // A soft light on the upper half gives the cell some depth.
    QLinearGradient shine(0, 0, 0, height() / 2.0);
    shine.setColorAt(0, QColor(255, 255, 255, 90));
    shine.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shine);
    p.drawRoundedRect(box.adjusted(1.5, 1.5, -1.5, -box.height() / 2), 2, 2);

    p.setPen(number);
    p.setFont(uiFont(QStringLiteral("Verdana"), 11, true));
    p.drawText(rect(), Qt::AlignCenter, QString::number(m_day));

    if (hasFocus()) {
        p.setPen(QPen(QColor(0xFF, 0xA5, 0x00), 2, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
}
