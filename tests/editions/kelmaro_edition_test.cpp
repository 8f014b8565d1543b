// Kelmaro's start: its name, the earlier edition's main window, graphs in ruler units at a
// fixed 1/30 s, and graph buttons that open graph windows without table buttons.
#include <gtest/gtest.h>

#include "editions/kelmaro_edition.h"
#include "graphs/form2.h"
#include "graphs/form3.h"
#include "graphs/graph_settings.h"
#include "graphs/graph_windows.h"
#include "mainwindow/form1.h"
#include "platform/desktop.h"
#include "tests/support/scripted_desktop.h"
#include "tests/support/scripted_media_service.h"
#include "videodevice/video_device.h"

namespace {

TEST(KelmaroEdition, StartsAsTheEarlierEditionWithItsGraphs) {
    const QString name_before = program_name();
    ScriptedDesktop desk;
    ScopedDesktop scoped{desk};
    ScriptedMediaService svc;
    set_video_service(&svc);
    state() = AnalysisState{};

    {
        Form1& main = start_main_window(kelmaro_program());
        EXPECT_EQ(program_name(), QStringLiteral("Kelmaro"));
        EXPECT_EQ(program_edition(), Edition::Kelmaro);
        EXPECT_EQ(graph_settings().fixed_frame_time, 1.0 / 30);
        EXPECT_EQ(graph_settings().st_axis.unit_text, QStringLiteral("単位長"));
        EXPECT_FALSE(graph_settings().positions_from_scale);
        EXPECT_TRUE(main.earlier_edition());
        EXPECT_EQ(main.Cmd_Length2, nullptr);
        state().mark_count = 1;
        main.Cmd_vt_Click();
        main.Cmd_st_Click();
        ASSERT_TRUE(form2().loaded() && form3().loaded());
        EXPECT_EQ(form2()->windowTitle(), QStringLiteral("v-tグラフ"));
        EXPECT_EQ(form3()->windowTitle(), QStringLiteral("s-tグラフ"));
        EXPECT_EQ(form2()->Cmd_vt_table, nullptr);
        EXPECT_EQ(form3()->Cmd_data, nullptr);
        form2().destroy();
        form3().destroy();
        form1().destroy();
    }
    set_program_name(name_before);
    set_program_edition(Edition::Kinvora);
    use_graph_settings(kinvora_graph_settings());
    set_video_service(nullptr);
}

}  // namespace
