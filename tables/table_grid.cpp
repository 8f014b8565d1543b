#include "tables/table_grid.h"

#include <QHeaderView>
#include <QTableWidget>
#include <algorithm>

#include "platform/number_text.h"
#include "platform/twips.h"

namespace {
constexpr double kColumnTwips = 1050;
constexpr double kRowTwips = 240;
constexpr const char* kPatterns[3] = {"0.000", "#0.000", "#0.000"};

QTableWidgetItem* number_item(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}
}  // namespace

void setup_table_grid(QTableWidget* grid, const GridHeader& header) {
    grid->setFont(QFont(QStringLiteral("ＭＳ Ｐゴシック"), 9));
    grid->setColumnCount(3);
    grid->setRowCount(kGridRows - 1);
    for (int c = 0; c < 3; ++c) {
        grid->setColumnWidth(c, twips_to_px(kColumnTwips));
        grid->setHorizontalHeaderItem(c, new QTableWidgetItem(header[static_cast<std::size_t>(c)]));
    }
    grid->horizontalHeader()->setHighlightSections(false);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(twips_to_px(kRowTwips));
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void fill_table_grid(QTableWidget* grid, const std::vector<TableRow>& rows) {
    const int n = static_cast<int>(rows.size());
    grid->setRowCount(std::max(grid->rowCount(), n));
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < 3; ++c) {
            const auto col = static_cast<std::size_t>(c);
            grid->setItem(
                r, c,
                number_item(format_number(rows[static_cast<std::size_t>(r)][col], kPatterns[col])));
        }
    }
}

namespace {
QString cell_text(const QTableWidgetItem* item) { return item ? item->text() : QString(); }
}  // namespace

QString grid_text(const QTableWidget* grid) {
    QStringList lines;
    QStringList header;
    for (int c = 0; c < grid->columnCount(); ++c)
        header << cell_text(grid->horizontalHeaderItem(c)).trimmed();
    lines << header.join(QLatin1Char('\t'));
    for (int r = 0; r < grid->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < grid->columnCount(); ++c) cells << cell_text(grid->item(r, c));
        if (cells.join(QString()).isEmpty()) break;  // the rows past the data are empty
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

int grid_row_count(const QTableWidget* grid) { return grid->rowCount() + 1; }
