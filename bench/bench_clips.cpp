#include "bench/bench_clips.h"

#include <QPainter>
#include <chrono>
#include <filesystem>

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

std::string write_once(BenchClip& clip, const std::string& folder, const PictureSource& picture) {
    const ClipFormat& f = clip.format;
    std::filesystem::create_directories(folder);
    clip.path =
        folder + "/" + f.encoder + "_" + std::to_string(f.width) + "x" + std::to_string(f.height) +
        "_" + std::to_string(f.frames) +
        (f.rate_num == 30 && f.rate_den == 1 ? "" : "_" + std::to_string(f.rate_num) + "fps") +
        ".avi";
    if (std::filesystem::exists(clip.path)) return "";
    const std::string partial = clip.path + ".part";
    std::string error = write_clip(partial, f, picture);
    if (error.empty()) std::filesystem::rename(partial, clip.path);
    return error;
}

}  // namespace

std::string make_bench_clip(BenchClip& clip, const std::string& folder) {
    return write_once(clip, folder,
                      [&](int k) { return scene(k, clip.format.width, clip.format.height); });
}

std::string make_two_hour_clip(BenchClip& clip, const std::string& folder) {
    clip.label = "MPEG-4 1920x1080, two hours";
    clip.format.encoder = "mpeg4";
    clip.format.width = 1920;
    clip.format.height = 1080;
    clip.format.frames = 2 * 3600 * 30;
    clip.format.gop = 300;
    clip.format.distinct_frames = clip.format.gop;
    clip.format.quality = 20;
    return write_once(clip, folder, [](int k) { return numbered_frame(k, 1920, 1080); });
}

double now_ms() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}
