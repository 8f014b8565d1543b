// The least-squares buttons and the drawing of their result.
#include <QImage>

#include "graph_fixture.h"
#include "state/analysis.h"

namespace {

using LeastSquaresButton = GraphTest;

// Pixels that differ between two images, outside the printed accelerations.
std::vector<QPoint> drawn_outside_text(const QImage& before, const QImage& after) {
    std::vector<QPoint> out;
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x)
            if (before.pixel(x, y) != after.pixel(x, y) && !(x >= 450 && y < 48))
                out.emplace_back(x, y);
    return out;
}

bool ink_in(const PictureBox& p, QRect r, QRgb color) {
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (p.pixel_at(x, y) == color) return true;
    return false;
}

constexpr QRgb kColourValue10 = 0x0A0000;  // red 10: QRgb is 0xRRGGBB

TEST_F(LeastSquaresButton, XtWindowFitsVelocitiesFromItsOwnPositions) {
    set_marks({{0, 0}, {0.1f, 0.2f}, {0.3f, 0.4f}}, 2);
    Form3& st = form3().get();
    st.Form_Activate();
    state().vel_x.fill(99);  // whatever another window left there
    st.Cmd_least_squares_Click();
    const AnalysisState& s = state();
    EXPECT_FLOAT_EQ(s.vel_x[1], 1.5f);
    EXPECT_FLOAT_EQ(s.vel_x[2], 3.0f);
    EXPECT_FLOAT_EQ(s.vel_time[2], 3.0f / 30);
    EXPECT_TRUE(st.Saisyo_shown);
    EXPECT_NEAR(st.Saisyo_ax, 22.5f, 1e-3);
    EXPECT_NEAR(st.Saisyo_bx, 0.75f, 1e-4);
    EXPECT_NEAR(st.Saisyo_ay, 0.0f, 1e-3);
    EXPECT_NEAR(st.Saisyo_by, 3.0f, 1e-4);
    EXPECT_TRUE(ink_in(*st.Picture1, QRect(450, 10, 60, 14), kColourValue10));
    EXPECT_TRUE(ink_in(*st.Picture1, QRect(515, 10, 38, 14), kColourValue10));
    EXPECT_TRUE(ink_in(*st.Picture1, QRect(555, 28, 40, 14), kColourValue10));

    // The v-t window now exists, not shown, with persistent drawing.
    ASSERT_TRUE(form2().loaded());
    EXPECT_FALSE(form2()->isVisible());
    EXPECT_TRUE(form2()->Picture1->auto_redraw());
    EXPECT_TRUE(st.Picture1->auto_redraw());
}

TEST_F(LeastSquaresButton, XtCurvePassesThroughThreeMarks) {
    // x = 0, 1, 4 m at 0, 2 and 4 frame intervals: a uniformly accelerated motion.
    set_marks({{0, 0}, {1, 0}, {4, 0}}, 2);
    Form3& st = form3().get();
    st.Form_Activate();
    const QImage before = st.Picture1->image();
    st.Cmd_least_squares_Click();
    // Mark 2 at (105, 338): the curve passes through its dot.
    const std::vector<QPoint> drawn = drawn_outside_text(before, st.Picture1->image());
    bool near_mark2 = false, near_mark3 = false;
    for (QPoint p : drawn) {
        near_mark2 |= std::abs(p.x() - 105) <= 4 && std::abs(p.y() - 338) <= 4;
        near_mark3 |= std::abs(p.x() - 160) <= 4 && std::abs(p.y() - 230) <= 4;
    }
    EXPECT_TRUE(near_mark2);
    EXPECT_TRUE(near_mark3);
}

TEST_F(LeastSquaresButton, CurveLeavingTheBoxIsDrawnOnlyInside) {
    // y = 60 t - 90 t^2: up to 10 m at t = 1/3 s (above the box), back to 0 at 2/3 s.
    set_marks({{0, 0}, {0, 10}, {0, 0}}, 10);
    Form3& st = form3().get();
    st.Form_Activate();
    const QImage before = st.Picture1->image();
    st.Cmd_least_squares_Click();
    EXPECT_NEAR(st.Saisyo_ay, -180, 0.01);
    EXPECT_NEAR(st.Saisyo_by, 60, 0.01);
    const QImage after = st.Picture1->image();
    // Points just inside the edge round onto its pixel row, but none lie beyond it and the
    // curve does not run along it.
    int before_exit = 0, after_return = 0, on_top_edge = 0;
    for (QPoint p : drawn_outside_text(before, after)) {
        EXPECT_TRUE(p.x() >= 50 && p.x() <= 600 && p.y() >= 50 && p.y() <= 410)
            << p.x() << "," << p.y();
        if ((after.pixel(p) & 0xFFFFFF) != kLightBlue) continue;
        on_top_edge += p.y() == 50;
        if (p.x() < 200) ++before_exit;
        if (p.x() > 420) ++after_return;
    }
    EXPECT_GT(before_exit, 5);
    EXPECT_GT(after_return, 5);
    EXPECT_LE(on_top_edge, 2);
}

