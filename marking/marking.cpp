#include "marking/marking.h"

#include <QLabel>
#include <QLineEdit>
#include <algorithm>
#include <limits>
#include <string>

#include "marking/calibration.h"
#include "marking/canvas.h"
#include "marking/marking_window.h"
#include "platform/desktop.h"
#include "platform/number_text.h"
#include "platform/palette.h"
#include "platform/picture_box.h"
#include "state/analysis_state.h"
#include "video/transport.h"
#include "videodevice/video_device.h"

void Marking::Cmd_trans_Click() { canvas_.refresh_canvas(1, state().mark_count); }

void Marking::Picture3_MouseDown(int /*button*/, int /*shift*/, float x, float y) {
    if (window_.earlier_edition()) {
        manual_mark(x, y);
        return;
    }
    const std::optional<std::int16_t> frames = parse_int16(window_.Text3->text());
    if (frames && *frames >= 0) window_.step_frames = *frames;
    if (state().calib_mode) {
        calibration_.calibration_click(x, y);
        return;
    }
    if (!window_.marking_enabled) return;
    mark_at(x, y);
}

bool Marking::mark_at(float x, float y) {
    AnalysisState& s = state();
    // Refuse before anything is drawn or recorded, so a refused mark leaves no trace.
    if (!transport_.read_step_frames()) return false;
    if (table_is_full()) return false;
    if (window_.step_frames > 0 && !transport_.read_step_wait()) return false;
    const std::int32_t frame = window_.canvas_frame.value_or(kNoFrame);
    const std::int32_t last =
        s.mark_count >= 1 ? s.mark_frame[static_cast<std::size_t>(s.mark_count)] : kNoFrame;
    const bool both_known = frame != kNoFrame && last != kNoFrame;
    if (both_known && frame < last) {
        window_.Label13->setText(
            QStringLiteral("記録しません。前のマーク（フレーム %1）より前のコマです").arg(last));
        return false;
    }
    window_.Label13->clear();
    // Frames whose numbers the service told are counted; otherwise the clip was moved on by
    // the frames per step since the mark before.
    const std::int16_t frames =
        both_known ? static_cast<std::int16_t>(std::min<std::int32_t>(frame - last, 32767))
                   : window_.step_frames;
    record_mark(x, y, s.scale_m_per_unit, frames, frame);
    advance_after_mark();
    return true;
}

void Marking::record_mark(float x, float y, float scale, std::int16_t frames, std::int32_t frame) {
    AnalysisState& s = state();
    window_.Picture2->set_draw_mode(PictureBox::kXorPen);
    Canvas::disc(window_.Picture3, x, y, pal::kLightYellow);
    const auto n = static_cast<std::size_t>(++s.mark_count);
    window_.mark_cx[n] = x;
    window_.mark_cy[n] = y;
    s.unit_x[n] =
        static_cast<float>(window_.x_from_left ? (x + 4.0) / 40.0 : (window_.canvas_w - x) / 40.0);
    s.pos_x[n] = static_cast<float>(static_cast<double>(scale) * s.unit_x[n]);
    s.unit_y[n] =
        static_cast<float>(window_.y_from_top ? (y + 4.0) / 40.0 : (window_.canvas_h - y) / 40.0);
    s.pos_y[n] = static_cast<float>(static_cast<double>(scale) * s.unit_y[n]);
    if (n == 1) {
        s.mark_step[0] = 0;
    } else {
        s.mark_step[n - 1] = frames;
    }
    s.mark_frame[n] = frame;
    s.mark_clip_time[n] = std::numeric_limits<double>::quiet_NaN();
    if (frame != kNoFrame) {
        if (const auto reply = ask_video("status avfile time " + std::to_string(frame)))
            s.mark_clip_time[n] = reply_to_decimal(*reply).value_or(s.mark_clip_time[n]);
    }
    canvas_.draw_ruler_markers(x, y, pal::kBrightWhite, pal::kLightYellow);
    window_.Text1->setText(format_number(s.pos_x[n], "##0.00"));
    window_.Text2->setText(format_number(s.pos_y[n], "##0.00"));
}

void Marking::manual_mark(float x, float y) {
    AnalysisState& s = state();
    // A further mark needs at least one frame step forward since the last one.
    if (s.mark_count >= 1 && window_.frames_since_mark <= 0) return;
    if (!window_.marking_enabled) return;
    if (table_is_full()) return;
    // Positions stay in ruler units; the frames are the ones counted by hand.
    record_mark(x, y, 1.0f, window_.frames_since_mark, kNoFrame);
    window_.frames_since_mark = 0;
}

bool Marking::table_is_full() {
    if (state().mark_count < kMaxIndex) return false;
    desktop().error_box(QStringLiteral("マークは 100 個までしか記録できません。"
                                       "続けるには「マーク消去」か「全マーク消去」で"
                                       "マークを減らしてください。"),
                        program_name());
    return true;
}

void Marking::advance_after_mark() {
    transport_.read_step_wait(true);
    transport_.step_times(window_.step_frames, "step avfile");
    canvas_.refresh_canvas(1, state().mark_count);
    transport_.drop_presses_made_while_stepping();
}
