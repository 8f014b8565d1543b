#include "video/canvas_picture.h"

#include <string>

#include "platform/picture_box.h"
#include "video/video_window.h"
#include "videodevice/video_device.h"

void paint_current_frame(VideoWindow& window) {
    std::string reply;
    const bool painted =
        video_command("update avfile hdc " + plain_number(window.Picture3->hDC()), reply) == 0;
    window.canvas_frame = painted ? reply_to_frame(reply) : std::nullopt;
}
