#pragma once
#include <QString>

class FrameTiming;
class VideoWindow;

// Opening and closing a clip from the main window's file menu, and opening the clip named at
// start.
class ClipFiles {
  public:
    ClipFiles(VideoWindow& window, FrameTiming& timing) : window_(window), timing_(timing) {}

    void mnuopen_Click();
    void mnuclose_Click();
    // Opens the clip at `path` by the same steps and with the same messages as the file menu,
    // as if the file dialog had returned it.
    void open_clip(const QString& path);

  private:
    // The two halves of opening a clip, around the file dialog.
    void clear_for_open();
    void open_chosen_clip(const QString& path);

    VideoWindow& window_;
    FrameTiming& timing_;
};
