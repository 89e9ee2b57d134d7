#include "ui/desktop.h"

#include "ui/listaccess.h"
#include "ui/window.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QHash>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTextEdit>
#include <QTimer>
#include <QWidget>

namespace {

// Fusion draws a focus frame only after the focus moved by a key. Ours draws it whenever the
// control has the focus: the state is told it came by a key for the time of the drawing.
class FocusShown {
public:
    explicit FocusShown(const QStyleOption* option)
        : m_option(const_cast<QStyleOption*>(option)),
          m_before(option ? option->state : QStyle::State())
    {
        if (m_option && (m_option->state & QStyle::State_HasFocus))
            m_option->state |= QStyle::State_KeyboardFocusChange;
    }
    ~FocusShown()
    {
        if (m_option)
            m_option->state = m_before;
    }
    FocusShown(const FocusShown&) = delete;
    FocusShown& operator=(const FocusShown&) = delete;

private:
    QStyleOption* m_option;
    QStyle::State m_before;
};

// The focus frame of the program, the same on buttons, pictures, lines of a list and read-only
// fields: a dotted orange rectangle, clear on the light and on the blue colours of the screens.
void drawFocusFrame(QPainter* painter, const QRect& rect)
{
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setPen(QPen(QColor(0xFF, 0x8C, 0x00), 2, Qt::DotLine));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(QRectF(rect).adjusted(1, 1, -1, -1));
    painter->restore();
}

class DesignStyle : public QProxyStyle {
public:
    DesignStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

    QPalette standardPalette() const override { return designPalette(); }

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        switch (hint) {
        // A masked field shows each character as a round dot, shown masked at once; the
        // platform theme would choose its own character (GTK's smaller bullet) and delay.
        case SH_LineEdit_PasswordCharacter:
            return 0x25CF;
        case SH_LineEdit_PasswordMaskDelay:
            return 0;
        default:
            return QProxyStyle::styleHint(hint, option, widget, returnData);
        }
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override
    {
        if (element == PE_FrameFocusRect && option && (option->state & State_HasFocus)) {
            drawFocusFrame(painter, option->rect);
            return;
        }
        FocusShown shown(option);
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
        FocusShown shown(option);
        QProxyStyle::drawControl(element, option, painter, widget);
        // Fusion shows a focused button only by a thin outline: the frame goes inside it.
        if (element == CE_PushButton && option && (option->state & State_HasFocus))
            drawFocusFrame(painter, option->rect.adjusted(3, 3, -3, -3));
    }

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget) const override
    {
        FocusShown shown(option);
        QProxyStyle::drawComplexControl(control, option, painter, widget);
    }
};

// A read-only field has no focus highlight of its own, and its style sheet may draw its border:
// the frame is drawn over it, by a see-through companion that follows the focus.
class ReadOnlyFocusFrame : public QWidget {
public:
    ReadOnlyFocusFrame()
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
        hide();
    }

    void follow(QWidget* field)
    {
        m_field = field;
        if (!field || !field->parentWidget()) {
            hide();
            return;
        }
        setParent(field->parentWidget());
        setGeometry(field->geometry());
        raise();
        show();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        drawFocusFrame(&p, rect());
    }

private:
    QPointer<QWidget> m_field;
};

bool isReadOnlyField(const QWidget* w)
{
    if (const auto* edit = qobject_cast<const QLineEdit*>(w))
        return edit->isReadOnly();
    if (const auto* text = qobject_cast<const QTextEdit*>(w))
        return text->isReadOnly();
    if (const auto* plain = qobject_cast<const QPlainTextEdit*>(w))
        return plain->isReadOnly();
    return false;
}

// The classes a platform theme may give palettes of their own (Qt asks the theme for these);
// each gets the design's, so a theme's colours reach no control.
const char* const kThemedClasses[] = {
    "QToolButton",
    "QAbstractButton",
    "QCheckBox",
    "QRadioButton",
    "QHeaderView",
    "QAbstractItemView",
    "QMessageBoxLabel",
    "QTabBar",
    "QLabel",
    "QGroupBox",
    "QMenu",
    "QMenuBar",
    "QTextEdit",
    "QTextControl",
    "QLineEdit",
    "QComboBox",
    "QAbstractSpinBox",
    "QTableView",
    "QListView",
    "QTreeView",
};

// The classes a platform theme may give fonts of their own: each gets the program's font,
// so a control whose screen sets its font only in part (a header's bold, by a style sheet)
// does not take the rest from the theme.
const char* const kThemedFontClasses[] = {
    "QMenu",          "QMenuBar",         "QMenuItem",
    "QMessageBox",    "QLabel",           "QTipLabel",
    "QStatusBar",     "QPushButton",      "QCheckBox",
    "QRadioButton",   "QToolButton",      "QAbstractItemView",
    "QListView",      "QHeaderView",      "QListBox",
    "QComboMenuItem", "QComboLineEdit",   "QSmallFont",
    "QMiniFont",      "QDockWidgetTitle", "QMdiSubWindowTitleBar",
};

void applyDesignPalette()
{
    // The desktop's default font where no theme sets one; the screens name their own fonts, and
    // what they leave open (message boxes, a header's size) is the same on every desktop.
    const QFont font(QStringLiteral("Sans Serif"), 9);
    QApplication::setFont(font);
    for (const char* className : kThemedFontClasses)
        QApplication::setFont(font, className);
    const QPalette palette = designPalette();
    QApplication::setPalette(palette);
    for (const char* className : kThemedClasses)
        QApplication::setPalette(palette, className);
}

