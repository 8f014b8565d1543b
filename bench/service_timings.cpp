#include "bench/service_timings.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "bench/bench_clips.h"
#include "bench/process_usage.h"
#include "mediaservice/clip_session.h"
#include "mediaservice/ffmpeg_media_service.h"
#include "platform/picture_box.h"

namespace {

std::string open_command(const std::string& path) { return "open \"" + path + "\" alias v"; }

struct Timed {
    FfmpegMediaService service;
    std::string reply;
    double run(const std::string& command) {
        const double t0 = now_ms();
        service.send(command, reply);
        return now_ms() - t0;
    }
    double cache_mb() {
        const ClipSession* clip = service.session("v");
        return clip ? clip->decoder().cache().bytes() / 1048576.0 : 0;
    }
};

// Opens the clip in a child window of a 320 x 240 picture box, as the program does, so that
// every frame put on show is also made at the window's size.
struct InWindow {
    PictureBox area;
    explicit InWindow(Timed& s, const std::string& path) {
        area.set_outer_size(320 + 2 * PictureBox::kBorder, 240 + 2 * PictureBox::kBorder);
        area.show();
        s.run(open_command(path) + " style child parent " + std::to_string(area.hWnd()));
        s.run("put v destination at 0 0  320  240");
    }
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// 100 steps forward: the median.
double median_of_steps(Timed& s) {
    std::vector<double> times;
    for (int k = 0; k < 100; ++k) times.push_back(s.run("step v"));
    return median(times);
}

}  // namespace

double measure_open(const std::string& path, int times) {
    Timed s;
    std::vector<double> opens;
    for (int k = 0; k < times; ++k) {
        opens.push_back(s.run(open_command(path)));
        s.run("close v");
    }
    return median(opens);
}

double measure_steps(const std::string& path) {
    Timed s;
    InWindow window(s, path);
    const double ms = median_of_steps(s);
    s.run("close v");
    return ms;
}

ServiceTimings measure_service(const std::string& path, const std::vector<int>& seek_targets,
                               int keyframe) {
    ServiceTimings t;
    t.open_ms = measure_open(path, 5);
    {
        // Without a window, the frame is made at the canvas's size by the update itself.
        Timed s;
        s.run(open_command(path));
        PictureBox canvas;
        canvas.set_outer_size(320, 240);
        s.run("put v destination at 0 0  320  240");
        const std::string update = "update v hdc " + std::to_string(canvas.hDC());
        std::vector<double> times;
        for (int k = 0; k < 100; ++k) {
            s.run("step v");
            times.push_back(s.run(update));
        }
        t.update_ms = median(times);
    }

    Timed s;
    InWindow window(s, path);
    t.step_ms = median_of_steps(s);

    // Steps back in a row from `start`: their total time; with KV_BENCH_TRACE set, each one's
    // time and the frames it decoded go to standard error.
    const ClipDecoder& decoder = s.service.session("v")->decoder();
    const bool trace = std::getenv("KV_BENCH_TRACE") != nullptr;
    const auto steps_back = [&](int start, int count) {
        s.run("seek v to " + std::to_string(start));
        double total = 0;
        for (int k = 1; k <= count; ++k) {
            const long decoded = decoder.frames_decoded();
            const double ms = s.run("step v reverse");
            total += ms;
            if (trace)
                std::fprintf(stderr, "back to %d: %ld frames decoded, %.3f ms\n", start - k,
                             decoder.frames_decoded() - decoded, ms);
        }
        t.cache_mb = std::max(t.cache_mb, s.cache_mb());
        return total;
    };
    double total = 0;
    for (int start : {150, 220, 290}) total += steps_back(start, 30);
    t.reverse_ms = total / 90;
    t.back100_ms = steps_back(290, 100) / 100;

    const int length = std::stoi(s.run("status v length") >= 0 ? s.reply : "1");
    s.run("close v");
    // The rest in a session of its own: the steps back above may have cached whole intervals.
    // Each seek comes after one to the far side of the clip, so that its frame is not cached.
    Timed fresh;
    InWindow fresh_window(fresh, path);
    const auto seek_from_far_side = [&](int frame) {
        fresh.run("seek v to " + std::to_string((frame + length / 2) % length));
        return fresh.run("seek v to " + std::to_string(frame));
    };
    seek_from_far_side(keyframe);
    t.back_over_key_ms = fresh.run("step v reverse");
    for (int target : seek_targets) t.seek_ms.push_back(seek_from_far_side(target));
    fresh.run("close v");
    return t;
}

PlayFigures measure_play(const std::string& path, int frames) {
    // As the program plays: in a child window of a 320 x 240 picture box, painted as it goes.
    Timed s;
    InWindow window(s, path);
    const ClipSession* clip = s.service.session("v");
    const long shown_before = clip->frames_shown();
    const double cpu_before = cpu_ms();
    s.run("play v");
    while (clip->position() < frames && clip->playing())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    s.run("pause v");
    const long shown = clip->frames_shown() - shown_before;
    PlayFigures figures;
    figures.shown = double(shown) / std::max(1, clip->position());
    figures.cpu_ms = (cpu_ms() - cpu_before) / std::max(1L, shown);
    s.run("close v");
    return figures;
}

std::vector<double> measure_cache_growth(const std::string& path, int steps) {
    Timed s;
    s.run(open_command(path));
    std::mt19937 random(7);
    std::vector<double> sizes;
    for (int k = 1; k <= steps; ++k) {
        const unsigned r = random() % 100;
        if (r == 0)
            s.run("seek v to " + std::to_string(random() % 300));
        else
            s.run(r % 2 ? "step v" : "step v reverse");
        if (k % 1000 == 0) sizes.push_back(s.cache_mb());
    }
    s.run("close v");
    return sizes;
}
