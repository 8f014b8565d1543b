// The help menu, chosen with the mouse as a user does: 使い方 hands the HTML guide found beside
// the program to the desktop's browser, or says why it cannot; バージョン情報 shows the
// program's version and the versions of the libraries it runs with.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>

#include "editions/kelmaro_edition.h"
#include "editions/kinvora_wiring.h"
#include "graphs/form2.h"
#include "graphs/form3.h"
#include "graphs/graph_settings.h"
#include "graphs/graph_windows.h"
#include "mainwindow/form1.h"
#include "mainwindow/help_menu.h"
#include "tests/support/scripted_desktop.h"

#include <opencv2/core/utility.hpp>

extern "C" {
#include <libavutil/avutil.h>
}

namespace {

// Opens the help menu from the menu bar and clicks one of its items.
void choose(QMainWindow& window, const QString& item_name) {
    QMenuBar* bar = window.menuBar();
    auto* help = bar->findChild<QMenu*>(QStringLiteral("mnuhelp"));
    ASSERT_NE(help, nullptr);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(help->menuAction()).center());
    ASSERT_TRUE(QTest::qWaitFor([help] { return help->isVisible(); }));
    auto* item = help->findChild<QAction*>(item_name);
    ASSERT_NE(item, nullptr);
    QTest::mouseClick(help, Qt::LeftButton, {}, help->actionGeometry(item).center());
}

TEST(HelpMenu, GuideOpensFromBesideTheProgramOrAMessageSaysWhere) {
    const QString installed = QStringLiteral("usr/share/doc/kinvora/guide.ja.html");
    const struct {
        QString guide;        // made under the folder, empty for none
        QString program_dir;  // under the folder
        bool browser;
        QString opened;   // the file handed to the browser, empty for none
        QString message;  // the start of the message, empty for none
    } rows[] = {
        {"build/docs/guide.ja.html", "build", true, "build/docs/guide.ja.html", ""},
        {installed, "usr/bin", true, installed, ""},
        {"", "usr/bin", true, "", "使い方の手引きのファイルが見つかりません。"},
        {installed, "usr/bin", false, installed, "手引きを表示するブラウザーが見つかりません。"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.guide.toStdString());
        QTemporaryDir dir;
        if (!row.guide.isEmpty()) {
            QDir().mkpath(QFileInfo(dir.filePath(row.guide)).path());
            QFile(dir.filePath(row.guide)).open(QIODevice::WriteOnly);
        }
        ScriptedDesktop desk;
        ScopedDesktop scoped{desk};
        desk.url_opens = row.browser;
        Form1 window(Edition::Kinvora);
        new HelpMenu(window, {}, guide_file(dir.filePath(row.program_dir)));
        window.show();
        choose(window, QStringLiteral("mnuguide"));
        std::vector<QUrl> expected;
        if (!row.opened.isEmpty())
            expected.push_back(QUrl::fromLocalFile(dir.filePath(row.opened)));
        EXPECT_EQ(desk.opened_urls, expected);
        ASSERT_EQ(desk.messages.size(), row.message.isEmpty() ? 0u : 1u);
        // A message names the file the user is to look for or open by hand.
        if (!row.message.isEmpty()) {
            EXPECT_TRUE(desk.messages[0].text.startsWith(row.message));
            EXPECT_TRUE(desk.messages[0].text.contains(dir.filePath(installed)));
        }
    }
}

TEST(HelpMenu, VersionBoxRightOfTheFileMenuShowsTheVersionsInUse) {
    const struct {
        const ProgramEdition& program;
        const char* title;
        QStringList own;  // the libraries that only this program lists
    } rows[] = {
        {kinvora_program(),
         "ビデオによる運動の分析",
         {QStringLiteral("OpenCV ") + QString::fromStdString(cv::getVersionString())}},
        {kelmaro_program(), "ビデオによる運動の分析（旧版）", {}},
    };
    const QString name_before = program_name();
    for (const auto& row : rows) {
        SCOPED_TRACE(row.title);
        ScriptedDesktop desk;
        ScopedDesktop scoped{desk};
        Form1& main = start_main_window(row.program);
        main.show();
        const QList<QAction*> menus = main.menuBar()->actions();
        ASSERT_EQ(menus.size(), 2);
        EXPECT_EQ(menus[0]->text(), QStringLiteral("ﾌｧｲﾙ（&F）"));
        EXPECT_EQ(menus[1]->text(), QStringLiteral("ヘルプ(&H)"));
        choose(main, QStringLiteral("mnuabout"));
        auto* box = main.findChild<QMessageBox*>(QStringLiteral("about_box"));
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(box->isVisible() && !box->isModal());
        EXPECT_EQ(box->windowTitle(), QStringLiteral("バージョン情報"));
        const QStringList lines = box->text().split(QLatin1Char('\n'));
        ASSERT_GE(lines.size(), 7);
        EXPECT_EQ(lines[0], QString::fromUtf8(row.title));
        EXPECT_EQ(lines[1], row.program.name + QStringLiteral("　バージョン ") +
                                QStringLiteral(KV_EXPECTED_VERSION));
        EXPECT_TRUE(lines[2].startsWith(QStringLiteral("ライセンス：")));
        EXPECT_EQ(lines[5], QStringLiteral("Qt ") + QString::fromLatin1(qVersion()));
        EXPECT_TRUE(lines[6].startsWith(QStringLiteral("FFmpeg ") +
                                        QString::fromLatin1(av_version_info())));
        EXPECT_EQ(lines.mid(7), row.own);
        EXPECT_TRUE(desk.messages.empty());
        form1().destroy();
    }
    form2().on_made = nullptr;
    form3().on_made = nullptr;
    set_program_name(name_before);
    set_program_edition(Edition::Kinvora);
    use_graph_settings(kinvora_graph_settings());
}

}  // namespace
