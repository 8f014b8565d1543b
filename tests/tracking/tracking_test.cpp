// The tracker on pictures drawn here: sub-pixel accuracy, flat marks, the prediction, unsure
// steps, the picture's edge and a look that changes.
#include <gtest/gtest.h>

#include <cmath>
#include <opencv2/imgproc.hpp>
#include <vector>

#include "tracking/tracker.h"

namespace {

const cv::Size kSize(320, 240);
const cv::Scalar kBackground(200, 205, 210);
const cv::Scalar kOrange(40, 110, 230);

struct Disc {
    cv::Point2d centre;
    double radius = 8;
    cv::Scalar colour = kOrange;
};

// Discs drawn antialiased at a 256th of a pixel, in the given pixel type (grey, BGR or BGRA),
// over a box of `box_colour` when one is given.
cv::Mat picture(const std::vector<Disc>& discs, int type = CV_8UC3,
                const cv::Scalar& background = kBackground, const cv::Rect& box = {},
                const cv::Scalar& box_colour = {}) {
    cv::Mat bgr(kSize, CV_8UC3, background);
    cv::rectangle(bgr, box, box_colour, cv::FILLED);
    for (const Disc& d : discs) {
        cv::circle(bgr, cv::Point(cvRound(d.centre.x * 256), cvRound(d.centre.y * 256)),
                   cvRound(d.radius * 256), d.colour, cv::FILLED, cv::LINE_AA, 8);
    }
    cv::Mat out;
    if (type == CV_8UC1) cv::cvtColor(bgr, out, cv::COLOR_BGR2GRAY);
    if (type == CV_8UC3) out = bgr;
    if (type == CV_8UC4) cv::cvtColor(bgr, out, cv::COLOR_BGR2BGRA);
    return out;
}

std::vector<TrackedMark> marks_at(const std::vector<cv::Point2d>& points) {
    std::vector<TrackedMark> marks;
    for (const cv::Point2d& p : points) marks.push_back({static_cast<int>(marks.size()), p});
    return marks;
}

TEST(Tracker, FindsADiscShiftedByAFractionOfAPixel) {
    const cv::Point2d from(150, 120);
    struct Case {
        int type;
        double radius;
        cv::Point2d shift;
    } cases[] = {{CV_8UC3, 8, {0.25, 0}},    {CV_8UC3, 8, {0, -0.5}},   {CV_8UC4, 8, {0.5, 0.5}},
                 {CV_8UC1, 8, {-0.75, 0.3}}, {CV_8UC4, 3, {0.4, -0.6}}, {CV_8UC3, 20, {3.4, -2.6}},
                 {CV_8UC3, 5, {-31.3, 17.8}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.radius << " px, shift " << c.shift);
        Tracker tracker;
        ASSERT_EQ(tracker.start(picture({{from, c.radius}}, c.type), marks_at({from})),
                  TrackOutcome::found);
        const TrackVerdict v = tracker.next(picture({{from + c.shift, c.radius}}, c.type), 1);
        EXPECT_EQ(v.outcome, TrackOutcome::found);
        EXPECT_LT(cv::norm(v.position - (from + c.shift)), 0.1) << v.position;
        EXPECT_GT(v.score, Tracker::kUnsureBelow);
    }
}

// The ball's outline turns from darker to lighter than the background when the background
// changes, and may keep only its brightness or only its hue apart from it; or the background
// changes behind one side of it only.
TEST(Tracker, FindsTheBallOnBackgroundsOfAnyShade) {
    const cv::Point2d from(160, 120), shift(3.3, -1.2);
    const cv::Rect right_side(166, 90, 40, 60);
    const struct {
        cv::Scalar background;
        cv::Rect box;
    } cases[] = {
        {kBackground, {}},
        {cv::Scalar(40, 40, 40), {}},    // darker than the ball
        {cv::Scalar(230, 150, 80), {}},  // as bright as the ball, another hue
        {cv::Scalar(12, 82, 202), {}},   // the ball's hue, darker
        {kBackground, right_side},       // a dark box behind the ball's right side
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.background);
        Tracker tracker;
        ASSERT_EQ(tracker.start(picture({{from}}), marks_at({from})), TrackOutcome::found);
        const TrackVerdict v = tracker.next(
            picture({{from + shift}}, CV_8UC3, c.background, c.box, cv::Scalar(50, 50, 50)), 1);
        EXPECT_EQ(v.outcome, TrackOutcome::found);
        EXPECT_LT(cv::norm(v.position - (from + shift)), 0.1) << v.position;
    }
}

