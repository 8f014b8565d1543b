#pragma once
#include <QObject>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <memory>
#include <optional>

#include "marking/frame_on_canvas.h"
#include "state/analysis_state.h"
#include "tracking/tracker.h"

class FullFrame;
class MarkingWindow;
class QPushButton;

// Kinvora's tracking assistant. Once the user has marked the object, 「自動追跡」 marks the
// steps that follow by itself, each exactly as a click at the found point would
// (MarkingWindow::mark_at: the record, the paced advance, the next frame on the canvas), one
// step per turn of the event loop, until the match is unsure, the object would leave the
// picture, the clip does not advance, the table is full, or the user presses the button again,
// captioned 「停止」 meanwhile (also during the paced steps). The notes line under the marking
// buttons (Label13) says each found point's score with its coordinates, and why it stopped.
// The scores are kept for the marks it made as long as those marks stay.
//
// It finds the object in the full-size frame that the canvas shows, which the video service
// paints into an off-screen surface; the canvas's positions map to that frame's pixels as the
// service places the frame on the canvas (FrameOnCanvas).
class TrackingAssistant : public QObject {
  public:
    // The button goes on the window beside the canvas's controls; the assistant lives as long
    // as the window.
    explicit TrackingAssistant(MarkingWindow& window);
    ~TrackingAssistant() override;

    QPushButton* Cmd_jidoutsuiseki = nullptr;  // objectName "Cmd_自動追跡"
    void Cmd_jidoutsuiseki_Click();

    bool running() const { return running_; }
    // The score of mark n when the assistant made it and it is still there; nothing for a mark
    // the user clicked.
    std::optional<double> score_of(int n) const;

  protected:
    // The canvas repaints whenever the marks change (a mark, an erase, open, close): the
    // button follows. A tooltip over a mark the assistant made tells its score.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void start();
    void step();
    // Stops, saying why.
    void finish(const QString& reason);
    // Enabled while running, or with a mark and marking on.
    void refresh();
    void say(const QString& text);
    // Where the frame lies on the canvas, and a surface of its size: false when the service
    // does not tell its size.
    bool learn_frame_size();
    // The full-size picture of `frame`, the clip left where it stood; nothing when the service
    // cannot paint it.
    std::optional<cv::Mat> picture_of(std::int32_t frame);
    // The latest marks (up to three) as the tracker sees them, of the frames the service told.
    std::vector<TrackedMark> tracked_marks() const;

    // A mark as the assistant made it.
    struct Made {
        float x = 0, y = 0;
        std::int32_t frame = kNoFrame;
        double score = 0;
    };

    MarkingWindow& window_;
    Tracker tracker_;
    FrameOnCanvas on_canvas_;
    std::unique_ptr<FullFrame> surface_;
    Array101<std::optional<Made>> made_{};
    QTimer step_timer_;
    bool running_ = false;
    // The last mark as the assistant left it: anything else means the marks changed meanwhile.
    int expected_count_ = 0;
    std::int32_t expected_frame_ = kNoFrame;
};
