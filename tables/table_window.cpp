#include "tables/table_window.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QPushButton>
#include <QShortcut>
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
// Right of the close button, the same in both windows.
constexpr TwipsRect kCopyButton{4035, 3000, 780, 495};

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
    Cmd_copy = make_control<QPushButton>(this, "Cmd_copy", kCopyButton);
    Cmd_copy->setText(QStringLiteral("コピー"));
    connect(Cmd_save, &QPushButton::clicked, this, &TableWindow::Cmd_save_Click);
    connect(Cmd_close, &QPushButton::clicked, this, &TableWindow::Cmd_close_Click);
    connect(Cmd_copy, &QPushButton::clicked, this, &TableWindow::Cmd_copy_Click);
    connect(new QShortcut(QKeySequence::Copy, this), &QShortcut::activated, this,
            &TableWindow::Cmd_copy_Click);

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

void TableWindow::Cmd_copy_Click() {
    QGuiApplication::clipboard()->setText(grid_text(MSFlexGrid1));
}

void TableWindow::closeEvent(QCloseEvent* event) {
    unload_window(this);
    event->accept();
}
