#include "tracking/object_scale.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <opencv2/imgproc.hpp>
#include <vector>

#include "tracking/colour_distance.h"

namespace {

constexpr double kStep = 0.5;  // pixels between samples along a ray

}  // namespace

int room_around(const cv::Mat& picture, cv::Point2d point) {
    const cv::Point c(cvRound(point.x), cvRound(point.y));
    return std::min({c.x, c.y, picture.cols - 1 - c.x, picture.rows - 1 - c.y});
}

double object_radius(const cv::Mat& picture, cv::Point2d point, const cv::Vec3f& colour,
                     double most) {
    const cv::Point c(cvRound(point.x), cvRound(point.y));
    const double top = std::min(most, room_around(picture, point) - 1.0);
    if (top < 2) return 1.0;
    const int reach = static_cast<int>(std::ceil(top)) + 1;
    const cv::Rect area(c.x - reach, c.y - reach, 2 * reach + 1, 2 * reach + 1);
    const int samples = static_cast<int>(top / kStep);
    const int rays = std::max(16, static_cast<int>(std::numbers::pi * top));
    // The distance along each ray (a row), sampled every kStep pixels.
    cv::Mat along_x(rays, samples + 1, CV_32F), along_y(rays, samples + 1, CV_32F);
    for (int r = 0; r < rays; ++r) {
        const double angle = 2 * std::numbers::pi * r / rays;
        for (int s = 0; s <= samples; ++s) {
            along_x.at<float>(r, s) =
                static_cast<float>(c.x - area.x + s * kStep * std::cos(angle));
            along_y.at<float>(r, s) =
                static_cast<float>(c.y - area.y + s * kStep * std::sin(angle));
        }
    }
    cv::Mat profile;
    cv::remap(distance_view(picture, area, colour, 1).distance, profile, along_x, along_y,
              cv::INTER_LINEAR);
    // How much it changes at each sample, the most within 1.5 pixels either side: a click a
    // little off the centre sees the outline a little nearer on one side, further on the other.
    const cv::Mat change =
        cv::abs(profile(cv::Rect(1, 0, samples, rays)) - profile(cv::Rect(0, 0, samples, rays)));
    cv::Mat near_change;
    cv::dilate(change, near_change, cv::Mat::ones(1, 7, CV_8U));
    // The sample at which the median over the rays is largest.
    double best = -1;
    int chosen = 0;
    std::vector<float> across(static_cast<std::size_t>(rays));
    for (int s = 1; s < samples; ++s) {
        for (int r = 0; r < rays; ++r)
            across[static_cast<std::size_t>(r)] = near_change.at<float>(r, s);
        std::nth_element(across.begin(), across.begin() + rays / 2, across.end());
        if (across[static_cast<std::size_t>(rays / 2)] > best) {
            best = across[static_cast<std::size_t>(rays / 2)];
            chosen = s;
        }
    }
    return (chosen + 0.5) * kStep;
}
