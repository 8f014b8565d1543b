#include "marking/tracking_assistant.h"

#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolTip>
#include <cmath>
#include <sstream>

#include "marking/full_frame.h"
#include "marking/marking_window.h"
#include "platform/picture_box.h"
#include "platform/twips_control.h"
#include "platform/waiting_presses.h"
#include "videodevice/video_device.h"

namespace {

const QString kCaption = QStringLiteral("自動追跡");
const QString kStopCaption = QStringLiteral("停止");

// Why it stopped, or could not start.
const QString kStopped = QStringLiteral("自動追跡：停止しました");
const QString kLeaving = QStringLiteral("自動追跡：このまま進むと画面の外に出るので止めました");
const QString kClipEnd =
    QStringLiteral("自動追跡：ビデオの終わりなので止めました（コマが進みません）");
const QString kFull = QStringLiteral("自動追跡：マークが 100 個になったので止めました");
const QString kFlat = QStringLiteral("自動追跡：マークの周りに模様がないので追えません");
const QString kMarksChanged = QStringLiteral("自動追跡：マークが変わったので止めました");
const QString kCalibrating = QStringLiteral("自動追跡：長さの設定中は使えません");
const QString kNoFrames = QStringLiteral("自動追跡：ビデオからコマを取り出せないので使えません");
const QString kUnknownFrame = QStringLiteral(
    "自動追跡：マークを付けたコマが分からないので使えません（画像転送→を押してから"
    "マークしてください）");
const QString kRefused = QStringLiteral("自動追跡：マークを記録できなかったので止めました");

// Scores show cut to two decimals, so that one under the threshold never shows as it.
QString score_text(double score) { return QString::number(std::floor(score * 100) / 100, 'f', 2); }

QString unsure(double score) {
    return QStringLiteral("自動追跡：位置が確かでないので止めました（一致度 %1）")
        .arg(score_text(score));
}

// How near a mark the pointer must be for the mark's tooltip, in canvas pixels.
constexpr double kNear = 4;

}  // namespace

TrackingAssistant::TrackingAssistant(MarkingWindow& window)
    : QObject(window.Picture3->parentWidget()), window_(window) {
    // Right of 送りコマ数, above the ruler strip, in a line with the axis buttons.
    Cmd_jidoutsuiseki = make_twips_control<QPushButton>(window.Picture3->parentWidget(),
                                                        "Cmd_自動追跡", 10200, 0, 1335, 495);
    Cmd_jidoutsuiseki->setText(kCaption);
    Cmd_jidoutsuiseki->show();
    connect(Cmd_jidoutsuiseki, &QPushButton::clicked, this, [this] { Cmd_jidoutsuiseki_Click(); });
    // A step when everything that waited meanwhile (input, repaints) has been handled.
    step_timer_.setSingleShot(true);
    step_timer_.setInterval(0);
    connect(&step_timer_, &QTimer::timeout, this, [this] { step(); });
    // What changes the marks or marking repaints the canvas, except 再生, which turns marking
    // on; the position timer catches anything else within a tick.
    window.Picture3->installEventFilter(this);
    connect(window.Command1, &QPushButton::clicked, this, [this] { refresh(); });
    connect(window.Timer1, &QTimer::timeout, this, [this] { refresh(); });
    refresh();
}

TrackingAssistant::~TrackingAssistant() = default;

void TrackingAssistant::Cmd_jidoutsuiseki_Click() {
    if (running_) {
        finish(kStopped);
        return;
    }
    start();
}

std::optional<double> TrackingAssistant::score_of(int n) const {
    const AnalysisState& s = state();
    if (n < 1 || n > s.mark_count) return std::nullopt;
    const auto k = static_cast<std::size_t>(n);
    const std::optional<Made>& made = made_[k];
    // The same mark, not one clicked in its place after an erase.
    if (!made || made->x != window_.mark_cx[k] || made->y != window_.mark_cy[k] ||
        made->frame != s.mark_frame[k])
        return std::nullopt;
    return made->score;
}

void TrackingAssistant::start() {
    const AnalysisState& s = state();
    if (s.mark_count < 1 || !window_.marking_enabled) return;
    if (s.calib_mode) {
        say(kCalibrating);
        return;
    }
    if (!learn_frame_size()) {
        say(kNoFrames);
        return;
    }
    const std::vector<TrackedMark> marks = tracked_marks();
    if (marks.empty() || !window_.canvas_frame) {
        say(kUnknownFrame);
        return;
    }
    // A mark's advance stops the clip; so does the assistant before it looks at frames.
    ask_video("stop avfile");
    const std::optional<cv::Mat> picture = picture_of(marks.back().frame);
    if (!picture) {
        say(kNoFrames);
        return;
    }
    const TrackOutcome outcome = tracker_.start(*picture, marks);
    if (outcome != TrackOutcome::found) {
        say(outcome == TrackOutcome::flat ? kFlat : kLeaving);
        return;
    }
    running_ = true;
    expected_count_ = s.mark_count;
    expected_frame_ = marks.back().frame;
    Cmd_jidoutsuiseki->setText(kStopCaption);
    keep_waiting_presses(Cmd_jidoutsuiseki, true);
    window_.Label13->clear();
    step_timer_.start();
}

