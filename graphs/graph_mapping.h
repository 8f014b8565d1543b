#pragma once
#include <QString>
#include <cstdint>

#include "graphs/graph_settings.h"

// Graph units: the drawing surface has the user scale (0, 0)-(637, 461); the plot box is
// x 50 .. 600, y 50 .. 410, ten divisions of 55 by 36 units.
namespace graph {
inline constexpr double kScaleWidth = 637, kScaleHeight = 461;
inline constexpr double kBoxLeft = 50, kBoxRight = 600, kBoxTop = 50, kBoxBottom = 410;
inline constexpr double kDivisionWidth = 55, kDivisionHeight = 36;
inline constexpr int kDivisions = 10;
}  // namespace graph

// X of a time in seconds: one division is two frame intervals at Yoko_bai 1.
float time_to_x(double t, double frame_time, float yoko_bai);

// Y of a value on the given axis.
float value_to_y(double q, const ValueAxis& axis, float tate_bai);

// Points are drawn on the edges of the box; fitted lines only strictly inside it.
bool inside_plot_box(float x, float y);
bool strictly_inside_plot_box(float x, float y);

// The horizontal magnification a step counter stands for: 1, 2, 3, ... from 1 upwards,
// 1/2, 1/3, ... from 0 downwards.
float yoko_bai_for(std::int16_t yoko_step);

// The step counter moves only while Yoko_step and |Yoko_step| + 2 stay 16-bit numbers.
inline constexpr std::int16_t kYokoStepMin = -32765, kYokoStepMax = 32767;
bool yoko_step_can_move(std::int16_t yoko_step, int delta);

// Texts of the magnification boxes: "0.125" ... "256"; "1/3", "1", "4".
QString tate_text(float tate_bai);
QString yoko_text(std::int16_t yoko_step);

// Lowers the horizontal magnification step by step until a point at t_last lies at or left
// of the box's right edge, or the step counter reaches its lower limit.
void fit_horizontally(double t_last, double frame_time, std::int16_t& yoko_step, float& yoko_bai);
