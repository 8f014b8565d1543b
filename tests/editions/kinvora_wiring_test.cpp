// Kinvora's windows reach one another: the main window's graph buttons open the graph
// windows, their table buttons open the tables, and calibration uses the length dialog.
#include <gtest/gtest.h>

#include <QLineEdit>

#include "editions/kinvora_wiring.h"
#include "graphs/form2.h"
#include "graphs/form3.h"
#include "graphs/graph_windows.h"
#include "mainwindow/form1.h"
#include "marking/form4.h"
#include "mediaservice/scripted_media_service.h"
#include "platform/scripted_desktop.h"
#include "tables/form5.h"
#include "tables/form6.h"
#include "tables/table_windows.h"
#include "video/video_device.h"

namespace {

class KinvoraWiring : public ::testing::Test {
  protected:
    KinvoraWiring() {
        state() = AnalysisState{};
        set_video_service(&svc);
        wire_kinvora_windows(main);
    }
    ~KinvoraWiring() override {
        for (auto* w : {static_cast<QWidget*>(form2().peek()), static_cast<QWidget*>(form3().peek()),
                        static_cast<QWidget*>(form5().peek()), static_cast<QWidget*>(form6().peek())})
            delete w;
        form4().destroy();
        Form2::on_table_button = nullptr;
        Form3::on_table_button = nullptr;
        set_video_service(nullptr);
    }
    ScriptedDesktop desk;
    ScopedDesktop scoped{desk};
    ScriptedMediaService svc;
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
}

TEST_F(KinvoraWiring, CalibrationShowsTheLengthDialogAndOpeningEmptiesIt) {
    main.Cmd_Length2_Click();
    ASSERT_TRUE(form4().loaded());
    EXPECT_TRUE(form4()->isVisible());
    form4()->Text1->setText(QStringLiteral("50"));
    main.mnuopen_Click();  // cancelled, but the length box is emptied before the dialog
    EXPECT_TRUE(form4()->Text1->text().isEmpty());
}

}  // namespace
