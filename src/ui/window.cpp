#include "ui/window.h"

#include "ui/fieldbehaviour.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QScrollArea>
#include <QWidget>
#include <QWindow>

#ifdef VESTRANO_X11
#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include <cstdlib>
#endif

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

// The window's content: a borderless, see-through scroll area over the whole window (the
// window's own background shows through it) holding a stage, and on the stage the container.
// The stage is never smaller than the container: when the window is at least the container's
// size, the container sits centred; when it is smaller, the scroll area scrolls.
class ContainerStage : public QObject {
public:
    ContainerStage(QWidget* window, QWidget* container) : QObject(container), m_window(window)
    {
        m_scroll = new QScrollArea(window);
        m_scroll->setObjectName(QStringLiteral("scrContainer"));
        m_scroll->setFrameShape(QFrame::NoFrame);
        m_scroll->setWidgetResizable(true);
        m_scroll->setFocusPolicy(Qt::NoFocus);
        m_scroll->viewport()->setAutoFillBackground(false);
        m_stage = new QWidget;
        m_stage->setMinimumSize(container->size());
        container->setParent(m_stage);
        m_scroll->setWidget(m_stage);
        m_stage->setAutoFillBackground(false);
        // The pointer moving over the empty margins reaches the window, as without the stage.
        for (QWidget* w : {static_cast<QWidget*>(m_scroll), m_scroll->viewport(), m_stage})
            w->setMouseTracking(true);
        m_container = container;
        window->installEventFilter(this);
        m_stage->installEventFilter(this);
        fit();
        // A field that takes the focus (Tab, or an Enter chain) is scrolled into view.
        QObject::connect(qApp, &QApplication::focusChanged, m_scroll,
                         [this](QWidget*, QWidget* now) {
                             if (now && m_stage->isAncestorOf(now))
                                 m_scroll->ensureWidgetVisible(now, 8, 8);
                         });
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_window
            && (event->type() == QEvent::Resize || event->type() == QEvent::Show))
            fit();
        else if (watched == m_stage && event->type() == QEvent::Resize)
            place();
        return false;
    }

private:
    // The scroll area sizes the stage when it is shown and resized; a hidden window's
    // container is placed at once, so it is where it belongs before the window first shows.
    void fit()
    {
        m_scroll->setGeometry(m_window->rect());
        if (!m_scroll->isVisible())
            m_stage->resize(m_window->size().expandedTo(m_container->size()));
        place();
    }

    void place()
    {
        const QSize size = m_container->size();
        m_container->move(qMax(0, (m_stage->width() - size.width()) / 2),
                          qMax(0, (m_stage->height() - size.height()) / 2));
    }

    QWidget* m_window;
    QScrollArea* m_scroll;
    QWidget* m_stage;
    QWidget* m_container = nullptr;
};

// Hands the maximised state the window holds to its native window when that is made, as the
// window is first shown, before it is mapped.
class MaximiseOnFirstShow : public QObject {
public:
    explicit MaximiseOnFirstShow(QWidget* window) : QObject(window) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && watched == parent()) {
            auto* window = static_cast<QWidget*>(watched);
            if (window->windowHandle() && (window->windowState() & Qt::WindowMaximized))
                window->windowHandle()->setWindowStates(window->windowState() & ~Qt::WindowActive);
            deleteLater();
        }
        return false;
    }
};

void installBackground(QWidget* window, const QColor& colour, GradientFrom from, bool gradient)
{
    window->installEventFilter(new BackgroundPainter(window, colour, from, gradient));
    // Colours the screen set on its window itself stay; the others are the design's, every
    // one of them the window's own.
    QPalette pal = window->palette().resolve(designPalette());
    pal.setResolveMask(~QPalette::ResolveMask(0));
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
    keepControlCharactersOutOfFields();
    window->setWindowTitle(caption);
    setFixedFrame(window);
    window->setFixedSize(clientSize);
    centreWindow(window, centre);
}

Qt::WindowFlags fixedWindowFlags()
{
    // A title and a border, and of the title-bar buttons only the close function, so that the
    // window manager's close (Alt+F4) does what the window's own exit button does. On X11 these
    // flags become the window's decoration hints (title and border, no menu, no minimise, no
    // maximise) and its allowed functions (move and close): the window manager draws no
    // minimise or maximise button, and the window is never resized or maximised (its size is
    // fixed).
    return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
           | Qt::MSWindowsFixedSizeDialogHint;
}

namespace {
const char kFixedFrame[] = "vestranoFixedFrame";
}

void setFixedFrame(QWidget* window)
{
    window->setWindowFlags(fixedWindowFlags());
    window->setProperty(kFixedFrame, true);
}

bool isFixedWindow(const QWidget* window)
{
    return window->isWindow() && window->property(kFixedFrame).toBool();
}

