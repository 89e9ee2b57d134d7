#pragma once

#include <QColor>
#include <QPalette>
#include <QSize>
#include <QString>

class QWidget;

// Window styles shared by every screen.

// The colours every control of our windows is drawn with: the light palette the screens are
// designed on, whatever the desktop's palette is (a dark one would put light text on our light
// backgrounds). The window fills below give it to their window and so to its controls, and
// start-up makes it the application's (ui/desktop.h), message boxes and Qt's dialogs included.
QPalette designPalette();
// A control with a style sheet takes the colours its sheet leaves open (text, selection, its
// scroll bars) from the desktop's palette, not from its window: this gives it, and its parts,
// the design's. Call it before the control is first shown.
void useDesignColours(QWidget* styled);

enum class GradientFrom { Top, Bottom };

// Fills the window with a vertical two-stop gradient from colour (at the top, or at the
// bottom) to white. The gradient always spans the whole window, whatever its size.
void setWindowGradient(QWidget* window, const QColor& colour,
                       GradientFrom from = GradientFrom::Top);
// A plain fill (the export dialog's light grey).
void setWindowFill(QWidget* window, const QColor& colour);

// A fixed window: single non-resizable border, no title-bar buttons (it is left through its
// own buttons only; the window manager's close does what its own exit button does), the given
// client size, centred on the screen or on its owner.
enum class CentreOn { Screen, Owner };
Qt::WindowFlags fixedWindowFlags();
// Gives a window the fixed frame (its flags, and the frame hints when it is shown); true for a
// window that has it.
void setFixedFrame(QWidget* window);
bool isFixedWindow(const QWidget* window);
// Tells the window manager what a fixed window's frame holds: a title and a border, no menu,
// minimise or maximise button; moving and closing only. Qt's own hints cannot say it (a close
// function brings the window menu with it), so on X11 the window's _MOTIF_WM_HINTS are written
// here, before the window is mapped; elsewhere the window flags say what they can. Start-up
// does this for every fixed window when it is shown (ui/desktop.h).
void declareFixedFrame(QWidget* window);
void setupFixedWindow(QWidget* window, const QString& caption, QSize clientSize,
                      CentreOn centre = CentreOn::Screen);
// A maximised window with the normal title-bar buttons, never larger than the screen's free
// area.
void setupMaximisedWindow(QWidget* window, const QString& caption);

// Centres a window of its current size on the screen, or on its owner window.
void centreWindow(QWidget* window, CentreOn centre = CentreOn::Screen);

// The container panel: a panel of the design size that stays centred in the window whenever
// the window is resized, and scrolls when the window is smaller than it. Every control of the
// screen is placed inside it.
QWidget* makeCentredContainer(QWidget* window, QSize designSize,
                              const QString& name = QStringLiteral("panContainer"));
