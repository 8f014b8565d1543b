// Play, pause, frame steps with their paced wait, rewind, the position bar and its timer, and
// the frame interval.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <cmath>

#include "mainwindow/form1.h"
#include "platform/desktop.h"
#include "platform/number_text.h"
#include "platform/palette.h"
#include "platform/picture_box.h"
#include "videodevice/video_device.h"

namespace {
// The tick count divided by the wait, rounded to the nearest integer (halves to even).
double tick_quotient(std::int32_t tick, std::int16_t wait_ms) {
    return std::nearbyint(static_cast<double>(tick) / wait_ms);
}
}  // namespace

bool Form1::read_step_wait(bool quiet) {
    const std::optional<std::int16_t> v = parse_int16(Text4->text());
    if (!v || *v <= 0) {
        if (!quiet)
            desktop().error_box(QStringLiteral("「コマ送り　調整時間」には 1 から 32767 までの整数"
                                           "（ミリ秒）を入力してください。"),
                            program_name());
        return false;
    }
    step_wait_ms = *v;
    return true;
}

bool Form1::read_step_frames() {
    const std::optional<std::int16_t> v = parse_int16(Text3->text());
    if (!v || *v < 0) {
        desktop().error_box(
            QStringLiteral("「送りコマ数」には 0 から 32767 までの整数を入力してください。"),
            program_name());
        return false;
    }
    step_frames = *v;
    return true;
}

void Form1::wait_for_tick_change(const std::string& command) {
    if (step_wait_ms <= 0) {  // callers check the wait first; never divide by it unchecked
        send_video(command);
        return;
    }
    const double q0 = tick_quotient(desktop().tick_count(), step_wait_ms);
    send_video(command);
    while (tick_quotient(desktop().tick_count(), step_wait_ms) == q0) {
    }
}

void Form1::step_times(int count, const std::string& command) {
    for (int i = 0; i < count; ++i) wait_for_tick_change(command);
}

void Form1::Command1_Click() {
    send_video("play avfile window");
    cmd_enabled(true, true);
    Cmd_Reset->setEnabled(true);
    Cmd_makimodoshi->setEnabled(true);
    Cmd_vt->setEnabled(true);
    Cmd_st->setEnabled(true);
    Cmd_trans->setEnabled(true);
    if (Cmd_Length2) Cmd_Length2->setEnabled(true);
    marking_enabled = true;
}

void Form1::Command2_Click() {
    send_video("pause avfile");
    Cmd_trans->setEnabled(true);
}

void Form1::Command3_Click() {
    if (earlier_edition()) {
        manual_step("step avfile", 1);
        return;
    }
    if (!read_step_wait()) return;
    wait_for_tick_change("step avfile");
    send_video("stop avfile");
    send_video("update avfile hdc " + plain_number(Picture3->hDC()));
    Picture3->pset(0, 0, palette_color(pal::kLightBlue));
}

void Form1::Command4_Click() {
    if (earlier_edition()) {
        manual_step("step avfile reverse", -1);
        return;
    }
    if (!read_step_wait()) return;
    wait_for_tick_change("step avfile reverse");
    refresh_canvas(1, state().mark_count);
}

void Form1::Cmd_makimodoshi_Click() { send_video("seek avfile to " + signed_blank(0)); }

void Form1::HScroll1_Scroll() {
    Timer1->stop();
    // During a drag the bar announces the thumb's new place before its value follows it, so
    // the thumb's place, not the value, is the frame the user points at.
    send_video("seek avfile to " + signed_blank(HScroll1->sliderPosition()));
    Timer1->start();
}

void Form1::Timer1_Timer() {
    std::string reply;
    video_command("status avfile position", reply);
    if (const auto position = reply_to_int16(reply)) HScroll1->setValue(*position);
    Label2->setText(QStringLiteral("フレーム\n\r    ") + QString::fromStdString(reply));
}

void Form1::Option1_Click() {
    state().frame_time = static_cast<float>(1.0 / 30.0);
    state().frame_time_label = "1/30秒";
}

void Form1::Option2_Click() {
    state().frame_time = static_cast<float>(1.0 / 15.0);
    state().frame_time_label = "1/15秒";
}
