#pragma once

#include <QColor>
#include <QSize>
#include <QString>

class QWidget;

// Window styles shared by every screen.

enum class GradientFrom { Top, Bottom };

// Fills the window with a vertical two-stop gradient from colour (at the top, or at the
// bottom) to white. The gradient always spans the whole window, whatever its size.
void setWindowGradient(QWidget* window, const QColor& colour, GradientFrom from = GradientFrom::Top);
// A plain fill (the export dialog's light grey).
void setWindowFill(QWidget* window, const QColor& colour);

// A fixed window: single non-resizable border, no title-bar buttons (it is left through its
// own buttons only), the given client size, centred on the screen or on its owner.
enum class CentreOn { Screen, Owner };
void setupFixedWindow(QWidget* window, const QString& caption, QSize clientSize,
                      CentreOn centre = CentreOn::Screen);
// A maximised window with the normal title-bar buttons.
void setupMaximisedWindow(QWidget* window, const QString& caption);

// Centres a window of its current size on the screen, or on its owner window.
void centreWindow(QWidget* window, CentreOn centre = CentreOn::Screen);

// The container panel: a child of window of the design size that stays centred in the window
// whenever the window is resized. Every control of the screen is placed inside it.
QWidget* makeCentredContainer(QWidget* window, QSize designSize,
                              const QString& name = QStringLiteral("panContainer"));
