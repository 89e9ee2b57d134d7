#pragma once

#include "core/registry/exportfile.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QSet>

class QTableView;

#include <array>
#include <string>
#include <string_view>
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

    // Reads the registry file (created empty when missing) and fills one row per card, in
    // file order. An empty registry keeps the rows as they are. A failure ends the filling
    // silently: the rows filled so far stay, and the result is false (true when every card
    // was read). A fill that progress stops changes no row.
    bool fillFromRegistry(const QString& path, const WorkProgress& progress = {});

    // The grid as the export file sees it.
    ExportGrid exportGrid() const;

private:
    // The cells of every card row as the registry stores their characters, one byte each, all
    // rows one after the other in one buffer; a row's entry tells where it begins and where each
    // of its cells begins. A grid of a million cards takes about 460 MB here, against some
    // 950 MB as one text per row. Rows without a card (the empty grid) have no bytes at all.
    struct Row {
        qsizetype at = 0;
        std::array<quint16, kExportColumnCount + 1> starts{};
    };
    std::string_view storedCell(int row, int column) const;
    bool storedRowOf(int row, std::string_view& bytes, const quint16*& starts) const;
    static quint64 editKey(int row, int column) { return (quint64(row) << 8) | quint64(column); }

    std::string m_bytes;
    std::vector<Row> m_rows;
    // What was typed into the editable cells, by row and column: it stands in for the stored
    // text of its cell. The rows that hold such a cell, by number.
    QHash<quint64, QString> m_edited;
    QSet<int> m_editedRows;
};

// The keys of the export grid: the arrow keys move between the cells, Tab and Shift+Tab leave
// the grid for the commands, from a cell being edited too (what was typed stays in the cell).
void setupExportGridKeys(QTableView* grid);
