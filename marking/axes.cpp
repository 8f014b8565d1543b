// Flipping the direction of an axis: every mark's position on that axis is measured anew
// from its canvas position.
#include <QLineEdit>

#include "mainwindow/form1.h"
#include "platform/number_text.h"
#include "platform/palette.h"
#include "platform/picture_box.h"

namespace {
// The position of the last mark as the axis button shows it: in metres, or in ruler units in
// the earlier edition, which keeps its positions in ruler units.
QString last_position_text(bool earlier, const Array101<float>& units) {
    const AnalysisState& s = state();
    const float unit = units[static_cast<std::size_t>(s.mark_count)];
    return general_number(earlier ? unit : s.scale_m_per_unit * unit);
}
}  // namespace

void Form1::Cmd_Xchange_Click() {
    AnalysisState& s = state();
    x_from_left = !x_from_left;
    Picture2->cls();
    draw_rulers();
    for (std::size_t i = 1; i <= static_cast<std::size_t>(s.mark_count); ++i) {
        draw_ruler_markers(mark_cx[i], mark_cy[i], pal::kBlack, pal::kLightBlue);
        s.unit_x[i] = static_cast<float>(x_from_left ? (mark_cx[i] + 4.0) / 40.0
                                                     : (canvas_w - mark_cx[i]) / 40.0);
        if (earlier_edition()) s.pos_x[i] = s.unit_x[i];
    }
    Text1->setText(last_position_text(earlier_edition(), s.unit_x));
}

void Form1::Cmd_Ychange_Click() {
    AnalysisState& s = state();
    y_from_top = !y_from_top;
    Picture2->cls();
    Picture2->set_draw_mode(PictureBox::kCopyPen);
    for (std::size_t i = 1; i <= static_cast<std::size_t>(s.mark_count); ++i) {
        draw_ruler_markers(mark_cx[i], mark_cy[i], pal::kBlack, pal::kLightBlue);
        s.unit_y[i] = static_cast<float>(y_from_top ? (mark_cy[i] + 4.0) / 40.0
                                                    : (canvas_h - mark_cy[i]) / 40.0);
        if (earlier_edition()) s.pos_y[i] = s.unit_y[i];
    }
    draw_rulers();
    Text2->setText(last_position_text(earlier_edition(), s.unit_y));
}
