#include "registry/exportgrid.h"

#include "core/registry/registry.h"

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

bool ExportGridModel::fillFromRegistry(const QString& path, const WorkProgress& progress)
{
    // The rows are built aside and take the place of the old ones in one go, so the grid, which
    // may repaint while a long fill shows its progress, never sees a half-built model.
    QString text;
    text.reserve(AnagraficaRecord::kSize);
    std::vector<Row> rows;
    bool stopped = false;
    const bool read = Registry(path).scan(
        [&](qint64 r, const AnagraficaRecord& card) {
            // Built in a reused buffer, then copied to its exact size.
            Row& row = rows[size_t(r)];
            text.truncate(0);
            appendExportRow(card, int(r), text, row.starts);
            row.text = QString(text.constData(), text.size());
        },
        [&](qint64 count) { rows.resize(size_t(count)); },
        [&](qint64 done, qint64 total) {
            stopped = progress && !progress(done, total);
            return !stopped;
        });
    if (stopped || rows.empty())
        return read;
    beginResetModel();
    // Cards not reached by a failed read keep empty rows, as the rows filled so far stay.
    m_rows.swap(rows);
    endResetModel();
    return read;
}

ExportGrid ExportGridModel::exportGrid() const
{
    return {rowCount(), [this](int row, int column) { return cell(row, column); },
            [this](int row, int column) { return cellView(row, column); }};
}
