#pragma once

#include "core/base/progress.h"
#include "core/registry/anagraficarecord.h"
#include "core/storage/writeresult.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <string>
#include <string_view>

// The spreadsheet export of the registry: the 26 columns of the export grid and the file
// Anagrafica.xls, an HTML page holding one table behind the header that names the worksheet.

struct ExportColumn {
    const char* control; // colNum, colCliente ...
    const char* header;  // the caption, in the grid and in the file's header row (UTF-8)
    int gridWidth;       // the column's width in the grid
    bool readOnly;       // read-only columns cannot be edited in the grid
    int fileWidth;       // the width written in the file's header row; column 0 is not written
};

constexpr int kExportColumnCount = 26;
// Rows of the grid before a registry with at least one card fills it.
constexpr int kExportEmptyRows = 10;

const std::array<ExportColumn, kExportColumnCount>& exportColumns();

// The room writeExportRowBytes needs for a row: the most bytes its cells can take, and a few
// it may use behind them.
int exportRowRoom();

// Writes the 26 cells of the grid row for a card, given as the registry stores it
// (AnagraficaRecord::kSize bytes at card), row being its 0-based place in the file: the cells
// as the registry stores their characters (Windows-1252, one byte each), one after the other
// from out on, which has room for exportRowRoom(). starts receives where each cell
// begins, relative to out, and its last entry where the last cell ends. Returns the end of
// what it wrote.
char* writeExportRowBytes(const char* card, int row, char* out,
                          std::array<quint16, kExportColumnCount + 1>& starts);

// The text a cell puts between its <td> and </td>: trimmed, with &, < and > written as their
// entities so that a note like "a<b & c" reaches the spreadsheet as typed. Characters that
// would break the file's single line (codes below 32) and characters Windows-1252 cannot
// hold are written as numeric references, so nothing typed is lost.
QString exportCellText(const QString& text);

// The grid the file is written from: its row count and the text of a cell (columns 0 to 25).
// A grid that keeps its cells as texts may offer them as views instead, which spares a copy of
// every cell when a large registry is written.
// A grid that keeps its rows as the registry stores their characters may offer a row's bytes
// instead: storedRow answers true for such a row, with bytes holding its cells one after the
// other and starts (27 entries) where each begins and the last one ends; false for a row to be
// asked for cell by cell (one with typed text, say).
struct ExportGrid {
    int rows = 0;
    std::function<QString(int row, int column)> cell;
    std::function<QStringView(int row, int column)> view;
    std::function<bool(int row, std::string_view& bytes, const quint16*& starts)> storedRow;
};

// The whole file as written: Windows-1252, one line, no line break at the end.
QByteArray exportDocument(const ExportGrid& grid);

// Writes the file part by part beside path and puts it in place of the old one only when every
// part is written and on the disk (SafeFile). On failure the previous file stays whole and the
// result says why. progress, when given, hears every kProgressStep rows how many are written;
// its false abandons the file, and the previous one stays as it was.
WriteResult writeExportFile(const QString& path, const ExportGrid& grid,
                            const WorkProgress& progress = {});

// Anagrafica.xls in the program folder.
QString exportFilePath();
