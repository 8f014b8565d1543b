#pragma once
#include <QImage>
#include <functional>
#include <set>
#include <string>

// What write_clip makes: an AVI with one video stream.
struct ClipFormat {
    std::string encoder = "mjpeg";  // an FFmpeg encoder name: mjpeg, rawvideo, mpeg4, libx264...
    int width = 320;
    int height = 240;
    int rate_num = 30;  // frame rate as a fraction
    int rate_den = 1;
    int frames = 30;
    int b_frames = 0;       // for encoders that have them
    int gop = 12;           // keyframe interval
    int quality = 4;        // fixed quantiser for the encoders that take one
    bool open_gop = false;  // libx264: keyframes that later B-frames still refer across
    // Raw RGB stored bottom-up, as most capture programs write it.
    bool bottom_up_raw = false;
    // Only this many pictures are encoded; the rest repeat the packets from the last keyframe on
    // over and over (encoders without B-frames), which makes very long clips cheap.
    int distinct_frames = 0;  // 0: all
    // Frames left out, as a capture program drops them: the file keeps an empty chunk in their
    // place, which players show as the frame before.
    std::set<int> dropped;
};

using PictureSource = std::function<QImage(int frame)>;

// Writes the clip, frame k showing picture(k) (scaled to the clip's size if needed).
// Returns an empty text on success, otherwise what went wrong.
std::string write_clip(const std::string& path, const ClipFormat& clip_format,
                       const PictureSource& picture);

// Whether this FFmpeg build has the encoder.
bool have_encoder(const std::string& name);
