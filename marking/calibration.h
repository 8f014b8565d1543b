#pragma once

class Canvas;
class MarkingWindow;

// Length calibration: two clicks of known distance on the canvas, and the length dialog.
class Calibration {
  public:
    Calibration(MarkingWindow& window, Canvas& canvas) : window_(window), canvas_(canvas) {}

    void Cmd_Length2_Click();
    void calibration_click(float x, float y);
    // Back to the ruler's own unit, out of calibration, with an empty length box.
    void reset_calibration();

  private:
    MarkingWindow& window_;
    Canvas& canvas_;
};
