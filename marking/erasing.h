#pragma once

class Canvas;
class MarkingWindow;
class Transport;

// Erasing the last mark (stepping the clip back to its frame) and erasing all marks.
class Erasing {
  public:
    Erasing(MarkingWindow& window, Canvas& canvas, Transport& transport)
        : window_(window), canvas_(canvas), transport_(transport) {}

    void Cmd_Reset_Click();
    void Command6_Click();

  private:
    // The earlier edition's erase: the clip is not moved, and the erased mark's frames count
    // again for the next mark.
    void manual_erase_last();

    MarkingWindow& window_;
    Canvas& canvas_;
    Transport& transport_;
};
