#include "registry/exportgrid.h"

#include "core/registry/registry.h"

#include <QApplication>
#include <QKeyEvent>
#include <QStyledItemDelegate>
#include <QTableView>

namespace {

// Tab in a cell's editor: the text goes into the cell, the editor closes and the key goes on to
// the grid, which hands the focus to the next control.
class LeavingDelegate : public QStyledItemDelegate {
public:
    explicit LeavingDelegate(QTableView* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        auto* editor = qobject_cast<QWidget*>(object);
        if (editor && event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
                emit commitData(editor);
                emit closeEditor(editor, QAbstractItemDelegate::NoHint);
                QKeyEvent onward(QEvent::KeyPress, key->key(), key->modifiers());
                QCoreApplication::sendEvent(m_grid, &onward);
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    QTableView* m_grid;
};

} // namespace

void setupExportGridKeys(QTableView* grid)
{
    grid->setTabKeyNavigation(false);
    grid->setItemDelegate(new LeavingDelegate(grid));
}

QStringView ExportGridModel::Row::cell(int column) const
{
    const int from = starts[size_t(column)];
    return QStringView(text).mid(from, starts[size_t(column) + 1] - from);
}

void ExportGridModel::Row::setCell(int column, const QString& value)
{
    const int from = starts[size_t(column)];
    const int old = starts[size_t(column) + 1] - from;
    text.replace(from, old, value);
    const int shift = int(value.size()) - old;
    for (size_t c = size_t(column) + 1; c < starts.size(); ++c)
        starts[c] += shift;
}

ExportGridModel::ExportGridModel(QObject* parent)
    : QAbstractTableModel(parent), m_rows(size_t(kExportEmptyRows))
{
}

int ExportGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int ExportGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kExportColumnCount;
}

QVariant ExportGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return QVariant();
    return cell(index.row(), index.column());
}

bool ExportGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    m_rows[size_t(index.row())].setCell(index.column(), value.toString());
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

Qt::ItemFlags ExportGridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (!exportColumns()[size_t(index.column())].readOnly)
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant ExportGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0
        || section >= kExportColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return QString::fromUtf8(exportColumns()[size_t(section)].header);
}

QString ExportGridModel::cell(int row, int column) const
{
    if (row < 0 || row >= int(m_rows.size()) || column < 0 || column >= kExportColumnCount)
        return QString();
    return m_rows[size_t(row)].cell(column).toString();
}

QStringView ExportGridModel::cellView(int row, int column) const
{
    if (row < 0 || row >= int(m_rows.size()) || column < 0 || column >= kExportColumnCount)
        return QStringView();
    return m_rows[size_t(row)].cell(column);
}

bool ExportGridModel::fillFromRegistry(const QString& path)
{
    QString text;
    text.reserve(AnagraficaRecord::kSize);
    bool reset = false;
    const bool read = Registry(path).scan(
        [&](qint64 r, const AnagraficaRecord& card) {
            // Built in a reused buffer, then copied to its exact size.
            Row& row = m_rows[size_t(r)];
            text.truncate(0);
            appendExportRow(card, int(r), text, row.starts);
            row.text = QString(text.constData(), text.size());
        },
        [&](qint64 count) {
            if (count == 0)
                return;
            beginResetModel();
            reset = true;
            m_rows.assign(size_t(count), Row());
        });
    if (reset)
        endResetModel();
    return read;
}

ExportGrid ExportGridModel::exportGrid() const
{
    return {rowCount(), [this](int row, int column) { return cell(row, column); },
            [this](int row, int column) { return cellView(row, column); }};
}