TEST(Tracker, RefusesAMarkWithoutContrast) {
    const cv::Point2d at(160, 120);
    struct Case {
        std::vector<Disc> discs;
        TrackOutcome outcome;
    } cases[] = {{{}, TrackOutcome::flat},
                 {{{at, 8, cv::Scalar(197, 202, 207)}}, TrackOutcome::flat},
                 {{{at, 8, cv::Scalar(180, 185, 190)}}, TrackOutcome::found}};
    for (const Case& c : cases) {
        Tracker tracker;
        EXPECT_EQ(tracker.start(picture(c.discs, CV_8UC1), marks_at({at})), c.outcome);
        if (c.outcome == TrackOutcome::flat) {
            EXPECT_EQ(tracker.next(picture(c.discs, CV_8UC1), 1).outcome, TrackOutcome::flat);
        }
    }
}

// x = 5 t^2 + 5 t, y = 7 - 2 t: any three marks of it predict it exactly.
TEST(Prediction, ParabolaThroughTheLastThreeMarksWhateverTheirGaps) {
    const auto at = [](int t) { return cv::Point2d(5.0 * t * t + 5.0 * t, 7.0 - 2.0 * t); };
    struct Case {
        std::vector<int> frames;
        int frame;
        cv::Point2d expected;
        bool knows_speed;  // a finite uncertainty
    } cases[] = {
        {{0, 1, 2}, 3, at(3), true},      // 3 x(n) - 3 x(n-1) + x(n-2)
        {{0, 1, 2}, 4, at(4), true},      // two frames ahead
        {{0, 2, 3}, 5, at(5), true},      // unequal gaps
        {{9, 0, 2, 3}, 4, at(4), true},   // only the latest three count
        {{7, 2, 3}, 5, at(3), true},      // frames that go back: from there on only
        {{1, 2}, 3, at(2), true},         // fewer than three: the last position
        {{0, 1, 2, 2}, 4, at(2), false},  // the same frame twice: the later mark
        {{4}, 6, at(4), false},
    };
    for (const Case& c : cases) {
        std::vector<TrackedMark> marks;
        for (int f : c.frames) marks.push_back({f, at(f)});
        const Prediction p = predict_position(marks, c.frame);
        EXPECT_LT(cv::norm(p.position - c.expected), 1e-9) << c.frames.size() << " " << c.frame;
        EXPECT_EQ(std::isfinite(p.uncertainty), c.knows_speed) << c.frames.size();
    }
}

