#include "ui/infoline.h"

#include "core/base/fonts.h"
#include "ui/decor.h"

#include <QEvent>
#include <QLabel>

InfoLine::InfoLine(QWidget* parent, const QRect& barGeometry, const QString& designText)
    : QObject(parent)
{
    m_bar = new ShapeRect(parent, QStringLiteral("shpInfo"), barGeometry);
    m_bar->fill(QColor(0x30, 0x30, 0xDD));
    m_bar->setAttribute(Qt::WA_TransparentForMouseEvents, false);
    m_text = new QLabel(designText, parent);
    m_text->setObjectName(QStringLiteral("panInfo"));
    m_text->setGeometry(barGeometry.adjusted(8, 0, -8, 0));
    m_text->setFont(uiFont(QStringLiteral("Tahoma"), 12));
    m_text->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    m_text->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
    // A reader hears the hint itself (a label's name is its text) and what the bar is.
    m_text->setAccessibleDescription(QStringLiteral("Barra informazioni"));
    addClearer(m_bar);
    addClearer(m_text);
}

void InfoLine::setHint(QWidget* control, const QString& hint)
{
    m_hints.insert(control, hint);
    control->setMouseTracking(true);
    control->setToolTip(QString());
    control->setAccessibleDescription(hint);
    control->installEventFilter(this);
}

void InfoLine::addClearer(QWidget* background)
{
    background->setMouseTracking(true);
    background->installEventFilter(this);
}

QString InfoLine::text() const
{
    return m_text->text();
}

bool InfoLine::eventFilter(QObject* watched, QEvent* event)
{
    // Only a real movement of the pointer counts: a window that appears under a resting
    // pointer keeps its design-time text.
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::HoverMove) {
        auto* w = static_cast<QWidget*>(watched);
        const auto it = m_hints.constFind(w);
        m_text->setText(it == m_hints.constEnd() ? QString() : it.value());
    }
    return false;
}
