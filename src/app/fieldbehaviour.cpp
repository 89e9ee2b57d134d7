#include "app/fieldbehaviour.h"

#include "app/decor.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QWidget>

namespace {

class HighlightFollower : public QObject {
public:
    HighlightFollower(QWidget* field, ShapeRect* highlight) : QObject(field), m_highlight(highlight)
    {
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (!m_highlight)
            return false;
        if (event->type() == QEvent::FocusIn)
            m_highlight->show();
        else if (event->type() == QEvent::FocusOut)
            m_highlight->hide();
        return false;
    }

private:
    QPointer<ShapeRect> m_highlight;
};

class EnterMover : public QObject {
public:
    EnterMover(QWidget* field, QWidget* next) : QObject(field), m_next(next) {}

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if ((key == Qt::Key_Return || key == Qt::Key_Enter) && m_next) {
                m_next->setFocus(Qt::TabFocusReason);
                return true;
            }
        }
        return false;
    }

private:
    QPointer<QWidget> m_next;
};

} // namespace

ShapeRect* attachFocusHighlight(QWidget* field)
{
    QString name = field->objectName();
    if (name.startsWith(QLatin1String("txt")))
        name = name.mid(3);
    auto* highlight = new ShapeRect(field->parentWidget(), QStringLiteral("eff") + name,
                                    field->geometry().adjusted(-4, -4, 4, 4));
    highlight->fill(QColor(Qt::yellow)).outlineGradient(QColor(Qt::yellow), QColor(Qt::white), 1);
    highlight->stackUnder(field);
    highlight->hide();
    field->installEventFilter(new HighlightFollower(field, highlight));
    return highlight;
}

QObject* setEnterTarget(QWidget* field, QWidget* next)
{
    auto* mover = new EnterMover(field, next);
    field->installEventFilter(mover);
    return mover;
}
