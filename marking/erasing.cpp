#include "marking/erasing.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <string>

#include "marking/canvas.h"
#include "marking/marking_window.h"
#include "platform/number_text.h"
#include "platform/palette.h"
#include "platform/picture_box.h"
#include "state/analysis_state.h"
#include "video/transport.h"
#include "videodevice/video_device.h"

void Erasing::Cmd_Reset_Click() {
    AnalysisState& s = state();
    const int n = s.mark_count;
    if (n < 1) {
        window_.Text1->clear();
        window_.Text2->clear();
        return;
    }
    if (window_.earlier_edition()) {
        manual_erase_last();
        return;
    }
    const WayBack way = way_back_to(n);
    // Check the wait before anything changes, so a refused erase leaves everything as it was.
    if (way.steps > 0 && !transport_.read_step_wait()) return;
    const auto un = static_cast<std::size_t>(n);
    window_.Picture2->set_draw_mode(PictureBox::kXorPen);
    canvas_.draw_ruler_markers(window_.mark_cx[un], window_.mark_cy[un], pal::kBrightWhite,
                               pal::kLightYellow);
    window_.Text1->setText(format_number(s.pos_x[un - 1], "##0.00"));
    window_.Text2->setText(format_number(s.pos_y[un - 1], "##0.00"));
    window_.Picture3->cls();
    transport_.read_step_wait(true);
    if (way.seek_to) {
        send_video("seek avfile to " + signed_blank(*way.seek_to));
    } else {
        transport_.step_times(way.steps, "step avfile reverse");
    }
    canvas_.refresh_canvas(1, static_cast<std::int16_t>(n - 1));
    s.mark_count = static_cast<std::int16_t>(n - 1);
    if (s.mark_count == 0) {
        window_.Text1->clear();
        window_.Text2->clear();
    }
    window_.Label13->clear();
    transport_.drop_presses_made_while_stepping();
}

Erasing::WayBack Erasing::way_back_to(int n) const {
    const std::int32_t frame = state().mark_frame[static_cast<std::size_t>(n)];
    const std::optional<std::string> reply =
        frame == kNoFrame ? std::nullopt : ask_video("status avfile position");
    const std::optional<std::int32_t> position = reply ? reply_to_frame(*reply) : std::nullopt;
    if (!position) return {window_.step_frames, std::nullopt};
    // The advance after the mark is retraced step by step; a clip moved elsewhere since goes
    // straight to the mark's frame.
    const std::int32_t back = *position - frame;
    if (back >= 0 && back <= std::max<std::int32_t>(window_.step_frames, 0))
        return {static_cast<std::int16_t>(back), std::nullopt};
    return {0, frame};
}

void Erasing::Command6_Click() {
    if (window_.earlier_edition()) window_.frames_since_mark = 0;
    window_.Picture2->cls();
    window_.Picture3->cls();
    window_.Picture2->set_draw_mode(PictureBox::kCopyPen);
    window_.Picture3->set_draw_mode(PictureBox::kCopyPen);
    // The earlier edition leaves the canvas empty until the next transfer.
    if (!window_.earlier_edition()) canvas_.refresh_canvas(1, 0);
    state().mark_count = 0;
    if (window_.Label13) window_.Label13->clear();
    canvas_.draw_rulers();
    window_.Text1->clear();
    window_.Text2->clear();
    window_.Cmd_Xchange->setEnabled(true);
    window_.Cmd_Ychange->setEnabled(true);
}

void Erasing::manual_erase_last() {
    AnalysisState& s = state();
    const auto n = static_cast<std::size_t>(s.mark_count);
    // The markers sit where the stored position puts them back on the canvas.
    const double cx =
        window_.x_from_left ? 40.0 * s.pos_x[n] - 4 : window_.canvas_w - 40.0 * s.pos_x[n];
    const double cy =
        window_.y_from_top ? 40.0 * s.pos_y[n] - 4 : window_.canvas_h - 40.0 * s.pos_y[n];
    window_.Picture2->set_draw_mode(PictureBox::kXorPen);
    canvas_.draw_ruler_markers(static_cast<float>(cx), static_cast<float>(cy), pal::kBrightWhite,
                               pal::kLightYellow);
    window_.Text1->setText(format_number(s.pos_x[n - 1], "##0.00"));
    window_.Text2->setText(format_number(s.pos_y[n - 1], "##0.00"));
    window_.Picture3->cls();
    canvas_.refresh_canvas(1, static_cast<std::int16_t>(n - 1));
    s.mark_count = static_cast<std::int16_t>(n - 1);
    window_.frames_since_mark = static_cast<std::int16_t>(
        std::clamp(window_.frames_since_mark + s.mark_step[n - 1], -32768, 32767));
    if (s.mark_count == 0) {
        window_.Text1->clear();
        window_.Text2->clear();
    }
}
