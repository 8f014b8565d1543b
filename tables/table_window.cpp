#include "tables/table_window.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QTableWidget>

#include "platform/lazy_window.h"
#include "platform/twips_control.h"
#include "state/analysis_state.h"
#include "tables/save_table_csv.h"

namespace {
constexpr double kOuterWidthTwips = 5000;
constexpr double kOuterHeightTwips = 4000;
constexpr double kRightOfCentreTwips = 800;
constexpr double kAboveCentreTwips = 400;

template <class Control>
Control* make_control(QWidget* parent, const char* name, const TwipsRect& r) {
    return make_twips_control<Control>(parent, name, r.left, r.top, r.width, r.height);
}
}  // namespace

TableWindow::TableWindow(const TableWindowLayout& layout) : layout_(layout) {
    setWindowTitle(layout.caption);
    MSFlexGrid1 = make_control<QTableWidget>(this, "MSFlexGrid1", layout.grid);
    Cmd_save = make_control<QPushButton>(this, "Cmd_save", layout.save);
    Cmd_save->setText(QStringLiteral("保存"));
    Cmd_close = make_control<QPushButton>(this, "Cmd_close", layout.close);
    Cmd_close->setText(QStringLiteral("閉じる"));
    connect(Cmd_save, &QPushButton::clicked, this, &TableWindow::Cmd_save_Click);
    connect(Cmd_close, &QPushButton::clicked, this, &TableWindow::Cmd_close_Click);

    set_outer_size_twips(this, kOuterWidthTwips, kOuterHeightTwips);
    centre_on_screen_twips(this, kRightOfCentreTwips, -kAboveCentreTwips);
    setup_table_grid(MSFlexGrid1, layout.grid_header);
    fill_table_grid(MSFlexGrid1, layout.rows(state()));
}

void TableWindow::Cmd_save_Click() {
    save_table_csv(layout_.csv_filter, layout_.csv_header,
                   [this] { return layout_.rows(state()); });
}

void TableWindow::Cmd_close_Click() { unload_window(this); }

void TableWindow::closeEvent(QCloseEvent* event) {
    unload_window(this);
    event->accept();
}
