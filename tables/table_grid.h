#pragma once
#include <QString>
#include <array>
#include <vector>

#include "tables/table_rows.h"

class QTableWidget;

// The grid of a table window. Its fixed row 0 is the table's horizontal header, which stays in
// view while the rows scroll; data row i (i >= 1) is table row i - 1. There is no fixed
// column. The grid holds 50 rows (the header and 49 data rows) and grows to hold every row
// it is given.
inline constexpr int kGridRows = 50;

using GridHeader = std::array<QString, 3>;

// Columns of 1050 twips, "ＭＳ Ｐゴシック" 9 point, read-only cells, 50 rows.
void setup_table_grid(QTableWidget* grid, const GridHeader& header);

// Writes the rows once: the time with "0.000", the two values with "#0.000".
void fill_table_grid(QTableWidget* grid, const std::vector<TableRow>& rows);

// The table as the grid shows it, for a spreadsheet: the header row (its texts without the
// blanks around them), then every filled row, cells separated by tabs, each line ended by a
// line feed.
QString grid_text(const QTableWidget* grid);

// The grid's row count as the grid counts it: the header row included.
int grid_row_count(const QTableWidget* grid);
