#include "tracking/peak.h"

#include <algorithm>
#include <cmath>
#include <opencv2/imgproc.hpp>

namespace {

// The vertex of the parabola through (-1, before), (0, at), (1, after), where `at` is the
// largest: within half a pixel of 0.
double vertex(float before, float at, float after) {
    const double curvature = static_cast<double>(before) - 2.0 * at + after;
    return curvature < 0 ? 0.5 * (static_cast<double>(before) - after) / curvature : 0.0;
}

// The roundness of the peak at `p`, inside the scores: the ratio of the eigenvalues of the
// scores' Hessian there, the flatter to the steeper.
double roundness_at(const cv::Mat& scores, cv::Point p) {
    const auto at = [&](int dx, int dy) {
        return static_cast<double>(scores.at<float>(p.y + dy, p.x + dx));
    };
    const double dxx = at(-1, 0) - 2 * at(0, 0) + at(1, 0);
    const double dyy = at(0, -1) - 2 * at(0, 0) + at(0, 1);
    const double dxy = (at(1, 1) - at(1, -1) - at(-1, 1) + at(-1, -1)) / 4;
    const double mean = (dxx + dyy) / 2;
    const double spread = std::sqrt(std::max(0.0, mean * mean - (dxx * dyy - dxy * dxy)));
    const double steepest = mean - spread;  // the more negative
    return steepest < 0 ? std::max(0.0, (mean + spread) / steepest) : 0.0;
}

}  // namespace

std::vector<Peak> find_peaks(const cv::Mat& area, const cv::Mat& templ, int count) {
    cv::Mat scores;
    cv::matchTemplate(area, templ, scores, cv::TM_CCOEFF_NORMED);
    const auto at = [&](int x, int y) { return scores.at<float>(y, x); };
    cv::Mat left = scores.clone();
    std::vector<Peak> peaks;
    for (int i = 0; i < count; ++i) {
        Peak peak;
        cv::minMaxLoc(left, nullptr, &peak.score, nullptr, &peak.cell);
        if (i > 0 && peak.score <= -1.0) break;
        peak.cells = scores.size();
        const cv::Point p = peak.cell;
        // On a side of the area there is no neighbour beyond: the whole pixel stays.
        const double dx = p.x > 0 && p.x < scores.cols - 1
                              ? vertex(at(p.x - 1, p.y), at(p.x, p.y), at(p.x + 1, p.y))
                              : 0.0;
        const double dy = p.y > 0 && p.y < scores.rows - 1
                              ? vertex(at(p.x, p.y - 1), at(p.x, p.y), at(p.x, p.y + 1))
                              : 0.0;
        peak.centre =
            cv::Point2d(p.x + dx + (templ.cols - 1) / 2.0, p.y + dy + (templ.rows - 1) / 2.0);
        if (p.x > 0 && p.y > 0 && p.x < scores.cols - 1 && p.y < scores.rows - 1) {
            peak.roundness = roundness_at(scores, p);
        }
        peaks.push_back(peak);
        cv::circle(left, p, std::max(1, templ.cols / 2), cv::Scalar(-2.0), cv::FILLED);
    }
    return peaks;
}
