#include <gtest/gtest.h>

#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>

#include "platform/twips.h"
#include "state/analysis_state.h"
#include "tables/table_grid.h"
#include "tables/table_windows.h"
#include "tests/tables/table_test_support.h"

namespace {

using TableWindows = TableTest;

// Grid row r (0 is the fixed header row) as three texts.
QStringList grid_row(const QTableWidget* grid, int r) {
    QStringList texts;
    for (int c = 0; c < 3; ++c) {
        const QTableWidgetItem* item =
            r == 0 ? grid->horizontalHeaderItem(c) : grid->item(r - 1, c);
        texts << (item ? item->text() : QString());
    }
    return texts;
}

QStringList row(const char* a, const char* b, const char* c) {
    return {QString::fromUtf8(a), QString::fromUtf8(b), QString::fromUtf8(c)};
}

// Full-width letters and 時間 spelled in code page 932 bytes.
const std::string kXtHeaderLine = "\"\x8e\x9e\x8a\xd4[s]\",\"\x82\x98[m]\",\"\x82\x99[m]\"\r\n";
const std::string kVtHeaderLine = "\"\x8e\x9e\x8a\xd4[s]\",\"Vx[m]\",\"Vy[m]\"\r\n";

// Marks two frames of 1/8 s apart, moving -1.5 m/s in x and 0.5 m/s in y.
void set_intervals(int marks) { set_marks(marks, 0.125f, -0.375f, 0.125f, 2); }

TEST_F(TableWindows, XtTableLoadsItsControlsAndSnapshot) {
    set_marks(2, 1.0f / 30.0f, 0.5f, -1.25f);
    Form5& f = form5().get();
    EXPECT_EQ(f.windowTitle(), QStringLiteral("表ｘ－ｔ，ｙ－ｔ"));
    EXPECT_EQ(f.findChild<QTableWidget*>(QStringLiteral("MSFlexGrid1")), f.MSFlexGrid1);
    EXPECT_EQ(f.findChild<QPushButton*>(QStringLiteral("Cmd_save"))->text(),
              QStringLiteral("保存"));
    EXPECT_EQ(f.findChild<QPushButton*>(QStringLiteral("Cmd_close"))->text(),
              QStringLiteral("閉じる"));

    const QTableWidget* g = f.MSFlexGrid1;
    EXPECT_EQ(grid_row_count(g), 50);
    EXPECT_EQ(g->columnCount(), 3);
    for (int c = 0; c < 3; ++c) EXPECT_EQ(g->columnWidth(c), twips_to_px(1050));
    EXPECT_EQ(g->font().family(), QStringLiteral("ＭＳ Ｐゴシック"));
    EXPECT_EQ(g->font().pointSize(), 9);
    EXPECT_FALSE(g->verticalHeader()->isVisible() && !g->verticalHeader()->isHidden());

    EXPECT_EQ(grid_row(g, 0), row(" t[s] ", " x[m] ", " y[m] "));
    EXPECT_EQ(grid_row(g, 1), row("0.000", "0.500", "-1.250"));
    EXPECT_EQ(grid_row(g, 2), row("0.033", "1.000", "-2.500"));
    EXPECT_EQ(grid_row(g, 3), row("", "", ""));
}

TEST_F(TableWindows, VtTableShowsIntervalsWithItsOwnHeader) {
    set_intervals(3);
    Form6& f = form6().get();
    EXPECT_EQ(f.windowTitle(), QStringLiteral("ｖ-ｔ表"));
    const QTableWidget* g = f.MSFlexGrid1;
    EXPECT_EQ(grid_row_count(g), 50);
    EXPECT_EQ(grid_row(g, 0), row(" t[s] ", " Vx[m/s] ", " Vy[m/s] "));
    EXPECT_EQ(grid_row(g, 1), row("0.125", "-1.500", "0.500"));
    EXPECT_EQ(grid_row(g, 2), row("0.375", "-1.500", "0.500"));
    EXPECT_EQ(grid_row(g, 3), row("", "", ""));
}

TEST_F(TableWindows, TheGridGrowsToShowEveryRow) {
    set_marks(75, 0.1f, 0.01f, 0.02f);
    const QTableWidget* xt = form5()->MSFlexGrid1;
    EXPECT_EQ(grid_row_count(xt), 76);
    EXPECT_EQ(grid_row(xt, 75), row("7.400", "0.750", "1.500"));

    set_intervals(51);
    EXPECT_EQ(grid_row_count(form6()->MSFlexGrid1), 51);
    set_intervals(50);
    form6().destroy();
    EXPECT_EQ(grid_row_count(form6()->MSFlexGrid1), 50) << "49 intervals fit the 50 rows";
}

// Controls at their fixed places (twips, 15 to a pixel), the window 5000 x 4000 twips
// outside, centred and then moved 800 twips right and 400 up.
TEST_F(TableWindows, LayoutInTwips) {
    struct Case {
        TableWindow* window;
        QRect grid, save, close;
    };
    const Case cases[] = {
        {&form5().get(), {24, 24, 273, 169}, {56, 200, 89, 33}, {176, 200, 89, 33}},
        {&form6().get(), {16, 8, 273, 177}, {32, 200, 105, 33}, {160, 200, 105, 33}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.window->windowTitle().toStdString());
        EXPECT_EQ(c.window->MSFlexGrid1->geometry(), c.grid);
        EXPECT_EQ(c.window->Cmd_save->geometry(), c.save);
        EXPECT_EQ(c.window->Cmd_close->geometry(), c.close);
        const QSize outer = c.window->frameGeometry().size() == c.window->size()
                                ? c.window->size() + QSize(8, 31)  // the frame assumed unshown
                                : c.window->frameGeometry().size();
        EXPECT_EQ(outer, QSize(333, 267));
        const QRect screen = c.window->screen()->geometry();
        EXPECT_EQ(c.window->pos(), screen.topLeft() + QPoint((screen.width() - 333) / 2 + 53,
                                                             (screen.height() - 267) / 2 - 27));
    }
}

struct SaveCase {
    const char* name;
    int marks;
    bool vt;
    std::string expected;
};

// The file a table writes, byte for byte, through its own save button.
TEST_F(TableWindows, SaveWritesTheExactFile) {
    const SaveCase cases[] = {
        {"xt, no marks", 0, false, kXtHeaderLine},
        {"xt, one mark", 1, false, kXtHeaderLine + "\" 0\",\" .5\",\"-1.25\"\r\n"},
        {"xt, three marks", 3, false,
         kXtHeaderLine + "\" 0\",\" .5\",\"-1.25\"\r\n\" .1\",\" 1\",\"-2.5\"\r\n" +
             "\" .2\",\" 1.5\",\"-3.75\"\r\n"},
        {"vt, one mark", 1, true, kVtHeaderLine},
        {"vt, three marks", 3, true,
         kVtHeaderLine + "\" .125\",\"-1.5\",\" .5\"\r\n" + "\" .375\",\"-1.5\",\" .5\"\r\n"},
    };
    for (const SaveCase& c : cases) {
        SCOPED_TRACE(c.name);
        state() = AnalysisState{};
        if (c.vt) {
            set_intervals(c.marks);
        } else {
            set_marks(c.marks, 0.1f, 0.5f, -1.25f);
        }
        const QString path = path_in_dir(QString::fromUtf8(c.name) + ".csv");
        desk.save_answers.push_back(path);
        TableWindow& w = c.vt ? static_cast<TableWindow&>(form6().get()) : form5().get();
        w.Cmd_save->click();
        EXPECT_EQ(read_bytes(path), c.expected);
        EXPECT_EQ(desk.save_requests.back().filter,
                  (c.vt ? QStringLiteral("Vx,Vy-tデータ(*.csv)|*.csv")
                        : QStringLiteral("x,y-tデータ(*.csv)|*.csv")) +
                      QStringLiteral("|CSV UTF-8 (*.csv)|*.csv"));
        form5().destroy();
        form6().destroy();
    }
    EXPECT_EQ(desk.beeps, 0);
}

TEST_F(TableWindows, AHundredMarksGiveAHundredLines) {
    set_marks(100, 0.125f, 0.5f, -1.25f);
    const std::pair<TableWindow*, int> tables[] = {{&form5().get(), 100}, {&form6().get(), 99}};
    for (const auto& [w, lines] : tables) {
        desk.save_answers.push_back(path_in_dir(QString::number(lines) + ".csv"));
        w->Cmd_save_Click();
        const std::string bytes = read_bytes(path_in_dir(QString::number(lines) + ".csv"));
        EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), lines + 1);
    }
    EXPECT_NE(read_bytes(path_in_dir("100.csv")).find("\" 12.375\",\" 50\",\"-125\"\r\n"),
              std::string::npos);
}

