#pragma once
#include <QImage>
#include <QSize>
#include <functional>
#include <set>
#include <string>
#include <vector>

// What write_clip makes: one video stream in a container, as cameras and phones write them,
// with an optional sound track beside it.
struct ClipFormat {
    // avi, mp4, mov, m4v, mkv or webm. The rotation, the edit list and the capture rate need
    // one of mp4, mov, m4v; variable frame rates need anything but avi.
    std::string container = "avi";
    // An FFmpeg encoder name: mjpeg, rawvideo, mpeg4, libx264, libx265, libvpx-vp9,
    // libaom-av1, libsvtav1...
    std::string encoder = "mjpeg";
    // An FFmpeg pixel format name ("yuv420p10le" for 10-bit HEVC); empty: the encoder's first.
    std::string pixel_format;
    int width = 320;  // the picture as stored, before rotation and sample aspect ratio
    int height = 240;
    int rate_num = 30;  // frame rate as a fraction
    int rate_den = 1;
    int frames = 30;        // frames shown (those an edit list hides come on top)
    int b_frames = 0;       // for encoders that have them; libvpx-vp9: alternate reference frames
    int gop = 12;           // keyframe interval
    int quality = 4;        // fixed quantiser for FFmpeg's own encoders (mjpeg, mpeg4...)
    bool open_gop = false;  // libx264, libx265: keyframes that later B-frames still refer across
    // Raw RGB stored bottom-up, as most capture programs write it.
    bool bottom_up_raw = false;
    // Only this many pictures are encoded; the rest repeat the packets from the last keyframe on
    // over and over (encoders without B-frames), which makes very long clips cheap.
    int distinct_frames = 0;  // 0: all
    // Frames left out, as a capture program drops them: the file keeps an empty chunk in their
    // place, which players show as the frame before.
    std::set<int> dropped;

    // Degrees clockwise a player turns the stored picture to show it (0, 90, 180, 270), and
    // whether it then flips it left to right. Written as a phone writes it: the picture stored
    // sideways, the turn in the display matrix of the track header.
    int rotation = 0;
    bool mirrored = false;
    // Shape of a stored pixel, width to height (a 1440 x 1080 picture at 4:3 shows 1920 x 1080).
    int sar_num = 1;
    int sar_den = 1;
    // Frames encoded before the first frame shown and hidden by an edit list, as a trim on a
    // phone or a copy of the stream from a later point writes it. They are encoded from
    // picture(-hidden_frames) to picture(-1), so the frames shown are picture(0) on.
    int hidden_frames = 0;
    // Variable frame rate: frame k lasts durations[k % size] ticks of 1 / timescale seconds.
    // Empty: every frame lasts rate_den / rate_num seconds.
    std::vector<int> durations;
    int timescale = 90000;
    // The rate the camera recorded at, as Android tags a slow-motion clip
    // (com.android.capture.fps, a text in the movie's metadata keys); 0: no tag.
    double capture_fps = 0;
    // An encoder for a sound track of a 440 Hz tone (aac, libopus, pcm_s16le...); empty: none.
    std::string audio_encoder;
};

// The picture a player shows of a frame of this format: rotation and sample aspect ratio applied.
QSize displayed_size(const ClipFormat& clip_format);

using PictureSource = std::function<QImage(int frame)>;

// Writes the clip, frame k showing picture(k) upright (scaled to the displayed size if needed;
// turned and squeezed into the stored picture by the writer).
// Returns an empty text on success, otherwise what went wrong.
std::string write_clip(const std::string& path, const ClipFormat& clip_format,
                       const PictureSource& picture);

// Whether this FFmpeg build has the encoder.
bool have_encoder(const std::string& name);

// The AV1 encoder this FFmpeg build has (libsvtav1 or libaom-av1), or an empty text.
std::string av1_encoder();
