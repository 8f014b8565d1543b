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

std::string make_bench_clip(BenchClip& clip, const std::string& folder) {
    std::filesystem::create_directories(folder);
    clip.path = folder + "/" + clip.format.encoder + "_" + std::to_string(clip.format.width) + "x" +
                std::to_string(clip.format.height) + "_" + std::to_string(clip.format.frames) + ".avi";
    if (std::filesystem::exists(clip.path)) return "";
    const std::string partial = clip.path + ".part";
    std::string error = write_clip(
        partial, clip.format, [&](int k) { return scene(k, clip.format.width, clip.format.height); });
    if (error.empty()) std::filesystem::rename(partial, clip.path);
    return error;
}

double now_ms() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}
