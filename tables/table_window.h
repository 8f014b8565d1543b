#pragma once
#include <QWidget>

#include "tables/csv_table.h"
#include "tables/table_grid.h"
#include "tables/table_rows.h"

class QCloseEvent;
class QPushButton;
class QTableWidget;

// A rectangle in twips: left, top, width, height.
struct TwipsRect {
    double left, top, width, height;
};

// What distinguishes one table window from the other.
struct TableWindowLayout {
    QString caption;
    TwipsRect grid, save, close;
    GridHeader grid_header;
    QString csv_filter;
    CsvHeader csv_header;
    std::vector<TableRow> (*rows)(AnalysisState&);
};

// A table window: a snapshot grid filled once at load, a save button that writes the data
// derived from the analysis state as it is at that moment, a close button that unloads the
// window, and a copy button (and Ctrl+C) that puts the grid on the clipboard for a spreadsheet.
class TableWindow : public QWidget {
    Q_OBJECT
  public:
    QTableWidget* MSFlexGrid1;
    QPushButton* Cmd_save;
    QPushButton* Cmd_close;
    QPushButton* Cmd_copy;  // 「コピー」, and Ctrl+C: the whole table to the clipboard

    void Cmd_save_Click();
    void Cmd_close_Click();
    void Cmd_copy_Click();

  protected:
    // Runs the load sequence: size, place, grid set up and filled.
    explicit TableWindow(const TableWindowLayout& layout);
    void closeEvent(QCloseEvent* event) override;

  private:
    const TableWindowLayout& layout_;
};