// Whatever the step finds is not recorded: from the same mark the object is found again.
TEST(Tracker, UnsureWithoutTheObjectHalfHiddenBesideItsTwinOrAlongARod) {
    const cv::Point2d from(160, 120), shift(4, -3);
    cv::Mat clutter = picture({});
    cv::RNG rng(3);
    for (int i = 0; i < 60; ++i) {
        const cv::Point p(rng.uniform(0, kSize.width), rng.uniform(0, kSize.height));
        cv::rectangle(clutter, p, p + cv::Point(rng.uniform(3, 30), rng.uniform(3, 30)),
                      cv::Scalar(rng.uniform(0, 256), rng.uniform(0, 256), rng.uniform(0, 256)),
                      cv::FILLED);
    }
    cv::Mat behind_bar = picture({{from + cv::Point2d(5, 0)}});
    cv::rectangle(behind_bar, cv::Rect(165, 0, 20, kSize.height), cv::Scalar(70, 70, 70),
                  cv::FILLED);
    const auto rod = [](cv::Point2d centre) {
        cv::Mat m = picture({});
        cv::ellipse(m, cv::RotatedRect(cv::Point2f(centre), cv::Size2f(28, 9), 30), kOrange,
                    cv::FILLED, cv::LINE_AA);
        return m;
    };
    const struct {
        cv::Mat first, next, again;
    } cases[] = {
        {picture({{from}}), picture({}), picture({{from + shift}})},
        {picture({{from}}), clutter, picture({{from + shift}})},
        {picture({{from}}), behind_bar, picture({{from + shift}})},
        {picture({{from}}), picture({{from - cv::Point2d(20, 0)}, {from + cv::Point2d(20, 0)}}),
         picture({{from + shift}})},
        {rod(from), rod(from + shift), {}},
    };
    for (const auto& c : cases) {
        Tracker tracker;
        ASSERT_EQ(tracker.start(c.first, marks_at({from})), TrackOutcome::found);
        const TrackVerdict unsure = tracker.next(c.next, 1);
        EXPECT_EQ(unsure.outcome, TrackOutcome::unsure) << unsure.score;
        if (c.again.empty()) continue;
        const TrackVerdict v = tracker.next(c.again, 2);
        if (v.outcome == TrackOutcome::found) {
            EXPECT_LT(cv::norm(v.position - from - shift), 0.1);
        }
    }
}

TEST(Tracker, StopsWhereTheObjectWouldLeaveThePicture) {
    const double right = kSize.width - 1;
    struct Case {
        std::vector<cv::Point2d> marks;
        cv::Point2d next;  // where the disc is in the next picture
        TrackOutcome first, then;
    } cases[] = {
        {{{right - 5, 120}}, {right - 5, 120}, TrackOutcome::leaving, TrackOutcome::flat},
        {{{-5, 120}}, {-5, 120}, TrackOutcome::leaving, TrackOutcome::flat},
        {{{right - 70, 120}, {right - 45, 120}, {right - 20, 120}},
         {right + 5, 120},
         TrackOutcome::found,
         TrackOutcome::leaving},
        {{{right - 40, 120}}, {right - 7, 120}, TrackOutcome::found, TrackOutcome::leaving},
        {{{right - 40, 120}}, {right - 30, 120}, TrackOutcome::found, TrackOutcome::found},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.next);
        Tracker tracker;
        const std::vector<TrackedMark> marks = marks_at(c.marks);
        ASSERT_EQ(tracker.start(picture({{c.marks.back()}}), marks), c.first);
        const TrackVerdict v = tracker.next(picture({{c.next}}), marks.back().frame + 1);
        EXPECT_EQ(v.outcome, c.then);
    }
}

// A square that turns by 1.5 degrees a step, a quarter turn in 60 steps; a template that did
// not learn would lose it half-way.
TEST(Tracker, FollowsASlowChangeOfLook) {
    const auto at = [](int step) { return cv::Point2d(40 + 4.0 * step, 60 + 2.0 * step); };
    const auto square = [&](int step) {
        const cv::RotatedRect r(cv::Point2f(at(step)), cv::Size2f(22, 22), 1.5f * step);
        cv::Point2f corners[4];
        r.points(corners);
        std::vector<cv::Point> fixed;
        for (const cv::Point2f& c : corners)
            fixed.emplace_back(cvRound(c.x * 256), cvRound(c.y * 256));
        cv::Mat m = picture({});
        cv::fillConvexPoly(m, fixed, kOrange, cv::LINE_AA, 8);
        return m;
    };
    Tracker tracker;
    ASSERT_EQ(tracker.start(square(0), marks_at({at(0)})), TrackOutcome::found);
    for (int step = 1; step <= 60; ++step) {
        const TrackVerdict v = tracker.next(square(step), step);
        ASSERT_EQ(v.outcome, TrackOutcome::found) << step << " " << v.score;
        EXPECT_LT(cv::norm(v.position - at(step)), 0.25) << step;
    }
}

}  // namespace
