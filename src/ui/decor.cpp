#include "ui/decor.h"

#include "core/base/fonts.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>

namespace {

class EnterPresser : public QObject {
public:
    explicit EnterPresser(QAbstractButton* button) : QObject(button), m_button(button) {}

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            return false;
        if (key->modifiers() & ~Qt::KeypadModifier)
            return false;
        // The press is the button's either way: nothing else (the dialog's default button
        // included) sees it. A held key does not repeat the command.
        if (!key->isAutoRepeat() && m_button->isEnabled())
            m_button->click();
        return true;
    }

private:
    QAbstractButton* m_button;
};

// What a screen reader is told about a picture: a button when it acts on a click, with the
// press action; a graphic otherwise. Its name is the accessible name it was given.
class PictureAccessible : public QAccessibleWidget {
public:
    explicit PictureAccessible(Picture* picture) : QAccessibleWidget(picture, QAccessible::Graphic)
    {
    }

    QAccessible::Role role() const override
    {
        return isCommand() ? QAccessible::Button : QAccessible::Graphic;
    }

    QStringList actionNames() const override
    {
        if (!isCommand())
            return QAccessibleWidget::actionNames();
        return QStringList(pressAction()) + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override
    {
        if (action == pressAction() && isCommand())
            picture()->click();
        else
            QAccessibleWidget::doAction(action);
    }

private:
    Picture* picture() const { return static_cast<Picture*>(widget()); }
    bool isCommand() const { return picture()->isClickable() && !picture()->isMouseOnly(); }
};

QAccessibleInterface* pictureAccessible(const QString& className, QObject* object)
{
    if (className == QLatin1String("Picture") && object && object->isWidgetType())
        return new PictureAccessible(static_cast<Picture*>(object));
    return nullptr;
}

} // namespace

void pressOnEnter(QAbstractButton* button)
{
    button->installEventFilter(new EnterPresser(button));
}

ShapeRect::ShapeRect(QWidget* parent, const QString& name, const QRect& geometry) : QWidget(parent)
{
    setObjectName(name);
    setGeometry(geometry);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

ShapeRect& ShapeRect::fill(const QColor& colour)
{
    m_fillTop = m_fillBottom = colour;
    update();
    return *this;
}

ShapeRect& ShapeRect::gradient(const QColor& top, const QColor& bottom)
{
    m_fillTop = top;
    m_fillBottom = bottom;
    update();
    return *this;
}

ShapeRect& ShapeRect::outline(const QColor& colour, int width)
{
    m_lineTop = m_lineBottom = colour;
    m_lineWidth = width;
    update();
    return *this;
}

ShapeRect& ShapeRect::outlineGradient(const QColor& top, const QColor& bottom, int width)
{
    m_lineTop = top;
    m_lineBottom = bottom;
    m_lineWidth = width;
    update();
    return *this;
}

ShapeRect& ShapeRect::rounded(int radius)
{
    m_radius = radius;
    update();
    return *this;
}

void ShapeRect::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, m_radius > 0);
    const QRectF box = QRectF(rect()).adjusted(m_lineWidth / 2.0, m_lineWidth / 2.0,
                                               -m_lineWidth / 2.0, -m_lineWidth / 2.0);
    QBrush brush = Qt::NoBrush;
    if (m_fillTop.isValid()) {
        QLinearGradient g(0, 0, 0, height());
        g.setColorAt(0, m_fillTop);
        g.setColorAt(1, m_fillBottom);
        brush = QBrush(g);
    }
    QPen pen = Qt::NoPen;
    if (m_lineTop.isValid()) {
        QLinearGradient g(0, 0, 0, height());
        g.setColorAt(0, m_lineTop);
        g.setColorAt(1, m_lineBottom);
        pen = QPen(QBrush(g), m_lineWidth);
    }
    p.setBrush(brush);
    p.setPen(pen);
    if (m_radius > 0)
        p.drawRoundedRect(box, m_radius, m_radius);
    else
        p.drawRect(box);
}

Picture::Picture(QWidget* parent, const QString& name, const QRect& geometry,
                 const QString& svgPath, const QString& accessibleName)
    : QAbstractButton(parent), m_renderer(new QSvgRenderer(this))
{
    static const bool accessibleFactory = [] {
        QAccessible::installFactory(pictureAccessible);
        return true;
    }();
    Q_UNUSED(accessibleFactory);
    setObjectName(name);
    setGeometry(geometry);
    setAccessibleName(accessibleName);
    setSvg(svgPath);
    setClickable(false);
    pressOnEnter(this);
}

void Picture::setSvg(const QString& svgPath)
{
    m_path = svgPath;
    m_loaded = false;
    update();
}

// The artwork is read when it is first needed: start-up builds every long-lived screen, and
// only the pictures of the window shown are parsed then.
void Picture::loadArtwork() const
{
    if (m_loaded)
        return;
    m_loaded = true;
    m_renderer->load(m_path);
    m_renderer->setAspectRatioMode(Qt::KeepAspectRatio);
}

bool Picture::hasArtwork() const
{
    loadArtwork();
    return m_renderer->isValid();
}

void Picture::setClickable(bool clickable)
{
    m_clickable = clickable;
    setCursor(clickable ? Qt::PointingHandCursor : Qt::ArrowCursor);
    setFocusPolicy(clickable ? Qt::TabFocus : Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents, false);
    setEnabled(true);
}

void Picture::setMouseOnly()
{
    m_mouseOnly = true;
    setFocusPolicy(Qt::NoFocus);
    setAccessibleName(QString());
    setAccessibleDescription(QString());
}

void Picture::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (hasArtwork()) {
        // Kept in proportion and centred in the box.
        QSizeF size = m_renderer->defaultSize();
        size.scale(QSizeF(this->size()), Qt::KeepAspectRatio);
        QRectF target(QPointF(0, 0), size);
        target.moveCenter(QRectF(rect()).center());
        m_renderer->render(&p, target);
    }
    if (m_clickable && hasFocus()) {
        QPen pen(QColor(0xFF, 0xA5, 0x00), 2, Qt::DotLine);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
}

QPushButton* makeCommandButton(QWidget* parent, const QString& name, const QString& caption,
                               const QRect& geometry, bool bold)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setFont(uiFont(QStringLiteral("Verdana"), 12, bold));
    button->setCursor(Qt::PointingHandCursor);
    pressOnEnter(button);
    return button;
}
