#pragma once

#include <QObject>
#include <QString>

class QLineEdit;
class QWidget;
class ShapeRect;

// The yellow focus highlight: a rectangle 4 units larger than the field on every side, placed
// behind it, hidden at start and shown while the field has the keyboard focus. Its name is
// "eff" followed by the field's name without its "txt" prefix (txtCognome: effCognome).
ShapeRect* attachFocusHighlight(QWidget* field);

// The Enter key moves the focus from field to next. Returns the filter so that screens can
// remove it; it is owned by field.
QObject* setEnterTarget(QWidget* field, QWidget* next);

// Digits-only fields: a key press reaches the field only when it is Enter, Backspace, Delete,
// Left, Right, or its character is a digit 0 to 9; every other key, keys without a character
// (Home, End, Up, Down ...) and shortcuts included, is discarded. Tab and Shift+Tab still move
// the focus. Install it after setEnterTarget or before it: Enter is always let through.
QObject* acceptDigitsOnly(QWidget* field);

// Replaces the field's text by itself trimmed and, when upper is set, upper-cased (a to z only),
// keeping the cursor on the same character. Does nothing when the text is already tidy.
void tidyFieldText(QLineEdit* field, bool upper);

// A read-only field showing data: whenever its text is set, it shows the text's beginning, so
// a value too long for the field is cut at its end, not at its start.
void showTextFromStart(QLineEdit* field);
