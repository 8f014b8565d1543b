#pragma once
#include <cstdint>
#include <optional>

class Canvas;
class MarkingWindow;
class Transport;

// Erasing the last mark (the clip goes back to the frame it was made on) and erasing all marks.
class Erasing {
  public:
    Erasing(MarkingWindow& window, Canvas& canvas, Transport& transport)
        : window_(window), canvas_(canvas), transport_(transport) {}

    void Cmd_Reset_Click();
    void Command6_Click();

  private:
    // How the clip gets back to the frame of mark n: by paced steps back, or by a seek.
    struct WayBack {
        std::int16_t steps = 0;
        std::optional<std::int32_t> seek_to;
    };
    // From where the clip stands to the frame mark n was made on, when the service tells both;
    // otherwise back by the frames per step of the last click, the advance after a mark.
    WayBack way_back_to(int n) const;

    // The earlier edition's erase: the clip is not moved, and the erased mark's frames count
    // again for the next mark.
    void manual_erase_last();

    MarkingWindow& window_;
    Canvas& canvas_;
    Transport& transport_;
};
