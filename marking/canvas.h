#pragma once
#include <cstdint>

class MarkingWindow;
class PictureBox;

// The marking canvas and the ruler strip beside it.
class Canvas {
  public:
    explicit Canvas(MarkingWindow& window) : window_(window) {}

    // The current frame on the canvas with the marks `first` to `last` on it.
    void refresh_canvas(std::int16_t first, std::int16_t last);
    void draw_rulers();
    // The two markers of a mark on the rulers, in the strip's current pen mode: a disc under
    // the canvas at the mark's x and one right of it at the mark's y (palette colours).
    void draw_ruler_markers(float cx, float cy, int bottom_colour, int right_colour);
    // A disc of radius 3 filled and outlined in one palette colour.
    static void disc(PictureBox* box, double x, double y, int colour);

  private:
    MarkingWindow& window_;
};
