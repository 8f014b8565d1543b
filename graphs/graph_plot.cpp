#include "graphs/graph_plot.h"

#include <algorithm>
#include <cmath>

#include "graphs/graph_mapping.h"
#include "platform/picture_box.h"

namespace {
constexpr double kDotRadius = 2;
constexpr double kFitTimeStep = 0.001;          // s at Yoko_bai 1
constexpr double kFitFrameIntervals = 20;       // the time axis at Yoko_bai 1
constexpr double kFitStepFrameTime = 1.0 / 30;  // s: the interval the time step is made for
}  // namespace

void plot_series(PictureBox& picture, const float* t, const float* q, int count,
                 const GraphScale& scale, QColor color) {
    for (int i = 1; i <= count; ++i) {
        if (std::isnan(q[i])) continue;
        const float x = time_to_x(t[i], scale.frame_time, scale.yoko_bai);
        const float y = value_to_y(q[i], scale.axis, scale.tate_bai);
        if (!inside_plot_box(x, y)) return;
        picture.set_fill_color(color);
        picture.circle(x, y, kDotRadius, color);
    }
}

void draw_fitted(PictureBox& picture, const std::function<double(double t)>& value_at,
                 const GraphScale& scale, QColor color) {
    // A clip's own interval can be far shorter than 1/30 s; the same points then cover the
    // shorter time, so that the line stays unbroken.
    const double step =
        kFitTimeStep * std::min(1.0, scale.frame_time / kFitStepFrameTime) / scale.yoko_bai;
    const double last = kFitFrameIntervals * scale.frame_time / scale.yoko_bai;
    for (double t = 0; t <= last; t += step) {
        const float x = time_to_x(t, scale.frame_time, scale.yoko_bai);
        const float y = value_to_y(value_at(t), scale.axis, scale.tate_bai);
        if (strictly_inside_plot_box(x, y)) picture.pset(x, y, color);
    }
}
