#include "worksession/work_state.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <cmath>
#include <string>

#include "marking/canvas.h"
#include "marking/length_dialog.h"
#include "marking/marking_window.h"
#include "platform/number_text.h"
#include "platform/palette.h"
#include "platform/picture_box.h"
#include "state/analysis_state.h"
#include "videodevice/video_device.h"

namespace {
constexpr double kRulerPixels = 40.0;

// A ruler position from a canvas position, as the marking and the axis buttons measure it:
// from the left or top side (+4 pixels), or back from the zero edge.
float ruler_unit(float canvas, bool from_side, int edge) {
    return static_cast<float>(from_side ? (canvas + 4.0) / kRulerPixels
                                        : (edge - canvas) / kRulerPixels);
}

// A text box's text as a work file can keep it: no control characters, at most kMaxWorkText
// characters (such a box is no usable number anyway).
QString kept_text(const QString& text) {
    QString out;
    for (const QChar c : text)
        if (c.unicode() >= 0x20 && c.unicode() != 0x7F) out += c;
    return out.left(kMaxWorkText);
}

FrameIntervalChoice interval_choice(const MarkingWindow& w) {
    if (w.Option2->isChecked()) return FrameIntervalChoice::k1_15;
    if (w.Option3->isChecked()) return FrameIntervalChoice::kClip;
    return FrameIntervalChoice::k1_30;
}

VideoWindow::IntervalChoice window_choice(FrameIntervalChoice choice) {
    switch (choice) {
        case FrameIntervalChoice::k1_15:
            return VideoWindow::IntervalChoice::k1_15;
        case FrameIntervalChoice::kClip:
            return VideoWindow::IntervalChoice::kClip;
        case FrameIntervalChoice::k1_30:
            break;
    }
    return VideoWindow::IntervalChoice::k1_30;
}

QString mark_name(std::size_t index) {
    return QStringLiteral("作業ファイルのマーク「marks[%1]」").arg(index + 1);
}
}  // namespace

WorkFile current_work(const MarkingWindow& window, const QString& clip_path) {
    const AnalysisState& s = state();
    WorkFile w;
    w.clip_path = QFileInfo(clip_path).absoluteFilePath();
    w.canvas_width = window.canvas_w;
    w.canvas_height = window.canvas_h;
    for (int i = 1; i <= std::clamp<int>(s.mark_count, 0, kMaxIndex); ++i) {
        const auto k = static_cast<std::size_t>(i);
        w.marks.push_back({window.mark_cx[k], window.mark_cy[k], s.unit_x[k], s.unit_y[k],
                           s.mark_frame[k] == kNoFrame ? kUnknownWorkFrame : s.mark_frame[k],
                           s.mark_clip_time[k], i == 1 ? 0 : s.mark_step[k - 1]});
    }
    w.scale_m_per_unit = s.scale_m_per_unit;
    for (int k = 1; k <= std::clamp<int>(s.calib_clicks, 0, kMaxIndex); ++k)
        w.calibration_points.push_back(
            {s.calib_x[static_cast<std::size_t>(k)], s.calib_y[static_cast<std::size_t>(k)]});
    w.calib_unit_len = s.calib_unit_len;
    if (window.length_dialog) w.length_text = kept_text(window.length_dialog->last_length());
    w.x_from_left = window.x_from_left;
    w.y_from_top = window.y_from_top;
    w.step_frames_text = kept_text(window.Text3->text());
    w.step_wait_text = kept_text(window.Text4->text());
    w.frame_interval = interval_choice(window);
    w.capture_rate_text = kept_text(window.Text5->text());
    return w;
}

QString work_misfit(const WorkFile& work, const MarkingWindow& window) {
    if (work.canvas_width != window.canvas_w || work.canvas_height != window.canvas_h)
        return QStringLiteral(
                   "この作業ファイルのマークは大きさの違う画面（%1×%2）で付けられて"
                   "います。この画面（%3×%4）では開けません。")
            .arg(work.canvas_width)
            .arg(work.canvas_height)
            .arg(window.canvas_w)
            .arg(window.canvas_h);
    // A ruler position that disagrees with its canvas position was edited by hand, or comes
    // from another program: which of the two holds cannot be told.
    constexpr float kSlack = 1e-4f;
    for (std::size_t i = 0; i < work.marks.size(); ++i) {
        const WorkMark& m = work.marks[i];
        const bool x_fits = std::abs(m.unit_x - ruler_unit(m.canvas_x, work.x_from_left,
                                                           work.canvas_width)) <= kSlack;
        const bool y_fits = std::abs(m.unit_y - ruler_unit(m.canvas_y, work.y_from_top,
                                                           work.canvas_height)) <= kSlack;
        if (!x_fits || !y_fits)
            return mark_name(i) +
                   QStringLiteral(
                       "の目盛りの位置（%1）が画面上の位置（%2）と"
                       "合いません。")
                       .arg(x_fits ? QStringLiteral("unit_y") : QStringLiteral("unit_x"),
                            x_fits ? QStringLiteral("canvas_y") : QStringLiteral("canvas_x"));
    }
    return {};
}

