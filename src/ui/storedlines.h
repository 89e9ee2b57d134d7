#pragma once

#include "core/registry/listline.h"

#include <QAbstractListModel>
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

// The compact lines as a list model: one row per line, its text the line. A view over it holds
// nothing per line, so showing a million lines costs no more than showing ten. The lines must
// outlive the model's use of them: show() another list, or none, before they change.
class StoredLinesModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    // The model shows lines from now on (none for nullptr), as a reset.
    void show(const CardLineList* lines);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    const CardLineList* m_lines = nullptr;
};
