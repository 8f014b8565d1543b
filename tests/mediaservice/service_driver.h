#pragma once
#include <memory>
#include <string>

#include "mediaservice/ffmpeg_media_service.h"
#include "platform/picture_box.h"

// Drives one service under the alias "v", with a canvas to paint into.
struct ServiceDriver {
    ServiceDriver();
    ~ServiceDriver();

    int send(const std::string& command, std::string* reply = nullptr);
    // Sends a command that must succeed.
    void must(const std::string& command);
    int position();
    int length();
    // The numbers carried by the frame the service holds and by the one it paints (read where
    // the picture shows on the canvas, inside its black bars).
    int held_number();
    int painted_number();
    // Where the picture shows on the canvas's drawing area, as fit_picture places it.
    QRect picture_on_canvas();
    // Plays until the position has moved on by at least `frames` (or the clip ended), then pauses.
    void play_for(int frames);

    FfmpegMediaService service;
    std::unique_ptr<PictureBox> canvas;
};
