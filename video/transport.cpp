#include "video/transport.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "platform/desktop.h"
#include "platform/number_text.h"
#include "platform/palette.h"
#include "platform/picture_box.h"
#include "platform/waiting_presses.h"
#include "state/analysis_state.h"
#include "video/canvas_picture.h"
#include "video/video_window.h"
#include "videodevice/video_device.h"

namespace {
// The tick count divided by the wait, rounded to the nearest integer (halves to even).
double tick_quotient(std::int32_t tick, std::int16_t wait_ms) {
    return std::nearbyint(static_cast<double>(tick) / wait_ms);
}
}  // namespace

bool Transport::read_step_wait(bool quiet) {
    const std::optional<std::int16_t> v = parse_int16(window_.Text4->text());
    if (!v || *v <= 0) {
        if (!quiet)
            desktop().error_box(QStringLiteral("「コマ送り　調整時間」には 1 から 32767 までの整数"
                                               "（ミリ秒）を入力してください。"),
                                program_name());
        return false;
    }
    window_.step_wait_ms = *v;
    return true;
}

bool Transport::read_step_frames() {
    const std::optional<std::int16_t> v = parse_int16(window_.Text3->text());
    if (!v || *v < 0) {
        desktop().error_box(
            QStringLiteral("「送りコマ数」には 0 から 32767 までの整数を入力してください。"),
            program_name());
        return false;
    }
    window_.step_frames = *v;
    return true;
}

void Transport::wait_for_tick_change(const std::string& command) {
    if (window_.step_wait_ms <= 0) {  // callers check the wait first; never divide by it unchecked
        send_video(command);
        return;
    }
    const double q0 = tick_quotient(desktop().tick_count(), window_.step_wait_ms);
    send_video(command);
    while (tick_quotient(desktop().tick_count(), window_.step_wait_ms) == q0) {
    }
}

void Transport::step_times(int count, const std::string& command) {
    for (int i = 0; i < count; ++i) wait_for_tick_change(command);
}

void Transport::drop_presses_made_while_stepping() {
    const bool ticking = window_.Timer1->isActive();
    window_.Timer1->stop();
    drop_waiting_mouse_presses();
    if (ticking) window_.Timer1->start();
}

void Transport::Command1_Click() {
    send_video("play avfile window");
    window_.cmd_enabled(true, true);
    window_.Cmd_Reset->setEnabled(true);
    window_.Cmd_makimodoshi->setEnabled(true);
    window_.Cmd_vt->setEnabled(true);
    window_.Cmd_st->setEnabled(true);
    window_.Cmd_trans->setEnabled(true);
    if (window_.Cmd_Length2) window_.Cmd_Length2->setEnabled(true);
    window_.marking_enabled = true;
}

void Transport::Command2_Click() {
    send_video("pause avfile");
    window_.Cmd_trans->setEnabled(true);
}

void Transport::Command3_Click() {
    if (window_.earlier_edition()) {
        manual_step("step avfile", 1);
        return;
    }
    if (!read_step_wait()) return;
    wait_for_tick_change("step avfile");
    send_video("stop avfile");
    paint_current_frame(window_);
    window_.Picture3->pset(0, 0, palette_color(pal::kLightBlue));
}

void Transport::Command4_Click() {
    if (window_.earlier_edition()) {
        manual_step("step avfile reverse", -1);
        return;
    }
    if (!read_step_wait()) return;
    wait_for_tick_change("step avfile reverse");
    window_.refresh_canvas(1, state().mark_count);
}

void Transport::Cmd_makimodoshi_Click() { send_video("seek avfile to " + signed_blank(0)); }

void Transport::HScroll1_Scroll() {
    window_.Timer1->stop();
    // During a drag the bar announces the thumb's new place before its value follows it, so
    // the thumb's place, not the value, is the frame the user points at.
    send_video("seek avfile to " + signed_blank(window_.HScroll1->sliderPosition()));
    window_.Timer1->start();
}

void Transport::Timer1_Timer() {
    std::string reply;
    video_command("status avfile position", reply);
    if (const auto position = reply_to_int16(reply)) window_.HScroll1->setValue(*position);
    window_.Label2->setText(QStringLiteral("フレーム\n\r    ") + QString::fromStdString(reply));
}

void Transport::manual_step(const std::string& command, int frames) {
    send_video(command);
    // The count stays within 16 bits however often the user steps.
    window_.frames_since_mark =
        static_cast<std::int16_t>(std::clamp(window_.frames_since_mark + frames, -32768, 32767));
}
