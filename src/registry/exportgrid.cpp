#include "registry/exportgrid.h"

#include "storage/recordfile.h"

namespace {

QStringList emptyRow()
{
    QStringList row;
    for (int c = 0; c < kExportColumnCount; ++c)
        row.append(QString());
    return row;
}

} // namespace

ExportGridModel::ExportGridModel(QObject* parent)
    : QAbstractTableModel(parent), m_rows(size_t(kExportEmptyRows), emptyRow())
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
    m_rows[size_t(index.row())][index.column()] = value.toString();
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
    return m_rows[size_t(row)].at(column);
}

void ExportGridModel::fillFromRegistry(const QString& path)
{
    RecordFile file(path, AnagraficaRecord::kSize);
    if (!file.openOrCreate())
        return;
    const qint64 count = file.count();
    if (count == 0)
        return;
    beginResetModel();
    m_rows.assign(size_t(count), emptyRow());
    QByteArray bytes;
    for (qint64 r = 0; r < count && file.read(bytes); ++r)
        m_rows[size_t(r)] = exportRowCells(AnagraficaRecord(bytes), int(r));
    endResetModel();
}

ExportGrid ExportGridModel::exportGrid() const
{
    return {rowCount(), [this](int row, int column) { return cell(row, column); }};
}
