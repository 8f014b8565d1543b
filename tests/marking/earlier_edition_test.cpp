// The earlier edition's main window: frames counted by hand, positions in ruler units, no
// calibration and no frame interval.
#include <QGroupBox>
#include <QLabel>

#include "platform/twips.h"

#include "tests/support/form1_fixture.h"

namespace {

class EarlierEdition : public Form1Test {
  protected:
    EarlierEdition() {
        f = std::make_unique<Form1>(Edition::Kelmaro);
        f->Form_Activate();
        open_and_play();
    }
    void click(float x, float y) { f->Picture3_MouseDown(1, 0, x, y); }
};

TEST_F(EarlierEdition, LacksTheStepBoxesFrameIntervalAndCalibration) {
    for (const char* name : {"Text3", "Text4", "Label7", "Label8", "Label9", "Frame1", "Option1",
                             "Option2", "Label4", "Label6", "Cmd_Length2"}) {
        EXPECT_EQ(f->findChild<QWidget*>(QString::fromUtf8(name)), nullptr) << name;
    }
}

TEST_F(EarlierEdition, ControlsSitInTheirPlacesWithTheirCaptions) {
    const std::vector<ControlPlace> controls = {
        {"Label1", 360, 120, 3975, 255, nullptr},  // the open clip's path
        {"Picture1", 480, 600, 4800, 3600, nullptr},
        {"Command4", 1920, 4440, 975, 495, "コマ戻し"},
        {"Command3", 2880, 4440, 975, 495, "コマ送り"},
        {"Label2", 3960, 4440, 975, 495, ""},
        {"HScroll1", 1320, 5280, 3015, 375, nullptr},
        {"Cmd_巻き戻し", 1320, 6000, 1095, 495, "巻き戻し"},
        {"Command2", 2400, 6000, 975, 495, "一時停止"},
        {"Command1", 3360, 6000, 975, 495, "再生"},
        {"Cmd_trans", 5400, 840, 495, 3255, "画像転送→"},
        {"Cmd_Xchange", 6720, 0, 1815, 495, "Ｘ軸の向き変更"},
        {"Cmd_Ychange", 8760, 0, 1695, 495, "Ｙ軸の向き変更"},
        {"Picture3", 6000, 600, 4800, 3600, nullptr},
        {"Picture2", 6000, 600, 5550, 4350, nullptr},
        {"Cmd_Reset", 6480, 5400, 1215, 495, "マーク消去"},
        {"Command6", 7680, 5400, 1215, 495, "全マーク消去"},
        {"Label3", 9600, 5520, 615, 495, "ｘ座標"},
        {"Text1", 10200, 5400, 615, 375, nullptr},
        {"Cmd_vt", 6480, 6120, 1215, 495, "v-tグラフ"},
        {"Cmd_st", 7680, 6120, 1215, 495, "x,y-tグラフ"},
        {"Label5", 9600, 6120, 855, 495, "ｙ座標"},
        {"Text2", 10200, 6000, 615, 375, nullptr},
    };
    expect_controls_in_place(*f, controls);
}

TEST_F(EarlierEdition, StepsAreSentAtOnceAndCountedWithoutTouchingTheCanvas) {
    const QImage before = f->Picture3->image();
    f->Command3_Click();
    f->Command3_Click();
    f->Command4_Click();
    EXPECT_EQ(svc.commands, (Commands{"step avfile", "step avfile", "step avfile reverse"}));
    EXPECT_EQ(f->frames_since_mark, 1);
    EXPECT_EQ(desk.tick_reads, 0) << "no paced wait";
    EXPECT_EQ(f->Picture3->image(), before);
}

TEST_F(EarlierEdition, AFurtherMarkNeedsAStepForwardAndStoresTheFramesStepped) {
    click(116, 36);
    ASSERT_EQ(state().mark_count, 1);
    EXPECT_EQ(state().pos_x[1], 5.0f) << "ruler units, whatever the scale";
    EXPECT_EQ(f->Text1->text(), QStringLiteral("5.00"));
    click(120, 40);
    EXPECT_EQ(state().mark_count, 1) << "no step since the last mark";
    f->Command3_Click();
    f->Command3_Click();
    f->Command4_Click();
    click(120, 40);
    ASSERT_EQ(state().mark_count, 2);
    EXPECT_EQ(state().mark_step[1], 1);
    EXPECT_EQ(f->frames_since_mark, 0);
    EXPECT_TRUE(std::find(svc.commands.begin(), svc.commands.end(), "stop avfile") ==
                svc.commands.end())
        << "marking neither advances nor refreshes";
}

TEST_F(EarlierEdition, ErasingGivesTheFramesBackAndLeavesTheClipWhereItIs) {
    click(116, 36);
    f->Command3_Click();
    f->Command3_Click();
    click(156, 76);
    forget();
    f->Cmd_Reset_Click();
    EXPECT_EQ(state().mark_count, 1);
    EXPECT_EQ(f->frames_since_mark, 2);
    EXPECT_EQ(svc.commands, (Commands{"stop avfile", update_command()})) << "no step back";
    EXPECT_EQ(f->Text1->text(), QStringLiteral("5.00"));
    // Pixels beside the disc centres, off the ruler ticks that run through them.
    EXPECT_EQ(strip(158, 253), kWhite) << "its ruler markers are gone";
    EXPECT_EQ(strip(332, 78), kWhite);
    EXPECT_EQ(strip(118, 253), kBlackRgb) << "the first mark's stay";
    click(156, 76);
    EXPECT_EQ(state().mark_count, 2) << "the next click may mark at once";
    EXPECT_EQ(state().mark_step[1], 2);
}

TEST_F(EarlierEdition, EraseAllLeavesTheCanvasEmptyUntilTheNextTransfer) {
    click(116, 36);
    f->Command3_Click();
    forget();
    f->Command6_Click();
    EXPECT_TRUE(svc.commands.empty());
    EXPECT_EQ(state().mark_count, 0);
    EXPECT_EQ(f->frames_since_mark, 0);
    EXPECT_EQ(canvas(0, 0), kWhite);
}

TEST_F(EarlierEdition, AxisButtonsShowAndStoreRulerUnits) {
    state().scale_m_per_unit = 0.1f;
    click(116, 36);
    f->Cmd_Xchange_Click();
    EXPECT_EQ(f->Text1->text(), QStringLiteral("3"));
    EXPECT_EQ(state().pos_x[1], 3.0f) << "the graphs read the stored position";
    f->Cmd_Ychange_Click();
    EXPECT_EQ(f->Text2->text(), QStringLiteral("1"));
    f->Cmd_Reset_Click();
    EXPECT_EQ(strip(118, 253), kWhite) << "markers found back from the flipped position";
    EXPECT_EQ(strip(332, 38), kWhite);
}

TEST_F(EarlierEdition, OpeningLeavesScaleAndCalibrationAlone) {
    state().scale_m_per_unit = 0.25f;
    open_clip();
    EXPECT_EQ(state().scale_m_per_unit, 0.25f);
    EXPECT_FALSE(form4().loaded());
}

}  // namespace
