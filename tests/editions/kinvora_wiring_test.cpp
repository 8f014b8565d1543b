// Kinvora's windows reach one another: the main window's graph buttons open the graph
// windows, their table buttons open the tables, and calibration uses the length dialog.
#include <gtest/gtest.h>

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "editions/kinvora_wiring.h"
#include "graphs/form2.h"
#include "graphs/form3.h"
#include "graphs/graph_windows.h"
#include "mainwindow/form1.h"
#include "marking/form4.h"
#include "platform/picture_box.h"
#include "tables/form5.h"
#include "tables/form6.h"
#include "tables/table_windows.h"
#include "tests/support/scripted_desktop.h"
#include "tests/support/scripted_media_service.h"
#include "videodevice/video_device.h"

namespace {

class KinvoraWiring : public ::testing::Test {
  protected:
    KinvoraWiring() {
        state() = AnalysisState{};
        set_video_service(&svc);
        wire_kinvora_windows(main);
    }
    ~KinvoraWiring() override {
        for (auto* w :
             {static_cast<QWidget*>(form2().peek()), static_cast<QWidget*>(form3().peek()),
              static_cast<QWidget*>(form5().peek()), static_cast<QWidget*>(form6().peek())})
            delete w;
        form4().destroy();
        form2().on_made = nullptr;
        form3().on_made = nullptr;
        set_video_service(nullptr);
    }
    // A clip opened and playing, as after Open and 再生.
    void open_and_play() {
        QFile clip(dir.filePath(QStringLiteral("clip.avi")));
        ASSERT_TRUE(clip.open(QIODevice::WriteOnly));
        desk.open_answers.push_back(clip.fileName());
        svc.answer("where avfile source", 0, "0 0 320 240");
        svc.answer("status avfile length", 0, "100");
        main.show();
        main.mnuopen_Click();
        QTest::mouseClick(main.Command1, Qt::LeftButton);
    }
    // Clicks the canvas at these pixels of the picture box (its 2-pixel border included).
    void click_canvas(std::initializer_list<QPoint> pixels) {
        for (const QPoint& p : pixels) QTest::mouseClick(main.Picture3, Qt::LeftButton, {}, p);
    }
    // Saves through the table's own button; returns the file's bytes.
    std::string save(QPushButton* save_button, const QString& name) {
        const QString path = dir.filePath(name);
        desk.save_answers.push_back(path);
        QTest::mouseClick(save_button, Qt::LeftButton);
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : "<none>";
    }

    ScriptedDesktop desk;
    ScopedDesktop scoped{desk};
    ScriptedMediaService svc;
    QTemporaryDir dir;
    Form1 main;
};

TEST_F(KinvoraWiring, GraphButtonsOpenTheGraphsOnlyWithAMark) {
    main.Cmd_st_Click();
    main.Cmd_vt_Click();
    EXPECT_FALSE(form3().loaded() || form2().loaded());
    state().mark_count = 1;
    main.Cmd_st_Click();
    main.Cmd_vt_Click();
    ASSERT_TRUE(form3().loaded() && form2().loaded());
    EXPECT_TRUE(form3()->isVisible() && form2()->isVisible());
}

TEST_F(KinvoraWiring, TableButtonsOpenTheirTables) {
    state().mark_count = 2;
    show_st_graph();
    show_vt_graph();
    form3()->Cmd_data_Click();
    EXPECT_TRUE(form5().loaded() && form5()->isVisible());
    EXPECT_FALSE(form6().loaded());
    form2()->Cmd_vt_table_Click();
    EXPECT_TRUE(form6().loaded() && form6()->isVisible());
    // Closed with its button and shown again, the graph is a new window, wired the same way.
    form6().destroy();
    QTest::mouseClick(form2()->Cmd_close, Qt::LeftButton);
    show_vt_graph();
    QTest::mouseClick(form2()->Cmd_vt_table, Qt::LeftButton);
    EXPECT_TRUE(form6().loaded() && form6()->isVisible());
}

TEST_F(KinvoraWiring, CalibrationShowsTheLengthDialogAndOpeningEmptiesIt) {
    main.Cmd_Length2_Click();
    ASSERT_TRUE(form4().loaded());
    EXPECT_TRUE(form4()->isVisible());
    form4()->Text1->setText(QStringLiteral("50"));
    main.mnuopen_Click();  // cancelled, but the length box is emptied before the dialog
    EXPECT_TRUE(form4()->Text1->text().isEmpty());
}

// From clicks on the canvas through the graph windows and their tables to the files: tables
// left open while marks are added, and a recalibration, still save the data of that moment.
TEST_F(KinvoraWiring, TablesLeftOpenSaveTheMarksAndScaleOfTheMomentOfSaving) {
    open_and_play();
    QTest::keyClicks(main.Text3, QStringLiteral("\b3"));  // 3 frames of 1/30 s a step: 0.1 s
    // Ruler units from the right and from the bottom: (1, 1) and (2, 2).
    click_canvas({{278, 198}, {238, 158}});
    QTest::mouseClick(main.Cmd_st, Qt::LeftButton);
    QTest::mouseClick(main.Cmd_vt, Qt::LeftButton);
    QTest::mouseClick(form3()->Cmd_data, Qt::LeftButton);
    QTest::mouseClick(form2()->Cmd_vt_table, Qt::LeftButton);
    ASSERT_TRUE(form5().loaded() && form6().loaded());

    click_canvas({{198, 118}, {158, 118}});  // (3, 3) and (4, 3), with both tables open
    const std::string xt_header = "\"\x8e\x9e\x8a\xd4[s]\",\"\x82\x98[m]\",\"\x82\x99[m]\"\r\n";
    EXPECT_EQ(save(form5()->Cmd_save, QStringLiteral("xt.csv")),
              xt_header + "\" 0\",\" 1\",\" 1\"\r\n\" .1\",\" 2\",\" 2\"\r\n" +
                  "\" .2\",\" 3\",\" 3\"\r\n\" .3\",\" 4\",\" 3\"\r\n");
    EXPECT_EQ(
        save(form6()->Cmd_save, QStringLiteral("vt.csv")),
        "\"\x8e\x9e\x8a\xd4[s]\",\"Vx[m]\",\"Vy[m]\"\r\n"
        "\" .05\",\" 9.999999\",\" 9.999999\"\r\n\" .15\",\" 9.999999\",\" 9.999999\"\r\n"
        "\" .25\",\" 9.999999\",\" 0\"\r\n");  // 1 unit in 3 × 1/30 s, 1/30 in single precision

    // Two points 2 units apart are 100 cm: half a metre a unit.
    QTest::mouseClick(main.Cmd_Length2, Qt::LeftButton);
    click_canvas({{278, 198}, {198, 198}});
    QTest::keyClicks(form4()->Text1, QStringLiteral("100"));
    QTest::mouseClick(form4()->Cmd_close, Qt::LeftButton);
    EXPECT_EQ(save(form5()->Cmd_save, QStringLiteral("xt2.csv")),
              xt_header + "\" 0\",\" .5\",\" .5\"\r\n\" .1\",\" 1\",\" 1\"\r\n" +
                  "\" .2\",\" 1.5\",\" 1.5\"\r\n\" .3\",\" 2\",\" 1.5\"\r\n");
    EXPECT_EQ(desk.beeps, 0);
    EXPECT_TRUE(desk.messages.empty());
}

}  // namespace