void TrackingAssistant::step() {
    if (!running_) return;
    const AnalysisState& s = state();
    const int n = s.mark_count;
    if (n != expected_count_ || s.mark_frame[static_cast<std::size_t>(n)] != expected_frame_ ||
        !window_.marking_enabled || s.calib_mode) {
        finish(kMarksChanged);
        return;
    }
    if (n >= kMaxIndex) {
        finish(kFull);
        return;
    }
    const std::optional<std::int32_t> frame = window_.canvas_frame;
    if (!frame) {
        finish(kNoFrames);
        return;
    }
    if (*frame <= expected_frame_) {
        finish(kClipEnd);
        return;
    }
    const std::optional<cv::Mat> picture = picture_of(*frame);
    if (!picture) {
        finish(kNoFrames);
        return;
    }
    const TrackVerdict v = tracker_.next(*picture, *frame);
    if (v.outcome != TrackOutcome::found) {
        finish(v.outcome == TrackOutcome::unsure ? unsure(v.score)
               : v.outcome == TrackOutcome::flat ? kFlat
                                                 : kLeaving);
        return;
    }
    const cv::Point2d at = on_canvas_.to_canvas(v.position);
    const QSize area = window_.Picture3->area_size();
    if (at.x < 0 || at.y < 0 || at.x >= area.width() || at.y >= area.height()) {
        finish(kLeaving);
        return;
    }
    const auto x = static_cast<float>(at.x), y = static_cast<float>(at.y);
    if (!window_.mark_at(x, y)) {
        // The click's own reason, when it gave one in the line, stays.
        finish(window_.Label13->text().isEmpty() ? kRefused : window_.Label13->text());
        return;
    }
    const auto k = static_cast<std::size_t>(s.mark_count);
    made_[k] = Made{x, y, *frame, v.score};
    expected_count_ = s.mark_count;
    expected_frame_ = s.mark_frame[k];
    // 停止 pressed during the paced steps: the mark in hand is made, no further one.
    if (!running_) return;
    say(QStringLiteral("自動追跡 %1点目 (%2, %3) 一致度 %4")
            .arg(s.mark_count)
            .arg(window_.Text1->text(), window_.Text2->text(), score_text(v.score)));
    // Shown now: the next mark's paced steps keep the window from repainting.
    window_.Label13->repaint();
    step_timer_.start();
}

void TrackingAssistant::finish(const QString& reason) {
    running_ = false;
    step_timer_.stop();
    Cmd_jidoutsuiseki->setText(kCaption);
    keep_waiting_presses(Cmd_jidoutsuiseki, false);
    say(reason);
    refresh();
}

void TrackingAssistant::refresh() {
    const AnalysisState& s = state();
    for (int k = s.mark_count + 1; k <= kMaxIndex; ++k) made_[static_cast<std::size_t>(k)].reset();
    Cmd_jidoutsuiseki->setEnabled(running_ || (s.mark_count >= 1 && window_.marking_enabled));
}

void TrackingAssistant::say(const QString& text) { window_.Label13->setText(text); }

bool TrackingAssistant::learn_frame_size() {
    const std::optional<std::string> reply = ask_video("where avfile source");
    if (!reply) return false;
    std::istringstream words(*reply);
    int x = 0, y = 0, w = 0, h = 0;
    if (!(words >> x >> y >> w >> h) || w <= 0 || h <= 0) return false;
    on_canvas_ =
        FrameOnCanvas(w, h, window_.Picture1->outer_width(), window_.Picture1->outer_height());
    if (!surface_ || surface_->size() != QSize(w, h))
        surface_ = std::make_unique<FullFrame>(QSize(w, h));
    return true;
}

std::optional<cv::Mat> TrackingAssistant::picture_of(std::int32_t frame) {
    const std::optional<std::string> position = ask_video("status avfile position");
    const std::optional<std::int32_t> at = position ? reply_to_frame(*position) : std::nullopt;
    if (!at) return std::nullopt;
    const bool away = *at != frame;
    if (away && !ask_video("seek avfile to " + signed_blank(frame))) return std::nullopt;
    const std::optional<std::string> painted =
        ask_video("update avfile hdc " + plain_number(surface_->handle()) + " full");
    if (away) ask_video("seek avfile to " + signed_blank(*at));
    if (!painted || reply_to_frame(*painted) != frame) return std::nullopt;
    return surface_->pixels();
}

std::vector<TrackedMark> TrackingAssistant::tracked_marks() const {
    const AnalysisState& s = state();
    std::vector<TrackedMark> marks;
    for (int n = s.mark_count; n >= 1 && marks.size() < 3; --n) {
        const auto k = static_cast<std::size_t>(n);
        if (s.mark_frame[k] == kNoFrame) break;
        marks.insert(
            marks.begin(),
            {s.mark_frame[k], on_canvas_.to_frame({window_.mark_cx[k], window_.mark_cy[k]})});
    }
    return marks;
}

bool TrackingAssistant::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint) refresh();
    if (event->type() != QEvent::ToolTip) return false;
    const auto* help = static_cast<QHelpEvent*>(event);
    const QPointF at = help->pos() - QPointF(PictureBox::kBorder, PictureBox::kBorder);
    for (int n = state().mark_count; n >= 1; --n) {
        const auto k = static_cast<std::size_t>(n);
        const std::optional<double> score = score_of(n);
        if (!score || std::hypot(window_.mark_cx[k] - at.x(), window_.mark_cy[k] - at.y()) > kNear)
            continue;
        QToolTip::showText(
            help->globalPos(),
            QStringLiteral("%1点目　一致度 %2（自動追跡）").arg(n).arg(score_text(*score)),
            static_cast<QWidget*>(watched));
        return true;
    }
    return false;
}
