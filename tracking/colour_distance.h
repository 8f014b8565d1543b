#pragma once
#include <opencv2/core.hpp>

// The pictures the tracker reads are 8-bit grey (CV_8UC1), BGR (CV_8UC3) or BGRA (CV_8UC4, as
// a QImage of Format_RGB32 or Format_ARGB32 lies in memory), and can wrap an image's pixels
// without a copy:
//     cv::Mat(image.height(), image.width(), CV_8UC4, image.bits(), image.bytesPerLine())
// Positions are in frame pixels, with the centre of pixel (i, j) at (i, j).
//
// The tracker does not match grey levels but how far each pixel's colour lies from the
// object's: |Y - Y0| + (|Cr - Cr0| + |Cb - Cb0|) / 2 in the 8-bit Y Cr Cb scale. In grey levels
// the outline of a ball turns from darker to lighter than the background wherever the
// background changes, and on a cluttered scene the match then fails; in the distance the object
// stays near 0 and any background stands out from it. Chroma counts half because clips store
// it at half the resolution: its edges are soft and would blur the outline's position. The
// distance fades for large values (kDistanceReach): backgrounds far from the object's colour
// look alike whatever they are, so that a box of another colour behind part of the object's
// outline moves the match little (bench/README.md). The distance is smoothed by a 3x3 Gaussian,
// which damps compression noise and rounds the correlation peak of a sharp outline (otherwise
// pointed like a cone) so that a parabola through its neighbours finds the fraction of a pixel.

// Distances count less and less beyond about this: d becomes kDistanceReach (1 - e^(-d /
// kDistanceReach)), 63 for 100 and 86 for 200 (the sky of a picture lies 160 from a red ball,
// a dark grey box 90).
inline constexpr float kDistanceReach = 100;

// The object's colour (Y, Cr, Cb) at `point`: the mean of the 5 x 5 pixels around it.
cv::Vec3f colour_at(const cv::Mat& picture, cv::Point2d point);

// The smoothed distance from `colour`, as 32-bit floats, of every pixel of `pixels`.
cv::Mat colour_distance(const cv::Mat& pixels, const cv::Vec3f& colour);

// The distance of a part of a picture shrunk by a whole factor: each of its pixels is the
// distance of the mean colour of a block of factor x factor frame pixels.
struct DistanceView {
    cv::Mat distance;
    cv::Point origin;  // the frame pixel where the first block begins
    int factor = 1;

    // Frame pixels of a position in the view, and back.
    cv::Point2d to_frame(cv::Point2d p) const {
        return cv::Point2d(origin) + factor * p + cv::Point2d(1, 1) * ((factor - 1) / 2.0);
    }
    cv::Point2d from_frame(cv::Point2d p) const {
        return (p - cv::Point2d(origin) - cv::Point2d(1, 1) * ((factor - 1) / 2.0)) / factor;
    }
};

// The whole blocks of `area` clipped to the picture (an empty view when none is left).
DistanceView distance_view(const cv::Mat& picture, cv::Rect area, const cv::Vec3f& colour,
                           int factor);

// The square of side 2 * half + 1 view pixels at `factor` centred on `centre` (frame pixels,
// inside the picture; interpolated bilinearly). Beyond the picture's edge its last pixels
// repeat.
cv::Mat distance_patch(const cv::Mat& picture, cv::Point2d centre, int half,
                       const cv::Vec3f& colour, int factor);
