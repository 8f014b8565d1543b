// The coordinate frames: the numbers along the axes and what the frame routines draw.
#include "graphs/graph_frame.h"

#include "graph_fixture.h"
#include "graphs/graph_mapping.h"

namespace {

const GraphSettings kKinvora = kinvora_graph_settings();

TEST(FrameNumbers, TimeScaleFollowsTheHorizontalMagnification) {
    struct Case {
        std::int16_t yoko_step;
        const char* at0;
        const char* at1;
        const char* at10;
    };
    const Case cases[] = {
        {1, "0.0", "2.0", "20.0"},
        {-1, "0.0", "6.0", "60.0"},  // 1/3
        {4, "0.0", "0.5", "5.0"},
    };
    for (const Case& c : cases) {
        const float bai = yoko_bai_for(c.yoko_step);
        EXPECT_EQ(time_scale_text(0, bai), c.at0) << c.yoko_step;
        EXPECT_EQ(time_scale_text(1, bai), c.at1) << c.yoko_step;
        EXPECT_EQ(time_scale_text(10, bai), c.at10) << c.yoko_step;
    }
}

TEST(FrameNumbers, ValueScalesFollowTheVerticalMagnification) {
    struct Case {
        const ValueAxis& axis;
        float tate;
        int i;
        const char* text;
    };
    const ValueAxis& st = kKinvora.st_axis;
    const ValueAxis& vt = kKinvora.vt_axis;
    const Case cases[] = {
        {st, 1, 0, "-1.00"},  {st, 1, 1, ".00"},         {st, 1, 2, "1.00"},
        {st, 1, 10, "9.00"},  {vt, 1, 0, "-15.0"},       {vt, 1, 5, "0.0"},
        {vt, 1, 6, "3.0"},    {vt, 1, 10, "15.0"},       {st, 2, 0, "-.50"},
        {st, 2, 1, ".00"},    {st, 2, 2, ".50"},         {st, 2, 10, "4.50"},
        {vt, 2, 0, "-7.5"},   {vt, 2, 1, "-6.0"},        {vt, 2, 10, "7.5"},
        {st, 256, 10, ".04"}, {st, 256, 0, ".00"},       {vt, 256, 0, "-0.1"},
        {vt, 256, 10, "0.1"}, {st, 0.125f, 10, "72.00"}, {vt, 0.125f, 0, "-120.0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(value_scale_text(c.i, c.axis, c.tate), c.text)
            << c.axis.title.toStdString() << " " << c.tate << " " << c.i;
}

bool has_ink(const PictureBox& p, QRect r) {
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (p.pixel_at(x, y) != kWhite) return true;
    return false;
}

using Frames = GraphTest;

TEST_F(Frames, BoxAxisLinesAndDottedGrid) {
    Form2& vt = form2().get();
    vt.Zahyo_vt();
    Form3& st = form3().get();
    st.Zahyo_st();
    for (GraphWindow* w : {static_cast<GraphWindow*>(&vt), static_cast<GraphWindow*>(&st)}) {
        EXPECT_EQ(pixel(*w, 50, 50), kBlack);
        EXPECT_EQ(pixel(*w, 600, 410), kBlack);
        EXPECT_EQ(pixel(*w, 300, 410), kBlack);
        EXPECT_EQ(pixel(*w, 49, 100), kWhite);
        EXPECT_EQ(pixel(*w, 601, 100), kWhite);
    }
    int solid_v = 0, solid_s = 0, dotted_white = 0;
    for (int x = 51; x < 600; ++x) {
        solid_v += pixel(vt, x, 230) == kBlack;
        solid_s += pixel(st, x, 230) == kBlack;
    }
    for (int y = 51; y < 410; ++y) dotted_white += pixel(st, 105, y) == kWhite;
    EXPECT_EQ(solid_v, 549);  // the zero-velocity line is solid
    EXPECT_LT(solid_s, 549);  // the x-t window has only the dotted grid there
    EXPECT_GT(dotted_white, 100);
    EXPECT_LT(dotted_white, 300);
}

TEST_F(Frames, TextsStandAtTheirPlaces) {
    Form3& st = form3().get();
    st.Zahyo_st();
    const PictureBox& p = *st.Picture1;
    EXPECT_TRUE(has_ink(p, QRect(44, 421, 20, 12)));   // time 0.0
    EXPECT_TRUE(has_ink(p, QRect(314, 441, 40, 12)));  // 時間 ｔ
    EXPECT_TRUE(has_ink(p, QRect(570, 441, 40, 12)));  // frame interval
    EXPECT_TRUE(has_ink(p, QRect(10, 406, 30, 12)));   // value -1.00
    EXPECT_TRUE(has_ink(p, QRect(270, 15, 30, 20)));   // title
    bool blue_legend = false;
    for (int y = 14; y < 40; ++y)
        for (int x = 340; x < 380; ++x) blue_legend |= p.pixel_at(x, y) == kLightBlue;
    EXPECT_TRUE(blue_legend);
    EXPECT_FALSE(has_ink(p, QRect(0, 0, 8, 8)));
}

TEST_F(Frames, TimeUnitIsTheFrameIntervalLabel) {
    Form3& st = form3().get();
    st.Zahyo_st();
    const QImage at30 = st.Picture1->image().copy(570, 440, 60, 20);
    const QImage numbers30 = st.Picture1->image().copy(0, 415, 560, 20);
    state().frame_time = 1.0f / 15;
    state().frame_time_label = "1/15秒";
    st.Zahyo_st();
    EXPECT_NE(st.Picture1->image().copy(570, 440, 60, 20), at30);
    EXPECT_EQ(st.Picture1->image().copy(0, 415, 560, 20), numbers30);
}

TEST_F(Frames, RedrawRemovesEarlierDrawing) {
    Form2& vt = form2().get();
    vt.Zahyo_vt();
    const QImage clean = vt.Picture1->image();
    vt.Picture1->pset(300, 300, Qt::red);
    vt.Picture1->circle(100, 100, 5, Qt::blue);
    vt.Zahyo_vt();
    EXPECT_EQ(vt.Picture1->image(), clean);
}

}  // namespace