bool isModalWindow(const QWidget* w)
{
    return w->isWindow() && w->windowType() != Qt::Popup && w->windowType() != Qt::ToolTip
           && (w->isModal() || w->windowModality() != Qt::NonModal);
}

// Watches every window of the application: the opener of each modal window, the focus going
// back to it, a list announcing its current line, the theme changing under the program.
class DesktopWatcher : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::Show:
            if (watched->isWidgetType() && !event->spontaneous()) {
                auto* w = static_cast<QWidget*>(watched);
                if (isFixedWindow(w)) {
                    // Before the window is mapped, and once more after its own show handling,
                    // which may set its flags again (a message box does) and so Qt's hints.
                    declareFixedFrame(w);
                    QTimer::singleShot(0, w, [w] { declareFixedFrame(w); });
                }
                modalShown(w);
            }
            break;
        case QEvent::Hide:
            if (watched->isWidgetType() && !event->spontaneous())
                modalHidden(static_cast<QWidget*>(watched));
            break;
        case QEvent::FocusIn:
            // After Qt has announced the list itself, which it does once the focus is in.
            if (auto* view = qobject_cast<QAbstractItemView*>(watched))
                QTimer::singleShot(0, view, [view] {
                    if (view->hasFocus())
                        announceCurrentLine(view);
                });
            if (watched->isWidgetType())
                frameReadOnly(static_cast<QWidget*>(watched));
            break;
        case QEvent::FocusOut:
            if (m_frame && watched->isWidgetType() && m_frame->parentWidget()
                && static_cast<QWidget*>(watched)->parentWidget() == m_frame->parentWidget())
                m_frame->follow(nullptr);
            break;
        case QEvent::ThemeChange:
            reapplyLater();
            break;
        case QEvent::ApplicationPaletteChange:
            if (watched == qApp && !m_reapplying)
                reapplyLater();
            break;
        default:
            break;
        }
        return false;
    }

private:
    void modalShown(QWidget* w)
    {
        if (!isModalWindow(w) || m_openers.contains(w))
            return;
        // The dialog is not active yet: the focus is still where the user opened it from.
        QWidget* opener = QApplication::focusWidget();
        if (!opener || opener->window() == w) {
            QWidget* owner = w->parentWidget() ? w->parentWidget()->window() : nullptr;
            if (!owner)
                owner = QApplication::activeWindow();
            opener = owner && owner != w ? owner->focusWidget() : nullptr;
            if (!opener && owner && owner != w)
                opener = owner;
        }
        if (opener)
            m_openers.insert(w, opener);
    }

    void modalHidden(QWidget* w)
    {
        const auto found = m_openers.find(w);
        if (found == m_openers.end())
            return;
        const QPointer<QWidget> opener = found.value();
        m_openers.erase(found);
        if (!opener)
            return;
        QWidget* window = opener->window();
        if (window == w || !window->isVisible())
            return;
        // Another window that is up and has taken the focus keeps it.
        if (QWidget* focus = QApplication::focusWidget()) {
            QWidget* focusWindow = focus->window();
            if (focusWindow != w && focusWindow->isVisible() && focusWindow != window)
                return;
        }
        if (opener != window && opener->isVisible() && opener->isEnabled()
            && opener->focusPolicy() != Qt::NoFocus)
            opener->setFocus(Qt::ActiveWindowFocusReason);
        window->activateWindow();
        // A window that was raised and activated from the program keeps its place above the
        // others, also where the window manager gives the focus to the window under the pointer.
        window->raise();
    }

    void frameReadOnly(QWidget* w)
    {
        if (!isReadOnlyField(w)) {
            if (m_frame)
                m_frame->follow(nullptr);
            return;
        }
        if (!m_frame)
            m_frame = new ReadOnlyFocusFrame;
        m_frame->follow(w);
    }

    // Qt announces the list itself when it takes the focus; a reader also needs the line it
    // is on.
    static void announceCurrentLine(QAbstractItemView* view)
    {
        if (!QAccessible::isActive())
            return;
        const int child = accessibleLineOf(view, view->currentIndex());
        if (child < 0)
            return;
        QAccessibleEvent event(view, QAccessible::Focus);
        event.setChild(child);
        QAccessible::updateAccessibility(&event);
    }

    void reapplyLater()
    {
        if (m_pending)
            return;
        m_pending = true;
        QTimer::singleShot(0, this, [this] {
            m_pending = false;
            m_reapplying = true;
            applyDesignPalette();
            m_reapplying = false;
        });
    }

    QHash<QWidget*, QPointer<QWidget>> m_openers;
    QPointer<ReadOnlyFocusFrame> m_frame;
    bool m_pending = false;
    bool m_reapplying = false;
};

} // namespace

QStyle* makeDesignStyle()
{
    return new DesignStyle;
}

void setupDesktop()
{
    static QPointer<DesktopWatcher> watcher;
    if (watcher || !qApp)
        return;
    QApplication::setStyle(makeDesignStyle());
    applyDesignPalette();
    installListAccessibility();
    watcher = new DesktopWatcher(qApp);
    qApp->installEventFilter(watcher);
}
