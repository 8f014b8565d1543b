#pragma once
#include <opencv2/core.hpp>
#include <vector>

// The best place of a template in an area by normalised cross-correlation
// (cv::TM_CCOEFF_NORMED: the template and each window less their means, so that an overall
// change of level or contrast does not count), refined to a fraction of a pixel by a parabola
// through the scores of the neighbours in x and in y.
struct Peak {
    cv::Point cell;       // the best whole-pixel place of the template's top-left corner
    cv::Size cells;       // how many places there were in x and y
    cv::Point2d centre;   // the template's centre there, refined, in the area's pixels
    double score = -1.0;  // the correlation at `cell`, -1 to 1
    // How the score falls away from the peak in its flattest direction, as a share of how it
    // falls in its steepest (from the curvatures of the 3 x 3 scores around it): near 1 for a
    // round object, near 0 for a ridge, along which the place is not fixed. 1 on a side.
    double roundness = 1.0;

    bool on_left() const { return cell.x == 0; }
    bool on_right() const { return cell.x == cells.width - 1; }
    bool on_top() const { return cell.y == 0; }
    bool on_bottom() const { return cell.y == cells.height - 1; }
};

// The best places, best first, at most `count` of them, each at least the template's half side
// from the better ones. `area` and `templ` are 32-bit floats, the area at least as large as
// the template.
std::vector<Peak> find_peaks(const cv::Mat& area, const cv::Mat& templ, int count);
