#pragma once
#include <QString>

#include "video/video_window.h"

// The choice of the frame interval in 「１コマあたりの時間」: 1/30 s, 1/15 s, or the clip's own
// timing (its presentation times), with the capture rate of a slow-motion clip and the line
// that says which timing is in force. Opening a clip learns its timing from the video service
// and chooses the clip's own by itself where 1/30 s would give wrong times.
class FrameTiming {
  public:
    explicit FrameTiming(VideoWindow& window) : window_(window) {}

    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    // Text5 edited: the capture rate follows at once, and with it the clip's timing.
    void Text5_Change();

    // After the clip at `path` of `length` frames was opened.
    void clip_opened(const QString& path, int length);
    // No clip open (at start, after Close): back to 1/30 s when the clip's timing was in force,
    // and the clip's choice hidden.
    void no_clip();
    // After a clip was opened, the choice and the capture rate as a user leaves them: the rate
    // as if typed (unless the clip's tag put it there), then the choice clicked; the clip's
    // own timing is shown when chosen, as long as the clip tells it.
    void choose(VideoWindow::IntervalChoice choice, const QString& capture_rate);

  private:
    // 1/30 s or 1/15 s: times are frame counts times this interval.
    void use_fixed_interval(float frame_time, const char* label);
    // Back to 1/30 s, as at start, when the clip's timing was in force.
    void leave_clip_timing();
    // The third choice and its caption, shown or hidden.
    void offer_clip_timing(bool offered);
    // The capture rate, its caption and the note, shown or hidden.
    void offer_capture_rate(bool offered);
    // The caption of the third choice and the note, from the analysis state.
    void show_clip_timing();

    VideoWindow& window_;
};
