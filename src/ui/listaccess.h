#pragma once

class QAbstractItemView;
class QModelIndex;

// What a screen reader is told about the lists of the screens (every QListWidget, and every list
// view over compact lines, StoredLinesModel): a list whose lines are its children, each named
// by its text, selectable, selected as in the list, and focused only while the list itself has
// the keyboard focus and the line is its current one, so a list that lost the focus, or sits
// on a hidden screen, reports no focused line.
void installListAccessibility();

// The child number under which a screen reader knows the line at index of view (-1 when the
// index is not a line of it).
int accessibleLineOf(const QAbstractItemView* view, const QModelIndex& index);
