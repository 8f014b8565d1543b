#include "marking/axis_directions.h"

#include <QLineEdit>

#include "marking/canvas.h"
#include "marking/marking_window.h"
#include "platform/number_text.h"
#include "platform/palette.h"
#include "platform/picture_box.h"
#include "state/analysis_state.h"

namespace {
// The position of the last mark as the axis button shows it: in metres, or in ruler units in
// the earlier edition, which keeps its positions in ruler units.
QString last_position_text(bool earlier, const Array101<float>& units) {
    const AnalysisState& s = state();
    const float unit = units[static_cast<std::size_t>(s.mark_count)];
    return general_number(earlier ? unit : s.scale_m_per_unit * unit);
}
}  // namespace

void AxisDirections::Cmd_Xchange_Click() {
    AnalysisState& s = state();
    window_.x_from_left = !window_.x_from_left;
    window_.Picture2->cls();
    canvas_.draw_rulers();
    for (std::size_t i = 1; i <= static_cast<std::size_t>(s.mark_count); ++i) {
        canvas_.draw_ruler_markers(window_.mark_cx[i], window_.mark_cy[i], pal::kBlack,
                                   pal::kLightBlue);
        s.unit_x[i] = static_cast<float>(window_.x_from_left
                                             ? (window_.mark_cx[i] + 4.0) / 40.0
                                             : (window_.canvas_w - window_.mark_cx[i]) / 40.0);
        if (window_.earlier_edition()) s.pos_x[i] = s.unit_x[i];
    }
    window_.Text1->setText(last_position_text(window_.earlier_edition(), s.unit_x));
}

void AxisDirections::Cmd_Ychange_Click() {
    AnalysisState& s = state();
    window_.y_from_top = !window_.y_from_top;
    window_.Picture2->cls();
    window_.Picture2->set_draw_mode(PictureBox::kCopyPen);
    for (std::size_t i = 1; i <= static_cast<std::size_t>(s.mark_count); ++i) {
        canvas_.draw_ruler_markers(window_.mark_cx[i], window_.mark_cy[i], pal::kBlack,
                                   pal::kLightBlue);
        s.unit_y[i] =
            static_cast<float>(window_.y_from_top ? (window_.mark_cy[i] + 4.0) / 40.0
                                                  : (window_.canvas_h - window_.mark_cy[i]) / 40.0);
        if (window_.earlier_edition()) s.pos_y[i] = s.unit_y[i];
    }
    canvas_.draw_rulers();
    window_.Text2->setText(last_position_text(window_.earlier_edition(), s.unit_y));
}
