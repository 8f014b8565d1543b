// The earlier edition's marking and erasing: the frames between two marks are the ones the
// user stepped by hand, positions stay in ruler units, and the clip is never moved.
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "mainwindow/form1.h"
#include "platform/number_text.h"
#include "platform/palette.h"
#include "platform/picture_box.h"

void Form1::manual_mark(float x, float y) {
    AnalysisState& s = state();
    // A further mark needs at least one frame step forward since the last one.
    if (s.mark_count >= 1 && frames_since_mark <= 0) return;
    if (!marking_enabled) return;
    if (table_is_full()) return;
    // Positions stay in ruler units.
    record_mark(x, y, 1.0f, frames_since_mark);
    frames_since_mark = 0;
}

void Form1::manual_erase_last() {
    AnalysisState& s = state();
    const auto n = static_cast<std::size_t>(s.mark_count);
    // The markers sit where the stored position puts them back on the canvas.
    const double cx = x_from_left ? 40.0 * s.pos_x[n] - 4 : canvas_w - 40.0 * s.pos_x[n];
    const double cy = y_from_top ? 40.0 * s.pos_y[n] - 4 : canvas_h - 40.0 * s.pos_y[n];
    Picture2->set_draw_mode(PictureBox::kXorPen);
    draw_ruler_markers(static_cast<float>(cx), static_cast<float>(cy), pal::kBrightWhite,
                       pal::kLightYellow);
    Text1->setText(format_number(s.pos_x[n - 1], "##0.00"));
    Text2->setText(format_number(s.pos_y[n - 1], "##0.00"));
    Picture3->cls();
    refresh_canvas(1, static_cast<std::int16_t>(n - 1));
    s.mark_count = static_cast<std::int16_t>(n - 1);
    frames_since_mark = static_cast<std::int16_t>(
        std::clamp(frames_since_mark + s.mark_step[n - 1], -32768, 32767));
    if (s.mark_count == 0) {
        Text1->clear();
        Text2->clear();
    }
}
