#include "graphs/graph_mapping.h"

#include <cstdlib>

#include "platform/number_text.h"

float time_to_x(double t, double frame_time, float yoko_bai) {
    return static_cast<float>(graph::kBoxLeft +
                              t * graph::kDivisionWidth / (2 * frame_time) * yoko_bai);
}

float value_to_y(double q, const ValueAxis& axis, float tate_bai) {
    return static_cast<float>(axis.zero_y -
                              q * (graph::kDivisionHeight / axis.units_per_division) * tate_bai);
}

bool inside_plot_box(float x, float y) {
    return x >= graph::kBoxLeft && x <= graph::kBoxRight && y >= graph::kBoxTop &&
           y <= graph::kBoxBottom;
}

bool strictly_inside_plot_box(float x, float y) {
    return x > graph::kBoxLeft && x < graph::kBoxRight && y > graph::kBoxTop &&
           y < graph::kBoxBottom;
}

float yoko_bai_for(std::int16_t yoko_step) {
    if (yoko_step >= 1) return static_cast<float>(yoko_step);
    return 1.0f / static_cast<float>(std::abs(static_cast<int>(yoko_step)) + 2);
}

bool yoko_step_can_move(std::int16_t yoko_step, int delta) {
    const int next = yoko_step + delta;
    return next >= kYokoStepMin && next <= kYokoStepMax;
}

QString tate_text(float tate_bai) { return general_number(tate_bai); }

QString yoko_text(std::int16_t yoko_step) {
    if (yoko_bai_for(yoko_step) < 1.0f)
        return QStringLiteral("1/") + QString::number(std::abs(static_cast<int>(yoko_step)) + 2);
    return general_number(yoko_bai_for(yoko_step));
}

void fit_horizontally(double t_last, double frame_time, std::int16_t& yoko_step, float& yoko_bai) {
    float x_last = time_to_x(t_last, frame_time, yoko_bai);
    while (x_last > graph::kBoxRight && yoko_step_can_move(yoko_step, -1)) {
        --yoko_step;
        yoko_bai = yoko_bai_for(yoko_step);
        x_last = time_to_x(t_last, frame_time, yoko_bai);
    }
}
