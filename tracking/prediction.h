#pragma once
#include <opencv2/core.hpp>
#include <span>

// A mark as the tracker sees it: the frame it was made on and its position in frame pixels.
struct TrackedMark {
    int frame = 0;
    cv::Point2d position;
};

// Where the object is expected on a frame, and how far from there it may be.
struct Prediction {
    cv::Point2d position;
    // In frame pixels, from the motion so far; infinite when a single mark says nothing of it.
    double uncertainty = 0.0;
};

// The position on `frame` from the latest marks (oldest first, at least one) whose frames
// increase: with three, the parabola through them in time (constant acceleration; marks one
// frame apart each and one frame ahead give 3 x(n) - 3 x(n-1) + x(n-2)), whatever their frame
// gaps; with fewer, the last position. Of marks on the same frame the later one counts.
// The uncertainty is half the predicted travel with three marks; with two, one and a half
// times the last interval's travel scaled to the frames ahead (the object may speed up).
Prediction predict_position(std::span<const TrackedMark> marks, int frame);
