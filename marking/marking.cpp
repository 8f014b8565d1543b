// Frame capture and the marking click.
#include <QLineEdit>

#include "mainwindow/form1.h"
#include "video/transport.h"
#include "platform/desktop.h"
#include "platform/number_text.h"
#include "platform/palette.h"
#include "platform/picture_box.h"

void Form1::Cmd_trans_Click() { refresh_canvas(1, state().mark_count); }

void Form1::Picture3_MouseDown(int /*button*/, int /*shift*/, float x, float y) {
    if (earlier_edition()) {
        manual_mark(x, y);
        return;
    }
    AnalysisState& s = state();
    const std::optional<std::int16_t> frames = parse_int16(Text3->text());
    const bool frames_ok = frames && *frames >= 0;
    if (frames_ok) step_frames = *frames;
    if (s.calib_mode) {
        calibration_click(x, y);
        return;
    }
    if (!marking_enabled) return;
    // Refuse before anything is drawn or recorded, so a refused click leaves no trace.
    if (!frames_ok) {
        transport_->read_step_frames();
        return;
    }
    if (table_is_full()) return;
    if (step_frames > 0 && !transport_->read_step_wait()) return;

    record_mark(x, y, s.scale_m_per_unit, step_frames);
    advance_after_mark();
}

void Form1::record_mark(float x, float y, float scale, std::int16_t frames) {
    AnalysisState& s = state();
    Picture2->set_draw_mode(PictureBox::kXorPen);
    disc(Picture3, x, y, pal::kLightYellow);
    const auto n = static_cast<std::size_t>(++s.mark_count);
    mark_cx[n] = x;
    mark_cy[n] = y;
    s.unit_x[n] = static_cast<float>(x_from_left ? (x + 4.0) / 40.0 : (canvas_w - x) / 40.0);
    s.pos_x[n] = static_cast<float>(static_cast<double>(scale) * s.unit_x[n]);
    s.unit_y[n] = static_cast<float>(y_from_top ? (y + 4.0) / 40.0 : (canvas_h - y) / 40.0);
    s.pos_y[n] = static_cast<float>(static_cast<double>(scale) * s.unit_y[n]);
    if (n == 1) {
        s.mark_step[0] = 0;
    } else {
        s.mark_step[n - 1] = frames;
    }
    draw_ruler_markers(x, y, pal::kBrightWhite, pal::kLightYellow);
    Text1->setText(format_number(s.pos_x[n], "##0.00"));
    Text2->setText(format_number(s.pos_y[n], "##0.00"));
}

bool Form1::table_is_full() {
    if (state().mark_count < kMaxIndex) return false;
    desktop().error_box(QStringLiteral("マークは 100 個までしか記録できません。"
                                       "続けるには「マーク消去」か「全マーク消去」で"
                                       "マークを減らしてください。"),
                        program_name());
    return true;
}

void Form1::advance_after_mark() {
    transport_->read_step_wait(true);
    transport_->step_times(step_frames, "step avfile");
    refresh_canvas(1, state().mark_count);
}
