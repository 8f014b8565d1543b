#include "tracking/prediction.h"

#include <cmath>
#include <limits>

Prediction predict_position(std::span<const TrackedMark> marks, int frame) {
    std::size_t first = marks.size() - 1;
    while (first > 0 && marks.size() - first < 3 && marks[first - 1].frame < marks[first].frame) {
        --first;
    }
    const std::span<const TrackedMark> used = marks.subspan(first);
    const TrackedMark& last = used.back();
    Prediction p{last.position, std::numeric_limits<double>::infinity()};
    if (used.size() == 2) {
        const double ahead = static_cast<double>(frame - last.frame) / (last.frame - used[0].frame);
        p.uncertainty = 1.5 * cv::norm(last.position - used[0].position) * std::abs(ahead);
    } else if (used.size() == 3) {
        // Lagrange's form of the parabola through the three marks, at `frame`.
        const double t = frame, t0 = used[0].frame, t1 = used[1].frame, t2 = used[2].frame;
        const double w0 = (t - t1) * (t - t2) / ((t0 - t1) * (t0 - t2));
        const double w1 = (t - t0) * (t - t2) / ((t1 - t0) * (t1 - t2));
        const double w2 = (t - t0) * (t - t1) / ((t2 - t0) * (t2 - t1));
        p.position = w0 * used[0].position + w1 * used[1].position + w2 * used[2].position;
        p.uncertainty = 0.5 * cv::norm(p.position - last.position);
    }
    return p;
}
