#pragma once
#include <opencv2/core.hpp>

// Where a template of the colour distance (colour_distance.h) lies best in a picture.
struct Match {
    cv::Point2d position;  // of the template's centre, in frame pixels
    double score = -1.0;   // the correlation there, -1 to 1
    // The best place lies against the picture's edge: the object may lie beyond it.
    bool at_edge = false;
    // The best place lies against the side of the searched square inside the picture: the
    // object may lie further away than expected.
    bool at_side = false;
    // The best score at another place, at least the template's half side away; -1 for none.
    double rival = -1.0;
    double roundness = 1.0;  // of the peak (Peak::roundness)
};

// A search wider than kFineReach view pixels is made first on the picture shrunk by a further
// power of two, as far as the template shrunk with it keeps kLeastCoarseHalf pixels either side
// of its centre, then again at the template's own scale within a few pixels of the best
// places found there. The cost so stays near that of a small search whatever the speed.
constexpr double kFineReach = 16;
constexpr int kLeastCoarseHalf = 3;

// Searches the square within `radius` frame pixels of `around` for `templ`, a square of the
// colour distance from `colour` in the picture shrunk by `factor` (distance_patch); a square of
// the template's size around `around` lies inside the picture.
Match search(const cv::Mat& picture, const cv::Mat& templ, int factor, const cv::Vec3f& colour,
             cv::Point2d around, double radius);