namespace {
void restore_marks(const WorkFile& work, MarkingWindow& window) {
    AnalysisState& s = state();
    s.mark_count = static_cast<std::int16_t>(work.marks.size());
    s.mark_step[0] = 0;
    for (std::size_t k = 1; k <= work.marks.size(); ++k) {
        const WorkMark& m = work.marks[k - 1];
        window.mark_cx[k] = m.canvas_x;
        window.mark_cy[k] = m.canvas_y;
        // Measured again as the marking measures, so that every number derived from them is
        // the one the marking gave.
        s.unit_x[k] = ruler_unit(m.canvas_x, window.x_from_left, window.canvas_w);
        s.unit_y[k] = ruler_unit(m.canvas_y, window.y_from_top, window.canvas_h);
        s.pos_x[k] = static_cast<float>(static_cast<double>(s.scale_m_per_unit) * s.unit_x[k]);
        s.pos_y[k] = static_cast<float>(static_cast<double>(s.scale_m_per_unit) * s.unit_y[k]);
        if (k > 1) s.mark_step[k - 1] = static_cast<std::int16_t>(m.step);
        s.mark_frame[k] = m.frame == kUnknownWorkFrame ? kNoFrame : m.frame;
        // The clip's own answer, as when the mark was made; the file's where it does not tell.
        s.mark_clip_time[k] = m.time;
        if (m.frame != kUnknownWorkFrame) {
            if (const auto reply = ask_video("status avfile time " + std::to_string(m.frame)))
                s.mark_clip_time[k] = reply_to_decimal(*reply).value_or(m.time);
        }
    }
}

void restore_calibration(const WorkFile& work, MarkingWindow& window) {
    AnalysisState& s = state();
    s.scale_m_per_unit = work.scale_m_per_unit;
    s.calib_mode = false;
    s.calib_clicks = static_cast<std::int16_t>(work.calibration_points.size());
    for (std::size_t k = 1; k <= work.calibration_points.size(); ++k) {
        s.calib_x[k] = work.calibration_points[k - 1].x;
        s.calib_y[k] = work.calibration_points[k - 1].y;
    }
    s.calib_unit_len = work.calib_unit_len;
    if (window.length_dialog) window.length_dialog->set_last_length(work.length_text);
}

// Where the advance after the last mark left the clip.
std::int32_t frame_after_marks(const WorkFile& work, const MarkingWindow& window,
                               std::int32_t clip_length) {
    if (work.marks.empty() || work.marks.back().frame == kUnknownWorkFrame) return 0;
    const std::int64_t after =
        static_cast<std::int64_t>(work.marks.back().frame) + std::max<int>(window.step_frames, 0);
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(after, 0, clip_length - 1));
}

// The canvas, the rulers and the coordinate boxes as the marks left them.
void show_marks(MarkingWindow& window) {
    const AnalysisState& s = state();
    Canvas canvas(window);
    window.Picture3->cls();
    window.refresh_canvas(1, s.mark_count);
    window.Picture2->cls();
    window.draw_rulers();
    window.Picture2->set_draw_mode(PictureBox::kXorPen);
    for (std::size_t k = 1; k <= static_cast<std::size_t>(s.mark_count); ++k)
        canvas.draw_ruler_markers(window.mark_cx[k], window.mark_cy[k], pal::kBrightWhite,
                                  pal::kLightYellow);
    const auto n = static_cast<std::size_t>(s.mark_count);
    window.Text1->setText(n ? format_number(s.pos_x[n], "##0.00") : QString());
    window.Text2->setText(n ? format_number(s.pos_y[n], "##0.00") : QString());
    window.Label13->clear();
}
}  // namespace

void restore_work(const WorkFile& work, MarkingWindow& window, std::int32_t clip_length) {
    window.Text3->setText(work.step_frames_text);
    window.Text4->setText(work.step_wait_text);
    const std::optional<std::int16_t> frames = parse_int16(work.step_frames_text);
    window.step_frames = frames && *frames >= 0 ? *frames : 0;
    window.choose_frame_interval(window_choice(work.frame_interval), work.capture_rate_text);
    restore_calibration(work, window);
    window.x_from_left = work.x_from_left;
    window.y_from_top = work.y_from_top;
    restore_marks(work, window);
    // The marks were made on the played clip: 再生 gives the buttons and the marking as then.
    window.Command1->click();
    send_video("seek avfile to " + signed_blank(frame_after_marks(work, window, clip_length)));
    show_marks(window);
}
