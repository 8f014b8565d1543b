#include "bench/bench_clips.h"

#include <QPainter>
#include <chrono>
#include <filesystem>

#include "tools/clip_display.h"
#include "tools/frame_pattern.h"

namespace {

// A picture with texture and motion, so that codecs work as hard as on a real clip, with
// the frame number in its top rows.
QImage scene(int frame, int width, int height) {
    QImage picture = numbered_frame(frame, width, height);
    QPainter p(&picture);
    const QRect below(0, height / 4, width, height - height / 4);
    QLinearGradient gradient(below.topLeft(), below.bottomRight());
    gradient.setColorAt(0, QColor(30, 90, 160));
    gradient.setColorAt(1, QColor(200, 170, 60));
    p.fillRect(below, gradient);
    p.setPen(Qt::NoPen);
    for (int k = 0; k < 12; ++k) {
        const int x = (k * 97 + frame * (3 + k)) % width;
        const int y = below.top() + (k * 53 + frame * (k % 4)) % below.height();
        p.setBrush(QColor::fromHsv((k * 30 + frame) % 360, 200, 230));
        p.drawEllipse(QPoint(x, y), width / 20 + k, width / 20 + k);
    }
    return picture;
}

}  // namespace

namespace {

// The clip's file: what makes it differ from the others, so that a folder holds them all.
std::string file_name(const ClipFormat& f) {
    std::string name = f.encoder + "_" + std::to_string(f.width) + "x" + std::to_string(f.height) +
                       "_" + std::to_string(f.frames) + "_k" + std::to_string(f.gop);
    if (f.rate_num != 30 || f.rate_den != 1) name += "_" + std::to_string(f.rate_num) + "fps";
    if (!f.pixel_format.empty()) name += "_" + f.pixel_format;
    if (f.rotation != 0) name += "_turned" + std::to_string(f.rotation);
    if (!f.audio_encoder.empty()) name += "_" + f.audio_encoder;
    return name + "." + f.container;
}

std::string write_once(BenchClip& clip, const std::string& folder, const PictureSource& picture) {
    std::filesystem::create_directories(folder);
    clip.path = folder + "/" + file_name(clip.format);
    if (std::filesystem::exists(clip.path)) return "";
    const std::string partial = clip.path + ".part";
    std::string error = write_clip(partial, clip.format, picture);
    if (error.empty()) std::filesystem::rename(partial, clip.path);
    return error;
}

}  // namespace

std::string make_bench_clip(BenchClip& clip, const std::string& folder) {
    const QSize shown = displayed_size(clip.format);
    return write_once(clip, folder, [&](int k) { return scene(k, shown.width(), shown.height()); });
}

std::string make_unturned_twin(const BenchClip& turned, BenchClip& twin,
                               const std::string& folder) {
    twin.label = turned.label + ", unturned";
    twin.format = turned.format;
    twin.format.rotation = 0;
    const QSize shown = displayed_size(turned.format);
    const ClipFormat& f = turned.format;
    return write_once(twin, folder, [&](int k) {
        return stored_picture(scene(k, shown.width(), shown.height()), f);
    });
}

std::vector<BenchClip> two_hour_clips() {
    // A keyframe every 10 s, the first group repeated to the end.
    BenchClip mpeg4;
    mpeg4.label = "MPEG-4 1920x1080 AVI, two hours";
    mpeg4.format.encoder = "mpeg4";
    mpeg4.format.quality = 20;
    BenchClip h264;
    h264.label = "H.264 1920x1080 MP4, two hours";
    h264.format.container = "mp4";
    h264.format.encoder = "libx264";
    std::vector<BenchClip> all;
    for (BenchClip* clip : {&mpeg4, &h264}) {
        clip->format.width = 1920;
        clip->format.height = 1080;
        clip->format.frames = 2 * 3600 * 30;
        clip->format.gop = 300;
        clip->format.distinct_frames = clip->format.gop;
        if (have_encoder(clip->format.encoder)) all.push_back(*clip);
    }
    return all;
}

std::string make_two_hour_clip(BenchClip& clip, const std::string& folder) {
    return write_once(clip, folder, [](int k) { return numbered_frame(k, 1920, 1080); });
}

double now_ms() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}
