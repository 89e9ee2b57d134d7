#include "ui/decor.h"

#include "core/base/fonts.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QImage>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QResource>
#include <QSvgRenderer>

#include <cstring>

namespace {

const QByteArray kCacheMagic = QByteArrayLiteral("Vestrano artwork cache 1\n");

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

QString artworkCacheName(const QString& svgPath, const QSize& size)
{
    QString name = svgPath;
    if (name.startsWith(QLatin1String(":/")))
        name.remove(0, 2);
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    return QStringLiteral(":/artcache/%1-%2x%3").arg(name).arg(size.width()).arg(size.height());
}

namespace {

// The pixels of an image as the rows of 32-bit colours the screens' images hold.
void appendPixels(QByteArray* bytes, const QImage& image)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < rgb.height(); ++y)
        bytes->append(reinterpret_cast<const char*>(rgb.constScanLine(y)),
                      qsizetype(rgb.width()) * 4);
}

bool isWindowImageFormat(QImage::Format format)
{
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32
           || format == QImage::Format_ARGB32_Premultiplied;
}

} // namespace

QByteArray artworkCacheBytes(const QImage& drawn, const QImage& background)
{
    if (drawn.size() != background.size())
        return QByteArray();
    QByteArray bytes = kCacheMagic;
    appendPixels(&bytes, background);
    appendPixels(&bytes, drawn);
    return bytes;
}

// The raster engine paints a window into an image: what is already there is what lies behind
// the picture. The cached pixels replace the drawing only when the whole picture is repainted
// at one device pixel per unit over exactly the background they were drawn on.
bool Picture::paintFromCache(QPainter& painter, const QPaintEvent* event) const
{
    if (!event->region().contains(rect()))
        return false;
    const QTransform device = painter.deviceTransform();
    if (device.type() > QTransform::TxTranslate)
        return false;
    QPaintEngine* engine = painter.paintEngine();
    QPaintDevice* target = engine ? engine->paintDevice() : nullptr;
    if (!target || target->devType() != QInternal::Image)
        return false;
    const auto* window = static_cast<const QImage*>(target);
    if (window->devicePixelRatio() != 1.0 || !isWindowImageFormat(window->format()))
        return false;
    const QRect onWindow = device.mapRect(rect());
    if (!window->rect().contains(onWindow))
        return false;
    const QResource cache(artworkCacheName(m_path, size()));
    if (!cache.isValid())
        return false;
    const QByteArray bytes = cache.uncompressedData();
    const size_t row = size_t(width()) * 4;
    if (!bytes.startsWith(kCacheMagic)
        || size_t(bytes.size()) != size_t(kCacheMagic.size()) + 2 * row * size_t(height()))
        return false;
    const char* behind = bytes.constData() + kCacheMagic.size();
    for (int y = 0; y < height(); ++y, behind += row) {
        const uchar* line = window->constScanLine(onWindow.y() + y) + size_t(onWindow.x()) * 4;
        if (std::memcmp(line, behind, row) != 0)
            return false;
    }
    QImage cached(size(), QImage::Format_RGB32);
    for (int y = 0; y < height(); ++y, behind += row)
        std::memcpy(cached.scanLine(y), behind, row);
    painter.drawImage(QPoint(0, 0), cached);
    return true;
}

void Picture::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!paintFromCache(p, event) && hasArtwork()) {
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
