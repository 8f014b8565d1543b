// The arithmetic of the graphs: value mapping, magnifications, the automatic horizontal fit,
// the derived arrays and the least-squares line.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "graph_fixture.h"
#include "graphs/acceleration_text.h"
#include "graphs/graph_mapping.h"
#include "graphs/least_squares.h"
#include "state/analysis.h"

namespace {

const GraphSettings kKinvora = kinvora_graph_settings();
constexpr double kFrame30 = 1.0f / 30.0f;

TEST(GraphMapping, ValuesReachTheirGraphUnits) {
    EXPECT_FLOAT_EQ(time_to_x(0, kFrame30, 1), 50);
    EXPECT_FLOAT_EQ(time_to_x(2 * kFrame30, kFrame30, 1), 105);
    EXPECT_FLOAT_EQ(time_to_x(2 * kFrame30, kFrame30, 2), 160);
    EXPECT_FLOAT_EQ(value_to_y(1, kKinvora.st_axis, 1), 338);
    EXPECT_FLOAT_EQ(value_to_y(9, kKinvora.st_axis, 1), 50);
    EXPECT_FLOAT_EQ(value_to_y(3, kKinvora.vt_axis, 1), 194);
    EXPECT_FLOAT_EQ(value_to_y(-3, kKinvora.vt_axis, 1), 266);
    EXPECT_FLOAT_EQ(value_to_y(3, kKinvora.vt_axis, 2), 158);
    // Points on an edge are drawn; points of fitted lines only strictly inside.
    EXPECT_TRUE(inside_plot_box(600, 50));
    EXPECT_FALSE(strictly_inside_plot_box(600, 100));
    EXPECT_FALSE(strictly_inside_plot_box(100, 50));
}

TEST(Magnification, StepCounterGivesWholeNumbersUpAndUnitFractionsDown) {
    struct Case {
        std::int16_t step;
        float bai;
        const char* text;
    };
    const Case cases[] = {{3, 3, "3"},        {1, 1, "1"},
                          {0, 0.5f, "1/2"},   {-1, 1.0f / 3, "1/3"},
                          {-2, 0.25f, "1/4"}, {kYokoStepMin, 1.0f / 32767, "1/32767"}};
    for (const Case& c : cases) {
        EXPECT_FLOAT_EQ(yoko_bai_for(c.step), c.bai) << c.step;
        EXPECT_EQ(yoko_text(c.step), c.text) << c.step;
    }
    EXPECT_EQ(tate_text(0.125f), "0.125");
    EXPECT_EQ(tate_text(0.5f), "0.5");
    EXPECT_EQ(tate_text(256.0f), "256");
}

TEST(AutomaticFit, LowersUntilTheLastPointFits) {
    struct Case {
        double frames;
        double frame_time;
        std::int16_t start;
        std::int16_t fitted;
    };
    const Case cases[] = {
        {10, kFrame30, 1, 1},                  // 11 marks one frame apart: X_last 325
        {48, kFrame30, 1, -1},                 // 25 marks two frames apart: 1370, 710, 490
        {48, 1.0f / 15.0f, 1, -1},             // the same whatever the frame interval
        {48, kFrame30, 4, -1},                 // from a larger whole number down one by one
        {60000, kFrame30, 1, -2998},           // beyond 16 bits of frames: 1/3000
        {3276700, kFrame30, 1, kYokoStepMin},  // stops at the counter's limit
    };
    for (const Case& c : cases) {
        std::int16_t step = c.start;
        float bai = yoko_bai_for(step);
        fit_horizontally(c.frames * c.frame_time, c.frame_time, step, bai);
        EXPECT_EQ(step, c.fitted) << c.frames;
        EXPECT_FLOAT_EQ(bai, yoko_bai_for(c.fitted)) << c.frames;
    }
}

using GraphData = GraphTest;

TEST_F(GraphData, ThreeMarksGiveTimesAndMidpointVelocities) {
    set_marks({{0, 0}, {0.1f, 0.2f}, {0.3f, 0.2f}}, 2);
    compute_positions(state());
    compute_mark_times(state(), kFrame30);
    compute_velocities(state(), kFrame30);
    const AnalysisState& s = state();
    EXPECT_FLOAT_EQ(s.mark_time[1], 0);
    EXPECT_FLOAT_EQ(s.mark_time[2], 2.0f / 30);
    EXPECT_FLOAT_EQ(s.mark_time[3], 4.0f / 30);
    EXPECT_FLOAT_EQ(s.vel_x[1], 1.5f);
    EXPECT_FLOAT_EQ(s.vel_time[1], 1.0f / 30);
    EXPECT_FLOAT_EQ(s.vel_x[2], 3.0f);
    EXPECT_FLOAT_EQ(s.vel_time[2], 3.0f / 30);
    EXPECT_FLOAT_EQ(s.vel_y[1], 3.0f);
    EXPECT_FLOAT_EQ(s.vel_y[2], 0.0f);
}

TEST_F(GraphData, PositionsFollowTheScaleAndEntriesBeyondTheMarksStay) {
    set_marks({{2, -1}, {4, 3}}, 1);
    state().scale_m_per_unit = 0.25f;
    state().pos_x[3] = 42;
    compute_positions(state());
    EXPECT_FLOAT_EQ(state().pos_x[1], 0.5f);
    EXPECT_FLOAT_EQ(state().pos_y[1], -0.25f);
    EXPECT_FLOAT_EQ(state().pos_y[2], 0.75f);
    EXPECT_FLOAT_EQ(state().pos_x[3], 42);
}

TEST_F(GraphData, ZeroFrameGapLeavesTheIntervalWithoutVelocity) {
    set_marks({{0, 0}, {1, 1}, {2, 2}, {3, 3}}, 1);
    state().mark_step[2] = 0;
    compute_positions(state());
    compute_velocities(state(), kFrame30);
    const AnalysisState& s = state();
    EXPECT_TRUE(has_velocity(s.vel_x[1]));
    EXPECT_FALSE(has_velocity(s.vel_x[2]));
    EXPECT_FALSE(has_velocity(s.vel_y[2]));
    EXPECT_FLOAT_EQ(s.vel_time[2], 1.0f / 30);  // at its marks' common time
    EXPECT_FLOAT_EQ(s.vel_x[3], 30);
}

TEST_F(GraphData, FrameCountsBeyondSixteenBitsKeepTheirTimes) {
    set_marks({{0, 0}, {1, 1}, {2, 2}}, 30000);
    compute_mark_times(state(), kFrame30);
    compute_velocities(state(), kFrame30);
    EXPECT_NEAR(state().mark_time[3], 60000 * kFrame30, 1e-3);
    EXPECT_NEAR(state().vel_time[2], 45000 * kFrame30, 1e-3);
}

// With the clip's own timing a mark whose frame's time is unknown (made on a canvas that showed
// no frame of the clip) is timed by the frames counted and the clip's mean interval; two marks
// on one frame have no velocity between them. (Clips of every kind are marked from end to end in
// the editions' tests.)
TEST_F(GraphData, ClipTimingCountsFramesWhereATimeIsUnknown) {
    set_marks({{0, 0}, {0.1f, 0}, {0.3f, 0}, {0.3f, 0}}, 2);
    AnalysisState& s = state();
    s.clip_frame_interval = s.clip_mean_interval = 1.0 / 60;
    const double times[] = {std::nan(""), 2.0 / 60, 4.0 / 60, 4.0 / 60};
    std::copy(std::begin(times), std::end(times), s.mark_clip_time.begin() + 1);
    use_clip_timing(s);
    compute_positions(s);
    compute_mark_times_in_force(s, kFrame30);
    compute_velocities_in_force(s, kFrame30);
    EXPECT_EQ(s.frame_time_label, "1/60秒");
    EXPECT_FLOAT_EQ(s.mark_time[4], 1.0f / 15);
    EXPECT_FLOAT_EQ(s.vel_x[1], 3);
    EXPECT_FLOAT_EQ(s.vel_time[2], 3.0f / 60);
    EXPECT_FALSE(has_velocity(s.vel_x[3]));
}

// Samples 1 .. n of v at t.
struct Samples {
    float t[101] = {};
    float v[101] = {};
};

TEST(LeastSquares, TwoSamplesGiveTheLineThroughThem) {
    Samples s;
    s.t[1] = 1.0f / 30, s.v[1] = 1.5f;
    s.t[2] = 3.0f / 30, s.v[2] = 3.0f;
    const LineFit fit = fit_line(s.t, s.v, 2);
    ASSERT_TRUE(fit.fitted());
    EXPECT_NEAR(fit.a, 22.5f, 1e-4);
    EXPECT_NEAR(fit.b, 0.75f, 1e-5);
    EXPECT_EQ(acceleration_text(fit, "####.#0"), "22.50");
}

TEST(LeastSquares, SamplesOnAStraightLineGiveItsSlope) {
    Samples s;
    for (int i = 1; i <= 40; ++i) {
        s.t[i] = static_cast<float>(i) / 15.0f - 1.0f / 30;
        s.v[i] = static_cast<float>(9.8 * s.t[i] - 1);
    }
    const LineFit fit = fit_line(s.t, s.v, 40);
    ASSERT_TRUE(fit.fitted());
    EXPECT_NEAR(fit.b, -1.0f, 1e-3);
    EXPECT_EQ(acceleration_text(fit, "####.#0"), "9.80");
    EXPECT_EQ(acceleration_text({LineFit::Outcome::kFitted, -0.25f, 0}, "####.#0"), "-.25");
}

// The running sums are single precision, rounded after each addition. For these 100 noisy
// marks (a fall at 9.8 m/s², clicks scattered by up to 100 ruler units, 1 cm a unit) the
// acceleration prints 9.76; sums kept in double would print 9.77.
TEST_F(GraphData, FitSumsAreKeptInSinglePrecision) {
    AnalysisState& s = state();
    std::uint32_t r = 2553;
    const auto noise = [&r] {
        r = r * 1103515245u + 12345u;
        return ((r >> 8) & 0xffff) / 65536.0 - 0.5;
    };
    s.mark_count = 100;
    s.scale_m_per_unit = 0.01f;
    for (int i = 1; i <= 100; ++i) {
        const double t = (i - 1) * kFrame30;
        const double units = 0.5 * 9.8 * t * t / 0.01f + 200 * noise();
        s.unit_x[i] = static_cast<float>(std::lround(units * 40) / 40.0);  // a canvas pixel
        s.mark_step[i - 1] = i == 1 ? 0 : 1;
    }
    compute_positions(s);
    compute_velocities(s, kFrame30);
    EXPECT_EQ(acceleration_text(fit_line(s.vel_time.data(), s.vel_x.data(), 99), "####.#0"),
              "9.76");
}

TEST(LeastSquares, UndefinedFitsGiveNoLine) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        const char* what;
        Samples s;
        int n;
        LineFit::Outcome outcome;
    };
    Case cases[] = {
        {"no sample", {}, 0, LineFit::Outcome::kTooFewSamples},
        {"one sample", {}, 1, LineFit::Outcome::kTooFewSamples},
        {"one usable sample", {}, 2, LineFit::Outcome::kTooFewSamples},
        {"all at one time", {}, 3, LineFit::Outcome::kUndefined},
        {"beyond single range", {}, 2, LineFit::Outcome::kUndefined},
    };
    cases[1].s.t[1] = 0.1f;
    cases[2].s.t[1] = 0.1f, cases[2].s.t[2] = 0.2f, cases[2].s.v[2] = nan;
    for (int i = 1; i <= 3; ++i) cases[3].s.t[i] = 0.1f, cases[3].s.v[i] = static_cast<float>(i);
    cases[4].s.t[1] = 0.1f, cases[4].s.t[2] = 0.2f;
    cases[4].s.v[1] = 3e38f, cases[4].s.v[2] = 3e38f;
    for (const Case& c : cases) {
        const LineFit fit = fit_line(c.s.t, c.s.v, c.n);
        EXPECT_EQ(fit.outcome, c.outcome) << c.what;
        EXPECT_FALSE(acceleration_text(fit, "####.#0").isEmpty()) << c.what;
    }
    EXPECT_EQ(acceleration_text({LineFit::Outcome::kTooFewSamples, 0, 0}, "####.#0"), "データ不足");
    EXPECT_EQ(acceleration_text({LineFit::Outcome::kUndefined, 0, 0}, "####.#0"), "計算不能");
}

}  // namespace
