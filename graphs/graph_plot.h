#pragma once
#include <QColor>
#include <functional>

#include "graphs/graph_settings.h"

class PictureBox;

// How values reach graph units: the window's magnifications and the frame interval.
struct GraphScale {
    const ValueAxis& axis;
    double frame_time;
    float yoko_bai;
    float tate_bai;
};

// Dots of radius 2 for the samples 1 .. count (time t, value q). The series ends at its first
// point outside the plot box; a sample without a value (NaN) is passed over.
void plot_series(PictureBox& picture, const float* t, const float* q, int count,
                 const GraphScale& scale, QColor color);

// A fitted function as single points from t = 0 over twenty frame intervals of the time axis
// at magnification 1, in steps of 1/1000 s (both divided by Yoko_bai; for an interval shorter
// than 1/30 s the steps shrink with it). Only points strictly
// inside the box are set, so a curve that leaves it and comes back is drawn only inside.
void draw_fitted(PictureBox& picture, const std::function<double(double t)>& value_at,
                 const GraphScale& scale, QColor color);
