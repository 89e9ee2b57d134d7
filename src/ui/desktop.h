#pragma once

class QStyle;
class QWidget;

// How the program lives on any desktop. One call at start-up, before the first window is made:
//  - Colours and style: every window is drawn with the Fusion style and the design's light
//    palette, for every kind of control, whatever platform theme the desktop loads (GTK, the
//    desktop portal, a dark colour scheme) and also after the desktop changes its theme.
//  - Focus frames: a control that has the keyboard focus always shows it, also when the focus
//    came without a key (the first button of a dialog that just opened).
//  - Focus return: when a modal window (a dialog, a message box, the print preview) closes,
//    the window it was opened from becomes the active window again and the keyboard focus goes
//    back to the control that had it when the modal window opened.
//  - Lists and screen readers: a list that takes the focus announces its current line, and a
//    line reports the focus only while its list has it.
// Calling it again does nothing.
void setupDesktop();

// The style of every window: Fusion, drawing focus frames whenever a control has the focus.
QStyle* makeDesignStyle();
