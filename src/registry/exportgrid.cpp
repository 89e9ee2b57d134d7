#include "registry/exportgrid.h"

#include "core/base/hugepages.h"
#include "core/registry/registry.h"
#include "core/storage/windows1252.h"

#include <QApplication>
#include <QKeyEvent>
#include <QStyledItemDelegate>
#include <QTableView>

#include <algorithm>

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
    m_edited.insert(editKey(index.row(), index.column()), value.toString());
    m_editedRows.insert(index.row());
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

std::string_view ExportGridModel::storedCell(int row, int column) const
{
    const Row& r = m_rows[size_t(row)];
    const quint16 from = r.starts[size_t(column)];
    return std::string_view(m_bytes.data() + r.at + from,
                            size_t(r.starts[size_t(column) + 1] - from));
}

bool ExportGridModel::storedRowOf(int row, std::string_view& bytes, const quint16*& starts) const
{
    if (row < 0 || row >= int(m_rows.size()))
        return false;
    if (!m_editedRows.isEmpty() && m_editedRows.contains(row))
        return false;
    const Row& r = m_rows[size_t(row)];
    bytes = std::string_view(m_bytes.data() + r.at, r.starts[kExportColumnCount]);
    starts = r.starts.data();
    return true;
}

QString ExportGridModel::cell(int row, int column) const
{
    if (row < 0 || row >= int(m_rows.size()) || column < 0 || column >= kExportColumnCount)
        return QString();
    if (!m_edited.isEmpty()) {
        const auto typed = m_edited.constFind(editKey(row, column));
        if (typed != m_edited.constEnd())
            return *typed;
    }
    const std::string_view bytes = storedCell(row, column);
    QString text(qsizetype(bytes.size()), Qt::Uninitialized);
    decodeWindows1252(bytes.data(), qsizetype(bytes.size()), text.data());
    return text;
}

bool ExportGridModel::fillFromRegistry(const QString& path, const WorkProgress& progress)
{
    // The rows are built aside and take the place of the old ones in one go, so the grid, which
    // may repaint while a long fill shows its progress, never sees a half-built model.
    // Each row is written straight into room made for the longest row; the buffer grows in
    // steps of 64 kB, so each new part is cleared once while it is still in the cache.
    std::string bytes;
    size_t used = 0;
    std::vector<Row> rows;
    qint64 cards = 0;
    bool stopped = false;
    const size_t longest = size_t(exportRowRoom());
    const size_t step = std::max<size_t>(longest, size_t{64} * 1024);
    const bool read = Registry(path).scanBytes(
        [&](qint64 r, const char* card) {
            if (bytes.size() - used < longest)
                bytes.resize(used + step);
            Row& row = rows.emplace_back();
            row.at = qsizetype(used);
            char* const at = bytes.data() + used;
            used += size_t(writeExportRowBytes(card, int(r), at, row.starts) - at);
        },
        [&](qint64 count) {
            cards = count;
            rows.reserve(size_t(count));
            // About 250 bytes a card in a generated registry, some 1,650 for a card with every
            // field full; reserving spares most copies of a growing buffer, and the part never
            // written takes no memory.
            bytes.reserve(size_t(count) * 480);
            preferHugePages(bytes.data(), bytes.capacity());
            preferHugePages(rows.data(), rows.capacity() * sizeof(Row));
        },
        [&](qint64 done, qint64 total) {
            stopped = progress && !progress(done, total);
            return !stopped;
        });
    if (stopped || cards == 0)
        return read;
    bytes.resize(used);
    // Cards not reached by a failed read keep rows of empty cells: the rows filled so far stay.
    rows.resize(size_t(cards));
    beginResetModel();
    m_bytes.swap(bytes);
    m_rows.swap(rows);
    m_edited.clear();
    m_editedRows.clear();
    endResetModel();
    return read;
}

ExportGrid ExportGridModel::exportGrid() const
{
    return {rowCount(),
            [this](int row, int column) { return cell(row, column); },
            {},
            [this](int row, std::string_view& bytes, const quint16*& starts) {
                return storedRowOf(row, bytes, starts);
            }};
}
