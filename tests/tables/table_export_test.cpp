// What leaves a table window for a spreadsheet: the whole table on the clipboard (Ctrl+C or
// コピー), and the CSV in UTF-8 chosen as the second file type of the real save dialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "platform/qt_desktop.h"
#include "state/analysis_state.h"
#include "tables/table_windows.h"
#include "tests/tables/table_test_support.h"

namespace {

using TableExport = TableTest;

// Both tables copied by a real Ctrl+C on the grid and by the button (right of the close
// button, inside the window): tab-separated, the header without its blanks, the numbers as the
// grid shows them, only the filled rows.
TEST_F(TableExport, CtrlCAndTheCopyButtonPutTheTableOnTheClipboard) {
    set_marks(3, 0.125f, -0.375f, 0.125f, 2);
    const struct {
        TableWindow* window;
        QString text;
    } cases[] = {
        {&form5().get(), QStringLiteral("t[s]\tx[m]\ty[m]\n0.000\t-0.375\t0.125\n"
                                        "0.250\t-0.750\t0.250\n0.500\t-1.125\t0.375\n")},
        {&form6().get(), QStringLiteral("t[s]\tVx[m/s]\tVy[m/s]\n0.125\t-1.500\t0.500\n"
                                        "0.375\t-1.500\t0.500\n")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.window->windowTitle().toStdString());
        c.window->show();
        c.window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(c.window));
        QGuiApplication::clipboard()->clear();
        c.window->MSFlexGrid1->setFocus();
        QTest::keyClick(c.window->MSFlexGrid1, Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), c.text);

        QGuiApplication::clipboard()->clear();
        EXPECT_EQ(c.window->Cmd_copy->text(), QStringLiteral("コピー"));
        EXPECT_EQ(c.window->Cmd_copy->geometry(), QRect(269, 200, 52, 33)) << "right of 閉じる";
        QTest::mouseClick(c.window->Cmd_copy, Qt::LeftButton);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), c.text);
    }
}

// The user picks a file type in Qt's own save dialog and types a bare name: the first type,
// the default, writes the table's code page 932 file; the second writes UTF-8 after a
// byte-order mark. Both have the table's lines, byte for byte.
TEST_F(TableExport, TheSaveDialogsSecondTypeWritesUtf8WithAByteOrderMark) {
    set_marks(2, 0.1f, 0.5f, -1.25f);
    const std::string lines_cp932 =
        "\"\x8e\x9e\x8a\xd4[s]\",\"\x82\x98[m]\",\"\x82\x99[m]\"\r\n\" 0\",\" .5\",\"-1.25\"\r\n"
        "\" .1\",\" 1\",\"-2.5\"\r\n";
    const std::string lines_utf8 =
        "\"時間[s]\",\"ｘ[m]\",\"ｙ[m]\"\r\n\" 0\",\" .5\",\"-1.25\"\r\n\" .1\",\" "
        "1\",\"-2.5\"\r\n";
    const struct {
        int type;
        const char* typed;
        std::string bytes;
    } cases[] = {
        {0, "sjis", lines_cp932},
        {1, "utf8", "\xEF\xBB\xBF" + lines_utf8},
    };
    QtDesktop real;
    set_desktop(&real);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        QStringList offered;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            offered = dialog->nameFilters();
            EXPECT_EQ(dialog->selectedNameFilter(), offered.value(0)) << "the first is the default";
            dialog->setDirectory(dir.path());
            auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            ASSERT_NE(types, nullptr);
            for (int k = 0; k < c.type; ++k) QTest::keyClick(types, Qt::Key_Down);
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QTest::keyClicks(name, QString::fromUtf8(c.typed));
            QTest::keyClick(name, Qt::Key_Return);
        });
        form5()->Cmd_save->click();
        EXPECT_EQ(offered, (QStringList{QStringLiteral("x,y-tデータ(*.csv)"),
                                        QStringLiteral("CSV UTF-8 (*.csv)")}));
        EXPECT_EQ(read_bytes(path_in_dir(QString::fromUtf8(c.typed) + ".csv")), c.bytes);
    }
    set_desktop(&desk);
}

}  // namespace
