// The earlier edition's frame steps: one frame, at once, counted for the next mark; the
// canvas is not touched (the user copies the frame with the transfer button).
#include <algorithm>

#include "mainwindow/form1.h"
#include "videodevice/video_device.h"

void Form1::manual_step(const std::string& command, int frames) {
    send_video(command);
    // The count stays within 16 bits however often the user steps.
    frames_since_mark = static_cast<std::int16_t>(std::clamp(frames_since_mark + frames, -32768, 32767));
}