// The grid keeps what it showed at load; a save writes what the state holds now.
TEST_F(TableWindows, AStaleGridDiffersFromALaterSave) {
    set_marks(1, 0.1f, 0.5f, -1.25f);
    show_xt_table();
    Form5* shown = form5().peek();
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->isVisible());
    EXPECT_EQ(shown->parentWidget(), nullptr);

    set_marks(2, 0.1f, 2.0f, 3.0f);
    show_xt_table();
    EXPECT_EQ(form5().peek(), shown) << "an open table is only brought forward";
    EXPECT_EQ(grid_row(shown->MSFlexGrid1, 1), row("0.000", "0.500", "-1.250"));
    EXPECT_EQ(grid_row(shown->MSFlexGrid1, 2), row("", "", ""));

    desk.save_answers.push_back(path_in_dir("now.csv"));
    shown->Cmd_save_Click();
    EXPECT_EQ(read_bytes(path_in_dir("now.csv")),
              kXtHeaderLine + "\" 0\",\" 2\",\" 3\"\r\n\" .1\",\" 4\",\" 6\"\r\n");
}

TEST_F(TableWindows, CloseUnloadsAndTheNextOpeningFillsAfresh) {
    set_intervals(2);
    show_vt_table();
    form6()->Cmd_close->click();
    EXPECT_FALSE(form6().loaded());

    set_intervals(3);
    show_vt_table();
    EXPECT_EQ(grid_row(form6()->MSFlexGrid1, 2), row("0.375", "-1.500", "0.500"));
    form6()->close();  // the close box
    EXPECT_FALSE(form6().loaded());
}

}  // namespace
