#include "tracking/search.h"

#include <algorithm>
#include <opencv2/imgproc.hpp>
#include <vector>

#include "tracking/colour_distance.h"
#include "tracking/peak.h"

namespace {

// Whole-pixel places found in the shrunk picture that are looked at again at the template's
// scale, when they score within kCoarseMargin of the best there: the best of the shrunk picture
// is not always the best at full size on a cluttered scene.
constexpr int kCoarseCandidates = 3;
constexpr double kCoarseMargin = 0.1;

// The frame pixels within `reach` of `centre`.
cv::Rect square(cv::Point2d centre, int reach) {
    const cv::Point c(cvRound(centre.x), cvRound(centre.y));
    return {c.x - reach, c.y - reach, 2 * reach + 1, 2 * reach + 1};
}

// The match at a peak found in `view`, with the edge and side tests: on a side of the view
// where no further whole block of the picture lies, the picture's edge is there.
Match judged(const cv::Mat& picture, const DistanceView& view, const Peak& peak) {
    Match m{view.to_frame(peak.centre), peak.score, false, false, -1.0, peak.roundness};
    const int f = view.factor;
    const cv::Point end = view.origin + f * cv::Point(view.distance.cols, view.distance.rows);
    m.at_edge = (peak.on_left() && view.origin.x < f) || (peak.on_top() && view.origin.y < f) ||
                (peak.on_right() && picture.cols - end.x < f) ||
                (peak.on_bottom() && picture.rows - end.y < f);
    m.at_side =
        !m.at_edge && (peak.on_left() || peak.on_top() || peak.on_right() || peak.on_bottom());
    return m;
}

// The search at the template's own scale.
Match level_search(const cv::Mat& picture, const cv::Mat& templ, int factor,
                   const cv::Vec3f& colour, cv::Point2d around, double radius) {
    const int reach = cvCeil(radius) + (templ.cols / 2 + 1) * factor;
    const DistanceView view = distance_view(picture, square(around, reach), colour, factor);
    if (view.distance.cols < templ.cols || view.distance.rows < templ.rows) {
        return {around, -1.0, true, false, -1.0, 1.0};
    }
    const std::vector<Peak> peaks = find_peaks(view.distance, templ, 2);
    Match m = judged(picture, view, peaks.front());
    if (peaks.size() > 1) m.rival = peaks[1].score;
    return m;
}

}  // namespace

Match search(const cv::Mat& picture, const cv::Mat& templ, int factor, const cv::Vec3f& colour,
             cv::Point2d around, double radius) {
    const int half = templ.cols / 2;
    int coarse = factor;
    while (radius / coarse > kFineReach && half * factor / (2 * coarse) >= kLeastCoarseHalf) {
        coarse *= 2;
    }
    if (coarse == factor) return level_search(picture, templ, factor, colour, around, radius);

    const DistanceView view = distance_view(
        picture, square(around, cvCeil(radius) + (half + 1) * factor), colour, coarse);
    cv::Mat small_templ;
    const double shrink = static_cast<double>(factor) / coarse;
    cv::resize(templ, small_templ, cv::Size(), shrink, shrink, cv::INTER_AREA);
    if (view.distance.cols < small_templ.cols || view.distance.rows < small_templ.rows) {
        return level_search(picture, templ, factor, colour, around, radius);
    }
    const std::vector<Peak> candidates = find_peaks(view.distance, small_templ, kCoarseCandidates);
    std::vector<Match> refined;
    for (const Peak& peak : candidates) {
        if (peak.score < candidates.front().score - kCoarseMargin) break;
        const Match m = judged(picture, view, peak);
        // The best of the shrunk picture at an edge or side: the object is most likely there.
        if (m.at_edge || m.at_side) {
            if (refined.empty()) return m;
            continue;
        }
        refined.push_back(level_search(picture, templ, factor, colour, m.position, coarse + 1));
    }
    Match best =
        *std::max_element(refined.begin(), refined.end(),
                          [](const Match& a, const Match& b) { return a.score < b.score; });
    for (const Match& other : refined) {
        if (cv::norm(other.position - best.position) >= half * factor) {
            best.rival = std::max(best.rival, other.score);
        }
    }
    return best;
}
