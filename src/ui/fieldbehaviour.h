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

// Digits-only fields: a key that types a character reaches the field only when that character
// is a digit 0 to 9; editing and moving keys (Backspace, Delete, Home, End, the arrows with or
// without Shift, Enter, Tab, Escape) and shortcuts (Ctrl+A, Ctrl+C, Ctrl+X, Ctrl+Z ...) pass.
// Pasted text (Ctrl+V, Shift+Insert, the right-click menu, the middle button) and dropped text
// go in with every character that is not a digit removed, then cut to the room the field's
// length limit leaves. field is the line edit, or an editable box holding one. Install it
// after setEnterTarget or before it: Enter is always let through.
QObject* acceptDigitsOnly(QWidget* field);

// Pasted text (Ctrl+V, Shift+Insert, the right-click menu, the middle button) goes into edit
// through clean first and is cut to the room left by the field's length limit only then, so
// that nothing clean removes takes a place of the limit. Returns the filter, owned by edit.
QObject* cleanPastedText(QLineEdit* edit, QString (*clean)(const QString&));

// The digits 0 to 9 of text, in order.
QString digitsOf(const QString& text);
// text without blanks (code 32 or less, and the no-break space): a code pasted in its printed
// form, in groups ("IT60 X054 2811 ..."), comes out whole.
QString withoutBlanks(const QString& text);

// Replaces the field's text by itself trimmed and, when upper is set, upper-cased (a to z only),
// keeping the cursor on the same character. Does nothing when the text is already tidy.
void tidyFieldText(QLineEdit* field, bool upper);

// Control characters (codes 0 to 31, 127 to 159) cannot be typed, so none may come into a
// text field by another way either (pasted, dropped, put in by an input method): what a field
// shows is what it holds. From the first call on, every line edit and editable text edit of
// the program loses them as they come in (a text edit keeps its tabs; its line breaks are not
// control characters). Installed once for the whole application; later calls do nothing.
void keepControlCharactersOutOfFields();
// text without control characters.
QString withoutControlCharacters(const QString& text);

// A read-only field showing data: whenever its text is set, it shows the text's beginning, so
// a value too long for the field is cut at its end, not at its start.
void showTextFromStart(QLineEdit* field);