void declareFixedFrame(QWidget* window)
{
#ifdef VESTRANO_X11
    if (QGuiApplication::platformName() != QLatin1String("xcb") || !window->internalWinId())
        return;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c)
        return;
    static const char name[] = "_MOTIF_WM_HINTS";
    xcb_intern_atom_reply_t* atom =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, sizeof(name) - 1, name), nullptr);
    if (!atom)
        return;
    // flags (functions and decorations given), functions (move, close), decorations (border,
    // title), input mode, status.
    const quint32 hints[5] = {1 | 2, 4 | 32, 2 | 8, 0, 0};
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, xcb_window_t(window->internalWinId()), atom->atom,
                        atom->atom, 32, 5, hints);
    xcb_flush(c);
    std::free(atom);
#else
    Q_UNUSED(window);
#endif
}

void setupMaximisedWindow(QWidget* window, const QString& caption)
{
    keepControlCharactersOutOfFields();
    window->setWindowTitle(caption);
    window->setWindowFlags(Qt::Window);
    window->setMinimumSize(400, 300);
    // Sized to the screen's free area as well, so the window fills it also where no window
    // manager honours the maximised state, and never reaches past it: on a screen smaller than
    // the design size, the container scrolls (makeCentredContainer).
    if (QScreen* screen = QGuiApplication::primaryScreen())
        window->setGeometry(screen->availableGeometry());
    else
        window->resize(1024, 768);
    // The window holds the maximised state from now on, its native window gets it as it is
    // first shown: setting the state of a hidden window the usual way makes its native window
    // at once, and a screen that waits hidden (behind the login) must have none. A showNormal()
    // before the first show still shows it normal.
    window->overrideWindowState(window->windowState() | Qt::WindowMaximized);
    window->installEventFilter(new MaximiseOnFirstShow(window));
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
    new ContainerStage(window, container);
    return container;
}

QPalette designPalette()
{
    // Fusion's light colours, written out: Qt's styles hand out the platform theme's palette as
    // their standard one (a dark desktop's, under a dark GTK theme), so it cannot be asked.
    static const QPalette palette = [] {
        const struct {
            QPalette::ColorRole role;
            QRgb normal;   // active and inactive windows
            QRgb disabled; // disabled controls
        } colours[] = {
            {QPalette::WindowText, 0xFF000000, 0xFFBEBEBE},
            {QPalette::Button, 0xFFEFEFEF, 0xFFEFEFEF},
            {QPalette::Light, 0xFFFFFFFF, 0xFFFFFFFF},
            {QPalette::Midlight, 0xFFCACACA, 0xFFCACACA},
            {QPalette::Dark, 0xFF9F9F9F, 0xFFBEBEBE},
            {QPalette::Mid, 0xFFB8B8B8, 0xFFB8B8B8},
            {QPalette::Text, 0xFF000000, 0xFFBEBEBE},
            {QPalette::BrightText, 0xFFFFFFFF, 0xFFFFFFFF},
            {QPalette::ButtonText, 0xFF000000, 0xFFBEBEBE},
            {QPalette::Base, 0xFFFFFFFF, 0xFFEFEFEF},
            {QPalette::Window, 0xFFEFEFEF, 0xFFEFEFEF},
            {QPalette::Shadow, 0xFF767676, 0xFFB1B1B1},
            {QPalette::Highlight, 0xFF308CC6, 0xFF919191},
            {QPalette::HighlightedText, 0xFFFFFFFF, 0xFFFFFFFF},
            {QPalette::Link, 0xFF0000FF, 0xFF0000FF},
            {QPalette::LinkVisited, 0xFFFF00FF, 0xFFFF00FF},
            {QPalette::AlternateBase, 0xFFF7F7F7, 0xFFF7F7F7},
            {QPalette::NoRole, 0xFF000000, 0xFF000000},
            {QPalette::ToolTipBase, 0xFFFFFFDC, 0xFFFFFFDC},
            {QPalette::ToolTipText, 0xFF000000, 0xFF000000},
            {QPalette::PlaceholderText, 0x80000000, 0x80000000},
        };
        QPalette p;
        for (const auto& c : colours) {
            const QColor normal = QColor::fromRgba(c.normal);
            p.setColor(QPalette::Active, c.role, normal);
            p.setColor(QPalette::Inactive, c.role, normal);
            p.setColor(QPalette::Disabled, c.role, QColor::fromRgba(c.disabled));
        }
        p.setResolveMask(~QPalette::ResolveMask(0));
        return p;
    }();
    return palette;
}

void useDesignColours(QWidget* styled)
{
    const QPalette palette = designPalette();
    styled->setPalette(palette);
    for (QWidget* part : styled->findChildren<QWidget*>())
        part->setPalette(palette);
}
