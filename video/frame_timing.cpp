#include "video/frame_timing.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <cmath>
#include <optional>
#include <string>

#include "platform/number_text.h"
#include "state/analysis.h"
#include "state/analysis_state.h"
#include "video/video_window.h"
#include "videodevice/video_device.h"

namespace {
constexpr double kCaptureRateMin = 1, kCaptureRateMax = 100000;

// Whether two intervals (or rates) agree within 1 %.
bool about(double a, double b) { return std::abs(a - b) <= 0.01 * b; }

// The clip's stored rate, frames per second.
double stored_rate(const AnalysisState& s) { return 1 / s.clip_frame_interval; }

// Whether times counted at 1/30 s (or 1/15 s) a frame would be wrong for the clip.
bool needs_own_timing(const AnalysisState& s) {
    const bool plain_interval =
        about(s.clip_frame_interval, 1.0 / 30) || about(s.clip_frame_interval, 1.0 / 15);
    return !plain_interval || s.clip_variable_rate || s.capture_rate > 0;
}

// AVI files begin "RIFF", four bytes of length, "AVI ".
bool is_avi_file(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray head = file.read(12);
    return head.size() == 12 && head.startsWith("RIFF") && head.mid(8) == "AVI ";
}

std::optional<double> ask_number(const std::string& item, bool fraction = false) {
    const std::optional<std::string> reply = ask_video("status avfile " + item);
    if (!reply) return std::nullopt;
    return fraction ? reply_to_seconds(*reply) : reply_to_decimal(*reply);
}

QString note_text(const AnalysisState& s) {
    if (s.clip_variable_rate)
        return QStringLiteral("コマの間隔が一定でないビデオです。時刻はビデオの時刻を使います");
    const QString stored = QString::fromStdString(rate_text(stored_rate(s)));
    if (s.capture_rate > 0)
        return QStringLiteral("撮影 %1 コマ/秒（再生 %2 コマ/秒）")
            .arg(QString::fromStdString(rate_text(s.capture_rate)), stored);
    return QStringLiteral("このビデオは %1 コマ/秒です").arg(stored);
}
}  // namespace

void FrameTiming::Option1_Click() { use_fixed_interval(static_cast<float>(1.0 / 30.0), "1/30秒"); }

void FrameTiming::Option2_Click() { use_fixed_interval(static_cast<float>(1.0 / 15.0), "1/15秒"); }

void FrameTiming::Option3_Click() {
    use_clip_timing(state());
    show_clip_timing();
}

void FrameTiming::Text5_Change() {
    AnalysisState& s = state();
    const QString text = window_.Text5->text().trimmed();
    const std::optional<double> rate = parse_decimal(text);
    if (!text.isEmpty() && (!rate || *rate < kCaptureRateMin || *rate > kCaptureRateMax)) {
        // The rate in force stays as it was until the box holds one that can be used.
        window_.Label12->setText(
            QStringLiteral("「撮影時のコマ数/秒」には 1 から 100000 までの数を入力してください"));
        return;
    }
    s.capture_rate = rate ? static_cast<float>(*rate) : 0.0f;
    offer_clip_timing(true);
    window_.Option3->setChecked(true);
    use_clip_timing(s);
    show_clip_timing();
}

void FrameTiming::clip_opened(const QString& path, int length) {
    if (window_.earlier_edition()) return;
    AnalysisState& s = state();
    s.clip_frame_interval = ask_number("frame interval", true).value_or(0);
    s.clip_variable_rate = false;
    s.clip_mean_interval = 0;
    s.capture_rate = 0;
    if (s.clip_frame_interval <= 0) {  // a service that does not tell the clip's timing
        leave_clip_timing();
        offer_clip_timing(false);
        offer_capture_rate(false);
        return;
    }
    s.clip_variable_rate = ask_video("status avfile variable rate") == "true";
    // A tag that only repeats the stored rate says nothing about slow motion.
    const double tag = ask_number("capture rate").value_or(0);
    if (tag >= kCaptureRateMin && tag <= kCaptureRateMax && !about(tag, stored_rate(s)))
        s.capture_rate = static_cast<float>(tag);
    if (length >= 2) {
        const double last = ask_number("time " + std::to_string(length - 1)).value_or(0);
        if (last > 0) s.clip_mean_interval = last / (length - 1);
    }
    window_.Text5->setText(s.capture_rate > 0 ? QString::fromStdString(rate_text(s.capture_rate))
                                              : QString());
    const bool own = needs_own_timing(s);
    if (own) {
        window_.Option3->setChecked(true);
        use_clip_timing(s);
    } else {
        leave_clip_timing();
    }
    // An AVI clip of plain 1/30 s or 1/15 s keeps its two choices as they always were; only
    // the capture rate is offered beside the frame, for a high-speed camera's untagged AVI.
    offer_capture_rate(true);
    offer_clip_timing(own || !is_avi_file(path));
    show_clip_timing();
}

void FrameTiming::no_clip() {
    if (window_.earlier_edition()) return;
    leave_clip_timing();
    offer_clip_timing(false);
    offer_capture_rate(false);
}

void FrameTiming::choose(VideoWindow::IntervalChoice choice, const QString& capture_rate) {
    if (window_.earlier_edition()) return;
    if (window_.Text5->text() != capture_rate) {
        window_.Text5->setText(capture_rate);
        Text5_Change();
    }
    switch (choice) {
        case VideoWindow::IntervalChoice::k1_30:
            window_.Option1->setChecked(true);
            Option1_Click();
            break;
        case VideoWindow::IntervalChoice::k1_15:
            window_.Option2->setChecked(true);
            Option2_Click();
            break;
        case VideoWindow::IntervalChoice::kClip:
            if (state().clip_frame_interval > 0) offer_clip_timing(true);
            window_.Option3->setChecked(true);
            Option3_Click();
            break;
    }
}

void FrameTiming::use_fixed_interval(float frame_time, const char* label) {
    AnalysisState& s = state();
    s.clip_timing = false;
    s.frame_time = frame_time;
    s.frame_time_label = label;
    show_clip_timing();
}

void FrameTiming::leave_clip_timing() {
    if (!state().clip_timing) return;
    window_.Option1->setChecked(true);
    Option1_Click();
}

void FrameTiming::offer_clip_timing(bool offered) {
    window_.Option3->setVisible(offered);
    window_.Label10->setVisible(offered);
}

void FrameTiming::offer_capture_rate(bool offered) {
    for (QWidget* w : {static_cast<QWidget*>(window_.Label11), static_cast<QWidget*>(window_.Text5),
                       static_cast<QWidget*>(window_.Label12)})
        w->setVisible(offered);
}

void FrameTiming::show_clip_timing() {
    const AnalysisState& s = state();
    if (s.clip_frame_interval <= 0) return;
    window_.Label10->setText(QString::fromStdString(interval_caption(clip_frame_time(s))));
    window_.Label12->setText(s.clip_timing ? note_text(s) : QString());
}
