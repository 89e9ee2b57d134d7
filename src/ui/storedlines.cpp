#include "ui/storedlines.h"

StoredLineItem::StoredLineItem(const CardLineList* lines, qsizetype index)
    : QListWidgetItem(nullptr, QListWidgetItem::UserType), m_lines(lines), m_index(index)
{
}

QVariant StoredLineItem::data(int role) const
{
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return m_lines->at(m_index);
    return QListWidgetItem::data(role);
}

void addStoredLines(QListWidget* list, const CardLineList* lines)
{
    // The items go in with the list's model silent, then the list is laid out once: one
    // notice per item would cost more than the items themselves.
    QAbstractItemModel* model = list->model();
    const bool wasBlocked = model->blockSignals(true);
    for (qsizetype i = 0; i < lines->size(); ++i)
        list->addItem(new StoredLineItem(lines, i));
    model->blockSignals(wasBlocked);
    list->reset();
}

void StoredLinesModel::show(const CardLineList* lines)
{
    beginResetModel();
    m_lines = lines;
    endResetModel();
}

int StoredLinesModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() || !m_lines)
        return 0;
    return int(m_lines->size());
}

QVariant StoredLinesModel::data(const QModelIndex& index, int role) const
{
    if (!m_lines || !index.isValid() || index.row() >= m_lines->size())
        return QVariant();
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return m_lines->at(index.row());
    return QVariant();
}
