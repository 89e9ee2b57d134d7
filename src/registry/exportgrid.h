#pragma once

#include "core/registry/exportfile.h"

#include <QAbstractTableModel>

class QTableView;

#include <array>
#include <vector>

// The rows of the export grid: 26 text columns, the read-only ones as the column table says.
// It starts with 10 empty rows; a registry with cards replaces them with one row per card.
// What is typed into an editable cell stays here: it is exported, never stored.
class ExportGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ExportGridModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    QString cell(int row, int column) const;
    // The same text without a copy; valid until the grid changes.
    QStringView cellView(int row, int column) const;

    // Reads the registry file (created empty when missing) and fills one row per card, in
    // file order. An empty registry keeps the rows as they are. A failure ends the filling
    // silently: the rows filled so far stay, and the result is false (true when every card
    // was read).
    bool fillFromRegistry(const QString& path);

    // The grid as the export file sees it.
    ExportGrid exportGrid() const;

private:
    // One row: its cells one after the other in a single text, and where each begins. A grid of
    // a hundred thousand cards holds one text per row instead of one per cell.
    struct Row {
        QString text;
        std::array<int, kExportColumnCount + 1> starts{};
        QStringView cell(int column) const;
        void setCell(int column, const QString& value);
    };
    std::vector<Row> m_rows;
};

// The keys of the export grid: the arrow keys move between the cells, Tab and Shift+Tab leave
// the grid for the commands, from a cell being edited too (what was typed stays in the cell).
void setupExportGridKeys(QTableView* grid);
