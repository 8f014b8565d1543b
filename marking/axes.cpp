// Flipping the direction of an axis: every mark's position on that axis is measured anew
// from its canvas position.
#include <QLineEdit>

#include "mainwindow/form1.h"
#include "platform/number_text.h"
#include "platform/palette.h"
#include "platform/picture_box.h"

void Form1::Cmd_Xchange_Click() {
    AnalysisState& s = state();
    x_from_left = !x_from_left;
    Picture2->cls();
    draw_rulers();
    for (std::size_t i = 1; i <= static_cast<std::size_t>(s.mark_count); ++i) {
        draw_ruler_markers(mark_cx[i], mark_cy[i], pal::kBlack, pal::kLightBlue);
        s.unit_x[i] = static_cast<float>(x_from_left ? (mark_cx[i] + 4.0) / 40.0
                                                     : (canvas_w - mark_cx[i]) / 40.0);
    }
    const auto last = static_cast<std::size_t>(s.mark_count);
    Text1->setText(general_number(s.scale_m_per_unit * s.unit_x[last]));
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
    }
    draw_rulers();
    const auto last = static_cast<std::size_t>(s.mark_count);
    Text2->setText(general_number(s.scale_m_per_unit * s.unit_y[last]));
}
