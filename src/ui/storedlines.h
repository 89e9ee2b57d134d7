#pragma once

#include "core/registry/listline.h"

#include <QListWidget>

// A line of a list that shows its text from compact lines held elsewhere instead of holding a
// copy: a list of a million cards keeps one small item per line and the lines once, at one
// byte a character. The lines must outlive the item: the list is cleared before they change.
class StoredLineItem : public QListWidgetItem {
public:
    StoredLineItem(const CardLineList* lines, qsizetype index);
    QVariant data(int role) const override;

private:
    const CardLineList* m_lines;
    qsizetype m_index;
};

// Puts one StoredLineItem for each of lines into list, after what it holds, in one go.
void addStoredLines(QListWidget* list, const CardLineList* lines);
