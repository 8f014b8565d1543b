// The video service's benchmark: every figure is printed as a ratio to what plain FFmpeg takes
// for the same work on the same clip in the same run.
#include <QApplication>
#include <cstdio>
#include <cstring>
#include <numeric>
#include <random>

#include "bench/bench_clips.h"
#include "bench/ffmpeg_floor.h"
#include "bench/service_timings.h"
#include "platform/app_setup.h"
#include "tools/clip_writer.h"

extern "C" {
#include <libavutil/log.h>
}

namespace {

std::vector<BenchClip> clips(bool quick) {
    std::vector<BenchClip> all;
    const struct {
        const char* label;
        const char* encoder;
        int b_frames;
        int gop;
    } codecs[] = {
        {"MJPEG", "mjpeg", 0, 1}, {"MPEG-4 B", "mpeg4", 2, 12}, {"H.264 B", "libx264", 3, 250}};
    const QSize sizes[] = {{320, 240}, {1280, 720}, {1920, 1080}};
    for (const auto& c : codecs) {
        if (!have_encoder(c.encoder)) continue;
        for (const QSize& size : sizes) {
            if (quick && size.width() > 320) continue;
            BenchClip clip;
            clip.label = std::string(c.label) + " " + std::to_string(size.width()) + "x" +
                         std::to_string(size.height());
            clip.format.encoder = c.encoder;
            clip.format.width = size.width();
            clip.format.height = size.height();
            clip.format.frames = 300;
            clip.format.b_frames = c.b_frames;
            clip.format.gop = c.gop;
            all.push_back(clip);
        }
    }
    return all;
}

double mean(const std::vector<double>& v) {
    return v.empty() ? 0 : std::accumulate(v.begin(), v.end(), 0.0) / v.size();
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    prepare_application_environment();
    QApplication app(argc, argv);
    av_log_set_level(AV_LOG_FATAL);
    std::string folder = "/tmp/kinvora-bench-clips";
    bool quick = false;
    int cache_steps = 10000;
    std::string only;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--quick")) quick = true, cache_steps = 1000;
        if (!std::strcmp(argv[i], "--clips") && i + 1 < argc) folder = argv[++i];
        if (!std::strcmp(argv[i], "--only") && i + 1 < argc) only = argv[++i], cache_steps = 0;
    }
    std::printf(
        "| clip | floor ms | step | reverse x30 | seek | update ms | open ms | cache MB |\n");
    std::printf("|---|---|---|---|---|---|---|---|\n");
    std::string h264_1080, any_720;
    for (BenchClip& clip : clips(quick)) {
        if (!only.empty() && clip.label.find(only) == std::string::npos) continue;
        const std::string error = make_bench_clip(clip, folder);
        if (!error.empty()) {
            std::printf("| %s | cannot write: %s |\n", clip.label.c_str(), error.c_str());
            continue;
        }
        std::mt19937 random(42);
        std::vector<int> targets;
        for (int k = 0; k < 20; ++k) targets.push_back(1 + random() % 298);
        const Floor floor = measure_floor(clip.path, targets);
        const ServiceTimings t = measure_service(clip.path, targets);
        std::vector<double> seek_ratio;
        for (size_t k = 0; k < targets.size(); ++k)
            seek_ratio.push_back(t.seek_ms[k] / std::max(1e-3, floor.from_keyframe_ms[k]));
        std::printf("| %s | %.2f | %.2f | %.2f | %.2f | %.3f | %.1f | %.0f |\n", clip.label.c_str(),
                    floor.step_ms, t.step_ms / floor.step_ms, t.reverse_ms / floor.step_ms,
                    mean(seek_ratio), t.update_ms, t.open_ms, t.cache_mb);
        std::fflush(stdout);
        if (clip.format.height == 1080 && clip.format.encoder == "libx264") h264_1080 = clip.path;
        if (clip.format.height == 720 && any_720.empty()) any_720 = clip.path;
        if (clip.format.height == 720 && clip.format.encoder == "libx264") any_720 = clip.path;
    }
    if (!any_720.empty() && cache_steps > 0)
        std::printf(
            "\nplay at 1280x720 (H.264 when present): %.0f%% of the frames due were shown\n",
            100 * measure_play(any_720, 150));
    const std::string growth_clip = h264_1080.empty() ? any_720 : h264_1080;
    if (!growth_clip.empty() && cache_steps > 0) {
        std::printf("cache over %d random steps at %s, MB per thousand steps:", cache_steps,
                    h264_1080.empty() ? "1280x720" : "1920x1080 H.264");
        for (double mb : measure_cache_growth(growth_clip, cache_steps)) std::printf(" %.0f", mb);
        std::printf("\n");
    }
    return 0;
}
