#pragma once
#include <string>

class VideoWindow;

// Play, pause, frame steps with their paced wait, rewind, the position bar and its timer, and
// the canvas picture they bring.
class Transport {
  public:
    explicit Transport(VideoWindow& window) : window_(window) {}

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Cmd_makimodoshi_Click();
    void HScroll1_Scroll();
    void Timer1_Timer();

    // Sends one step command inside the paced wait on the tick counter.
    void wait_for_tick_change(const std::string& command);
    // Sends `command` `count` times, each inside the paced wait.
    void step_times(int count, const std::string& command);
    // Reads Text4 as the step wait; unless quiet, says why when it cannot pace steps.
    bool read_step_wait(bool quiet = false);
    // Reads Text3 as the frames per step; says why and returns false when it is unusable.
    bool read_step_frames();
    // After the paced steps that move the clip on after a mark or back when one is erased:
    // mouse presses made meanwhile were aimed at a picture no longer shown, so they are dropped
    // instead of being delivered late (the position timer does not tick while they are).
    void drop_presses_made_while_stepping();

  private:
    // The earlier edition's frame step: one frame, at once, counted for the next mark; the
    // canvas is not touched (the user copies the frame with the transfer button).
    void manual_step(const std::string& command, int frames);

    VideoWindow& window_;
};
