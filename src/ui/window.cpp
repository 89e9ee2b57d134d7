#include "ui/window.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QWidget>

namespace {

// Paints the window's background before the window paints itself.
class BackgroundPainter : public QObject {
public:
    BackgroundPainter(QWidget* window, const QColor& colour, GradientFrom from, bool gradient)
        : QObject(window), m_colour(colour), m_from(from), m_gradient(gradient)
    {
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            auto* w = static_cast<QWidget*>(watched);
            QPainter p(w);
            if (m_gradient) {
                QLinearGradient g(0, 0, 0, w->height());
                const QColor top = m_from == GradientFrom::Top ? m_colour : QColor(Qt::white);
                const QColor bottom = m_from == GradientFrom::Top ? QColor(Qt::white) : m_colour;
                g.setColorAt(0, top);
                g.setColorAt(1, bottom);
                p.fillRect(w->rect(), g);
            } else {
                p.fillRect(w->rect(), m_colour);
            }
        }
        return false;
    }

private:
    QColor m_colour;
    GradientFrom m_from;
    bool m_gradient;
};

// Keeps a container centred in its window.
class CentreKeeper : public QObject {
public:
    CentreKeeper(QWidget* window, QWidget* container) : QObject(container), m_container(container)
    {
        window->installEventFilter(this);
        place(window);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Resize || event->type() == QEvent::Show)
            place(static_cast<QWidget*>(watched));
        return false;
    }

private:
    void place(QWidget* window)
    {
        const QSize size = m_container->size();
        m_container->move(qMax(0, (window->width() - size.width()) / 2),
                          qMax(0, (window->height() - size.height()) / 2));
    }

    QWidget* m_container;
};

void installBackground(QWidget* window, const QColor& colour, GradientFrom from, bool gradient)
{
    window->installEventFilter(new BackgroundPainter(window, colour, from, gradient));
    QPalette pal = window->palette();
    pal.setColor(QPalette::Window, gradient ? QColor(Qt::white) : colour);
    window->setPalette(pal);
    window->update();
}

} // namespace

void setWindowGradient(QWidget* window, const QColor& colour, GradientFrom from)
{
    installBackground(window, colour, from, true);
}

void setWindowFill(QWidget* window, const QColor& colour)
{
    installBackground(window, colour, GradientFrom::Top, false);
}

void setupFixedWindow(QWidget* window, const QString& caption, QSize clientSize, CentreOn centre)
{
    window->setWindowTitle(caption);
    window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                           | Qt::MSWindowsFixedSizeDialogHint);
    window->setFixedSize(clientSize);
    centreWindow(window, centre);
}

void setupMaximisedWindow(QWidget* window, const QString& caption)
{
    window->setWindowTitle(caption);
    window->setWindowFlags(Qt::Window);
    window->setMinimumSize(400, 300);
    // Sized to the screen as well, so the screen fills it also where no window manager
    // honours the maximised state; never smaller than the design size its content is laid out
    // for, so no command falls outside the window on a small screen.
    const QSize designSize(1024, 768);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        window->setGeometry(QRect(area.topLeft(), area.size().expandedTo(designSize)));
    } else {
        window->resize(designSize);
    }
    window->setWindowState(Qt::WindowMaximized);
}

void centreWindow(QWidget* window, CentreOn centre)
{
    QRect area;
    QWidget* owner = window->parentWidget() ? window->parentWidget()->window() : nullptr;
    if (centre == CentreOn::Owner && owner && owner->isVisible())
        area = owner->frameGeometry();
    else if (QScreen* screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    if (area.isValid()) {
        QRect r(QPoint(0, 0), window->size());
        r.moveCenter(area.center());
        window->move(r.topLeft());
    }
}

QWidget* makeCentredContainer(QWidget* window, QSize designSize, const QString& name)
{
    auto* container = new QWidget(window);
    container->setObjectName(name);
    container->setFixedSize(designSize);
    new CentreKeeper(window, container);
    return container;
}
