#pragma once

#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QCoreApplication>

// Ends the event loop as soon as the watched window has painted for the first time: the
// moment the user sees it.
class QuitOnFirstPaint : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_done) {
            m_done = true;
            QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_done = false;
};
