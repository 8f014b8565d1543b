#include "tracking/peak.h"

#include <opencv2/imgproc.hpp>

namespace {

// The vertex of the parabola through (-1, before), (0, at), (1, after), where `at` is the
// largest: within half a pixel of 0.
double vertex(float before, float at, float after) {
    const double curvature = static_cast<double>(before) - 2.0 * at + after;
    return curvature < 0 ? 0.5 * (static_cast<double>(before) - after) / curvature : 0.0;
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
        peaks.push_back(peak);
        cv::circle(left, p, std::max(1, templ.cols / 2), cv::Scalar(-2.0), cv::FILLED);
    }
    return peaks;
}
