#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QString>
#include <QWidget>

class QImage;
class QPainter;
class QPushButton;
class QSvgRenderer;

// A decorative rectangle (shp, bkg and eff controls): a solid or vertical two-stop gradient
// fill with an outline. Transparent to the mouse unless told otherwise.
class ShapeRect : public QWidget {
    Q_OBJECT
public:
    ShapeRect(QWidget* parent, const QString& name, const QRect& geometry);

    // Solid fill; pass an invalid colour for no fill.
    ShapeRect& fill(const QColor& colour);
    // Vertical gradient from top to bottom.
    ShapeRect& gradient(const QColor& top, const QColor& bottom);
    // Outline of the given width; an invalid colour draws none.
    ShapeRect& outline(const QColor& colour, int width = 1);
    // Outline drawn as a gradient from top to bottom (the focus highlight's yellow to white).
    ShapeRect& outlineGradient(const QColor& top, const QColor& bottom, int width = 1);
    ShapeRect& rounded(int radius);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_fillTop;
    QColor m_fillBottom;
    QColor m_lineTop;
    QColor m_lineBottom;
    int m_lineWidth = 1;
    int m_radius = 0;
};

// A picture drawn from an SVG resource, scaled to its box. A clickable picture acts as a
// button: hand cursor, reached with Tab (a mouse click leaves the keyboard focus where it
// was), clicked() on mouse, Space, Return or Enter, and a screen reader hears a button named
// after what it does. A plain picture takes no focus and is announced as a graphic, by its
// accessible name (none when it is pure decoration), never as a button.
class Picture : public QAbstractButton {
    Q_OBJECT
public:
    Picture(QWidget* parent, const QString& name, const QRect& geometry, const QString& svgPath,
            const QString& accessibleName = QString());

    void setSvg(const QString& svgPath);
    QString svgPath() const { return m_path; }
    // True when the SVG was found and could be read, so the picture shows its artwork.
    bool hasArtwork() const;
    // Clickable pictures show the hand cursor and take the keyboard focus.
    void setClickable(bool clickable);
    bool isClickable() const { return m_clickable; }
    // A clickable picture that is the mouse's way to a command whose own button stands beside
    // it: no tab stop of its own, and a screen reader passes over it (it hears the button).
    void setMouseOnly();
    bool isMouseOnly() const { return m_mouseOnly; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void loadArtwork() const;
    bool paintFromCache(QPainter& painter, const QPaintEvent* event) const;

    QSvgRenderer* m_renderer;
    QString m_path;
    mutable bool m_loaded = false;
    bool m_clickable = false;
    bool m_mouseOnly = false;
};

// Return and keypad Enter press the button while it has the keyboard focus, as Space does,
// whatever window it is in (a held key presses it once). Every command of the screens, push
// buttons and clickable pictures alike, gets this.
void pressOnEnter(QAbstractButton* button);

// A command button of the screens: its name, caption and place, Verdana 12 (bold where the
// screen asks for it), hand cursor; Return and Enter press it while it has the focus.
QPushButton* makeCommandButton(QWidget* parent, const QString& name, const QString& caption,
                               const QRect& geometry, bool bold = false);

// The drawing cache of the artwork shown in the first window: the build draws a picture once
// as its window shows it (tools/make_artcache.cpp) and stores what lies behind it there and the
// finished pixels as a resource under artworkCacheName. A picture that finds its cache and the
// same pixels behind it copies the finished ones instead of drawing the SVG; anything else
// (another background, a scaled display, a partial repaint, no cache) draws the SVG, so the
// screen shows the same pixels either way.
QString artworkCacheName(const QString& svgPath, const QSize& size);
// The cache of a picture drawn as drawn, over background (both of the picture's size).
QByteArray artworkCacheBytes(const QImage& drawn, const QImage& background);
