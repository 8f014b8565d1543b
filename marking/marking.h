#pragma once
#include <cstdint>

class Calibration;
class Canvas;
class MarkingWindow;
class Transport;

// Frame capture and the marking click: a mark is recorded on the frame the canvas shows and the
// clip advanced by the transport's paced steps; in calibration the click goes to the
// calibration instead.
class Marking {
  public:
    Marking(MarkingWindow& window, Canvas& canvas, Transport& transport, Calibration& calibration)
        : window_(window), canvas_(canvas), transport_(transport), calibration_(calibration) {}

    void Cmd_trans_Click();
    void Picture3_MouseDown(int button, int shift, float x, float y);
    void advance_after_mark();

    // A mark at (x, y) on the picture the canvas shows, as a marking click makes it: refused,
    // saying why, when 送りコマ数 is no usable count, the table is full, the step time cannot
    // pace the advance, or the picture is of a frame before the last mark's; else recorded,
    // then the clip advanced by 送りコマ数. Whether a mark was recorded. (Kinvora's marking;
    // the earlier edition counts its frames by hand.)
    bool mark_at(float x, float y);

  private:
    // The earlier edition's mark: the frames since the last mark are the ones the user
    // stepped by hand, positions stay in ruler units, and the clip is never moved.
    void manual_mark(float x, float y);
    // Records a mark at (x, y): its disc on the canvas and markers on the rulers, its canvas
    // position, its position in ruler units and, times `scale`, in metres, the frames since the
    // mark before, the frame it was made on with that frame's presentation time, and the two
    // coordinate texts.
    void record_mark(float x, float y, float scale, std::int16_t frames, std::int32_t frame);
    // Says so and returns true when the MarkTable has no room for another mark.
    bool table_is_full();

    MarkingWindow& window_;
    Canvas& canvas_;
    Transport& transport_;
    Calibration& calibration_;
};
