#include "tracking/tracker.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "tracking/colour_distance.h"
#include "tracking/object_scale.h"
#include "tracking/search.h"

namespace {

constexpr std::size_t kMarksKept = 3;
constexpr double kNoScore = std::numeric_limits<double>::quiet_NaN();

int shorter_side(const cv::Mat& picture) { return std::min(picture.cols, picture.rows); }

// The largest half side of a template, in frame pixels.
int most_half(const cv::Mat& picture) {
    return std::max(Tracker::kLeastHalf, shorter_side(picture) / 6);
}

int template_half_at(const cv::Mat& picture, cv::Point2d point, const cv::Vec3f& colour) {
    const double ring = 3 + shorter_side(picture) / 480.0;
    const double radius = object_radius(picture, point, colour, most_half(picture) - ring);
    return std::clamp(cvRound(radius + ring), Tracker::kLeastHalf, most_half(picture));
}

double search_radius(const Prediction& p, const cv::Mat& picture) {
    const double side = shorter_side(picture);
    return std::min(side / 4, side / 64 + 2 + p.uncertainty);
}

}  // namespace

TrackOutcome Tracker::start(const cv::Mat& picture, std::span<const TrackedMark> marks) {
    if (marks.empty()) throw std::invalid_argument("tracking starts from a mark");
    const std::size_t kept = std::min(marks.size(), kMarksKept);
    marks_.assign(marks.end() - static_cast<std::ptrdiff_t>(kept), marks.end());
    template_.release();
    const cv::Point2d last = marks_.back().position;
    // Also a mark beyond the picture, where there is no colour to take.
    if (room_around(picture, last) < kLeastHalf) return TrackOutcome::leaving;
    colour_ = colour_at(picture, last);
    const int half = template_half_at(picture, last, colour_);
    factor_ = 1;
    while (half / (2 * factor_) >= kMatchHalf) factor_ *= 2;
    view_half_ = (half + factor_ - 1) / factor_;
    half_ = view_half_ * factor_;
    if (room_around(picture, last) < half_) return TrackOutcome::leaving;
    cv::Mat patch = distance_patch(picture, last, view_half_, colour_, factor_);
    cv::Scalar mean, deviation;
    cv::meanStdDev(patch, mean, deviation);
    if (deviation[0] < kFlatBelow) {
        // Near the edge the object may be one cut by it, too large for the room to measure.
        return room_around(picture, last) < most_half(picture) ? TrackOutcome::leaving
                                                               : TrackOutcome::flat;
    }
    template_ = patch;
    return TrackOutcome::found;
}

TrackVerdict Tracker::next(const cv::Mat& picture, int frame) {
    if (template_.empty()) return {TrackOutcome::flat, {}, kNoScore};
    const Prediction p = predict_position(marks_, frame);
    if (room_around(picture, p.position) < half_) {
        return {TrackOutcome::leaving, p.position, kNoScore};
    }
    const Match m =
        search(picture, template_, factor_, colour_, p.position, search_radius(p, picture));
    if (m.at_edge) return {TrackOutcome::leaving, m.position, m.score};
    if (m.at_side || m.score < kUnsureBelow || m.score - m.rival < kRivalWithin ||
        m.roundness < kLeastRoundness) {
        return {TrackOutcome::unsure, m.position, m.score};
    }

    marks_.push_back({frame, m.position});
    if (marks_.size() > kMarksKept) marks_.erase(marks_.begin());
    // Only a confident match teaches the template, and only a share of it: the template follows
    // a slow change of the object's look, while one poor patch, or a fraction of a pixel
    // misjudged, moves it little.
    if (m.score >= kConfidentFrom) {
        cv::addWeighted(template_, 1 - kTemplateBlend,
                        distance_patch(picture, m.position, view_half_, colour_, factor_),
                        kTemplateBlend, 0, template_);
    }
    return {TrackOutcome::found, m.position, m.score};
}
