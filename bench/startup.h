#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <cstdlib>

// Installed on the application: ends the program as soon as a window has painted for the first
// time, the moment the user sees it. Nothing after it is counted (what the program goes on to do
// once its window is up, and the tearing down, which nobody waits for).
class QuitOnFirstPaint : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_done && watched->isWidgetType()
            && static_cast<QWidget*>(watched)->isWindow()) {
            m_done = true;
            QTimer::singleShot(0, [] { std::_Exit(0); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_done = false;
};
