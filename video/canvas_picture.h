#pragma once

class VideoWindow;

// Has the video service paint its current frame into the canvas ("update avfile hdc") and
// keeps the frame number it answers as the frame the canvas shows.
void paint_current_frame(VideoWindow& window);
