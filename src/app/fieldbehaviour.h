#pragma once

#include <QObject>
#include <QString>

class QWidget;
class ShapeRect;

// The yellow focus highlight: a rectangle 4 units larger than the field on every side, placed
// behind it, hidden at start and shown while the field has the keyboard focus. Its name is
// "eff" followed by the field's name without its "txt" prefix (txtCognome: effCognome).
ShapeRect* attachFocusHighlight(QWidget* field);

// The Enter key moves the focus from field to next. Returns the filter so that screens can
// remove it; it is owned by field.
QObject* setEnterTarget(QWidget* field, QWidget* next);
