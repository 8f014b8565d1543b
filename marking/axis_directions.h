#pragma once

class Canvas;
class MarkingWindow;

// Flipping the direction of an axis: every mark's position on that axis is measured anew
// from its canvas position.
class AxisDirections {
  public:
    AxisDirections(MarkingWindow& window, Canvas& canvas) : window_(window), canvas_(canvas) {}

    void Cmd_Xchange_Click();
    void Cmd_Ychange_Click();

  private:
    MarkingWindow& window_;
    Canvas& canvas_;
};