TEST_F(LeastSquaresButton, VtLinesAreDrawnAndFollowTheMagnification) {
    // v = 9.8 t - 1 sampled at the midpoints of intervals of two frames.
    AnalysisState& s = state();
    s.mark_count = 8;
    float x = 0;
    for (int i = 1; i <= 8; ++i) {
        s.mark_step[i - 1] = static_cast<std::int16_t>(i == 1 ? 0 : 2);
        s.unit_x[i] = x;
        s.unit_y[i] = 0;
        const double t_mid = (2 * i - 1) / 30.0;
        x += static_cast<float>((9.8 * t_mid - 1) * 2 / 30.0);
    }
    Form2& vt = form2().get();
    vt.Form_Activate();
    const QImage before = vt.Picture1->image();
    vt.Cmd_least_squares_Click();
    EXPECT_NEAR(vt.Saisyo_ax, 9.8f, 1e-3);
    EXPECT_NEAR(vt.Saisyo_bx, -1.0f, 1e-3);
    // At t = 0.5 s: v = 3.9 m/s at X = 462.5, Y = 183.2; vy = 0 along the zero line.
    EXPECT_TRUE(ink_in(*vt.Picture1, QRect(461, 181, 4, 5), kBlack));
    EXPECT_TRUE(ink_in(*vt.Picture1, QRect(455, 230, 15, 1), kLightBlue));
    EXPECT_FALSE(drawn_outside_text(before, vt.Picture1->image()).empty());

    vt.Cmd_large_Click();  // redraws the fit at the new scale
    EXPECT_TRUE(ink_in(*vt.Picture1, QRect(461, 134, 4, 5), kBlack));  // Y = 230 - 46.8 * 2
    EXPECT_TRUE(ink_in(*vt.Picture1, QRect(515, 10, 38, 14), kColourValue10));
    vt.Form_Activate();  // activation draws no fit
    EXPECT_FALSE(ink_in(*vt.Picture1, QRect(461, 134, 4, 5), kBlack));
    EXPECT_FALSE(ink_in(*vt.Picture1, QRect(450, 10, 150, 30), kColourValue10));
    EXPECT_TRUE(vt.Saisyo_shown);
}

// A fitted line is drawn unbroken across the box whatever the frame interval: at a clip's own
// 1/240 s as at 1/30 s.
TEST_F(LeastSquaresButton, FittedLinesStayUnbrokenAtShortIntervals) {
    for (const int rate : {30, 240}) {
        reset();
        set_marks({{0, 0}, {1, 0}, {3, 0}, {6, 0}}, 2);  // vy = 0 along the zero row
        AnalysisState& s = state();
        if (rate != 30) {
            s.clip_frame_interval = s.clip_mean_interval = 1.0 / rate;
            for (int i = 1; i <= 4; ++i) s.mark_clip_time[i] = 2.0 * (i - 1) / rate;
            use_clip_timing(s);
        }
        Form2& vt = form2().get();
        vt.Form_Activate();
        vt.Cmd_least_squares_Click();
        int gaps = 0;
        for (int x = 60; x <= 590; ++x) gaps += pixel(vt, x, 230) != kLightBlue;
        EXPECT_EQ(gaps, 0) << rate;
    }
}

TEST_F(LeastSquaresButton, UndefinedFitShowsANoticeAndDrawsNoLine) {
    struct Case {
        const char* what;
        int marks;
        int zero_step;
        LineFit::Outcome outcome;
    };
    const Case cases[] = {
        {"two marks", 2, 0, LineFit::Outcome::kTooFewSamples},
        {"three marks, one gap of zero frames", 3, 1, LineFit::Outcome::kTooFewSamples},
    };
    for (const Case& c : cases) {
        reset();
        set_marks({{0, 0}, {1, 1}, {2, 3}}, 2);
        state().mark_count = static_cast<std::int16_t>(c.marks);
        if (c.zero_step) state().mark_step[c.zero_step] = 0;
        for (int form = 0; form < 2; ++form) {
            GraphWindow& w = form == 0 ? static_cast<GraphWindow&>(form2().get())
                                       : static_cast<GraphWindow&>(form3().get());
            w.Form_Activate();
            const QImage before = w.Picture1->image();
            w.Cmd_least_squares_Click();
            EXPECT_EQ(w.x_fit().outcome, c.outcome) << c.what;
            EXPECT_EQ(w.y_fit().outcome, c.outcome) << c.what;
            EXPECT_TRUE(w.Saisyo_shown) << c.what;
            EXPECT_TRUE(drawn_outside_text(before, w.Picture1->image()).empty()) << c.what;
            EXPECT_TRUE(ink_in(*w.Picture1, QRect(515, 10, 60, 14), kColourValue10)) << c.what;
            w.Cmd_small_yoko_Click();  // redrawn with its notice, no crash
            EXPECT_TRUE(ink_in(*w.Picture1, QRect(515, 28, 60, 14), kColourValue10)) << c.what;
        }
    }
}

}  // namespace
