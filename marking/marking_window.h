#pragma once
#include <cstdint>

#include "state/analysis_state.h"
#include "state/flag.h"
#include "video/video_window.h"

class LengthDialog;

// What the canvas, marking, calibration, axis and erasing collaborators see of the main
// window: what the transport sees, and the canvas size, the marks' canvas positions, the axis
// directions and the length dialog. The main window implements it.
class MarkingWindow : public VideoWindow {
  public:
    // Private state of the window, open to the tests.
    std::int16_t canvas_w = 0;
    std::int16_t canvas_h = 0;
    Array101<float> mark_cx{};
    Array101<float> mark_cy{};
    Flag x_from_left;
    Flag y_from_top;

    // The length-setting dialog, set by the program's edition; the earlier edition has none.
    LengthDialog* length_dialog = nullptr;

    // A mark at (x, y) on the picture the canvas shows, as the marking click makes it (the
    // record, the paced advance, the next frame on the canvas); whether it was recorded.
    virtual bool mark_at(float x, float y) = 0;

  protected:
    MarkingWindow() = default;
    ~MarkingWindow() = default;
};
