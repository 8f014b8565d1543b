// The video service's benchmark: every figure is printed as a ratio to what plain FFmpeg takes
// for the same work on the same clip in the same run.
#include <QApplication>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <numeric>
#include <random>

#include "bench/bench_clips.h"
#include "bench/ffmpeg_floor.h"
#include "bench/process_usage.h"
#include "bench/service_timings.h"
#include "platform/app_setup.h"
#include "tools/clip_writer.h"

extern "C" {
#include <libavutil/log.h>
}

namespace {

struct Size {
    int width, height, rate;
};

// 300 frames of a codec at a size and rate.
ClipFormat bench_format(const char* encoder, int width, int height, int rate, int b_frames,
                        int gop) {
    ClipFormat f;
    f.encoder = encoder;
    f.width = width;
    f.height = height;
    f.rate_num = rate;
    f.frames = 300;
    f.b_frames = b_frames;
    f.gop = gop;
    return f;
}

std::vector<BenchClip> clips(bool quick) {
    std::vector<BenchClip> all;
    const struct {
        const char* label;
        const char* encoder;
        int b_frames;
        int gop;
    } codecs[] = {
        {"MJPEG", "mjpeg", 0, 1}, {"MPEG-4 B", "mpeg4", 2, 12}, {"H.264 B", "libx264", 3, 250}};
    const Size sizes[] = {
        {320, 240, 30}, {1280, 720, 30}, {1920, 1080, 30}, {1920, 1080, 60}, {3840, 2160, 30}};
    for (const Size& size : sizes) {
        for (const auto& c : codecs) {
            if (!have_encoder(c.encoder) || (quick && size.width > 320)) continue;
            // 60 frames per second is what cameras record H.264 at.
            if (size.rate != 30 && std::string(c.encoder) != "libx264") continue;
            BenchClip clip;
            clip.label = std::string(c.label) + " " + std::to_string(size.width) + "x" +
                         std::to_string(size.height) +
                         (size.rate == 30 ? "" : " " + std::to_string(size.rate) + "fps");
            clip.format =
                bench_format(c.encoder, size.width, size.height, size.rate, c.b_frames, c.gop);
            all.push_back(clip);
        }
    }
    return all;
}

// What phones record: HEVC 10-bit in MOV, H.264 in MP4 with sound, portrait clips that carry
// their turn in the header, VP9 (as phones' own apps and browsers record it). A keyframe every
// second, as phones write them.
std::vector<BenchClip> phone_clips() {
    const struct {
        const char* label;
        const char* container;
        const char* encoder;
        const char* pixel_format;
        int width, height, rate, b_frames, gop, rotation;
        const char* audio;
    } rows[] = {
        {"HEVC 10-bit 1920x1080 60fps MOV", "mov", "libx265", "yuv420p10le", 1920, 1080, 60, 3, 60,
         0, ""},
        {"HEVC 10-bit 3840x2160 MOV", "mov", "libx265", "yuv420p10le", 3840, 2160, 30, 3, 30, 0,
         ""},
        {"H.264 1920x1080 60fps MP4 sound", "mp4", "libx264", "", 1920, 1080, 60, 2, 60, 0, "aac"},
        {"H.264 portrait 1080x1920 MP4", "mp4", "libx264", "", 1920, 1080, 30, 0, 30, 90, "aac"},
        {"VP9 1920x1080 WebM", "webm", "libvpx-vp9", "", 1920, 1080, 30, 1, 30, 0, ""},
    };
    std::vector<BenchClip> all;
    for (const auto& r : rows) {
        if (!have_encoder(r.encoder)) continue;
        BenchClip clip;
        clip.label = r.label;
        clip.format = bench_format(r.encoder, r.width, r.height, r.rate, r.b_frames, r.gop);
        clip.format.container = r.container;
        clip.format.pixel_format = r.pixel_format;
        clip.format.rotation = r.rotation;
        clip.format.audio_encoder = r.audio;
        all.push_back(clip);
    }
    return all;
}

double mean(const std::vector<double>& v) {
    return v.empty() ? 0 : std::accumulate(v.begin(), v.end(), 0.0) / v.size();
}

// The last keyframe before the clip's last few frames.
int late_keyframe(const ClipFormat& f) { return (f.frames - 10) / f.gop * f.gop; }

// One trial's figures: ratios to the floor, or milliseconds and megabytes.
struct Figures {
    double floor_ms, step, reverse, back100, over_key, seek, update_ms, open_ms, cache_mb;
};

Figures measure_figures(const BenchClip& clip, const std::vector<int>& targets, int keyframe) {
    const Floor floor = measure_floor(clip.path, targets, clip.format.gop);
    const double interval_ms =
        measure_interval_floor(clip.path, keyframe - clip.format.gop, clip.format.gop);
    const ServiceTimings t = measure_service(clip.path, targets, keyframe);
    if (std::getenv("KV_BENCH_TRACE"))
        std::fprintf(stderr, "back over key: %.1f ms, its floor %.1f ms\n", t.back_over_key_ms,
                     interval_ms);
    std::vector<double> seek_ratio;
    for (size_t k = 0; k < targets.size(); ++k)
        seek_ratio.push_back(t.seek_ms[k] / std::max(1e-3, floor.from_keyframe_ms[k]));
    return {floor.step_ms,
            t.step_ms / floor.step_ms,
            t.reverse_ms / floor.step_ms,
            t.back100_ms / floor.step_ms,
            t.back_over_key_ms / interval_ms,
            mean(seek_ratio),
            t.update_ms,
            t.open_ms,
            t.cache_mb};
}

// Column by column, the median of the trials.
Figures median_figures(const std::vector<Figures>& trials) {
    Figures result = trials.front();
    double Figures::*columns[] = {&Figures::floor_ms,  &Figures::step,     &Figures::reverse,
                                  &Figures::back100,   &Figures::over_key, &Figures::seek,
                                  &Figures::update_ms, &Figures::open_ms,  &Figures::cache_mb};
    for (double Figures::*column : columns) {
        std::vector<double> values;
        for (const Figures& trial : trials) values.push_back(trial.*column);
        std::sort(values.begin(), values.end());
        result.*column = values[values.size() / 2];
    }
    return result;
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
    bool write_only = false;
    int trials = 3;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--trials") && i + 1 < argc)
            trials = std::max(1, std::atoi(argv[++i]));
        if (!std::strcmp(argv[i], "--write-clips")) write_only = true;
        if (!std::strcmp(argv[i], "--quick")) quick = true, cache_steps = 1000;
        if (!std::strcmp(argv[i], "--clips") && i + 1 < argc) folder = argv[++i];
        if (!std::strcmp(argv[i], "--only") && i + 1 < argc) only = argv[++i], cache_steps = 0;
    }
    if (!write_only)
        std::printf(
            "| clip | floor ms | step | reverse x30 | back x100 | back over key | seek | update ms "
            "| "
            "open ms | "
            "cache MB | play shown | play CPU ms | peak RSS MB |\n");
    if (!write_only) std::printf("|---|---|---|---|---|---|---|---|---|---|---|---|---|\n");
    std::string h264_1080;
    std::vector<BenchClip> rows = clips(quick);
    if (!quick)
        for (const BenchClip& clip : phone_clips()) rows.push_back(clip);
    std::vector<BenchClip> turned;
    for (BenchClip& clip : rows) {
        if (!only.empty() && clip.label.find(only) == std::string::npos) continue;
        const std::string error = make_bench_clip(clip, folder);
        if (!error.empty()) {
            std::printf("| %s | cannot write: %s |\n", clip.label.c_str(), error.c_str());
            continue;
        }
        if (write_only) {
            std::printf("%s\n", clip.path.c_str());
            continue;
        }
        std::mt19937 random(42);
        std::vector<int> targets;
        for (int k = 0; k < 20; ++k) targets.push_back(1 + random() % 298);
        const int keyframe = late_keyframe(clip.format);
        // Each trial measures the floor and the service anew, one after the other; a column
        // shows the median of the trials' figures, so that a stretch in which the machine was
        // busy with something else moves no figure.
        std::vector<Figures> measured;
        for (int trial = 0; trial < trials; ++trial)
            measured.push_back(measure_figures(clip, targets, keyframe));
        const Figures f = median_figures(measured);
        std::printf("| %s | %.2f | %.2f | %.2f | %.2f | %.2f | %.2f | %.3f | %.1f | %.0f |",
                    clip.label.c_str(), f.floor_ms, f.step, f.reverse, f.back100, f.over_key,
                    f.seek, f.update_ms, f.open_ms, f.cache_mb);
        // Playing is what the larger sizes are about; the small ones play with room to spare.
        if (clip.format.height >= 1080) {
            const PlayFigures play = measure_play(clip.path, 240);
            std::printf(" %.1f%% | %.2f |", 100 * play.shown, play.cpu_ms);
        } else {
            std::printf(" | |");
        }
        std::printf(" %.0f |\n", peak_resident_mb());
        std::fflush(stdout);
        if (clip.format.height == 1080 && clip.format.rate_num == 30 &&
            clip.format.encoder == "libx264" && clip.format.container == "avi")
            h264_1080 = clip.path;
        if (clip.format.rotation != 0) turned.push_back(clip);
    }
    if (write_only) return 0;
    std::printf("\n");
    for (const BenchClip& clip : turned) {
        BenchClip twin;
        const std::string error = make_unturned_twin(clip, twin, folder);
        if (!error.empty()) {
            std::printf("%s: cannot write: %s\n", twin.label.c_str(), error.c_str());
            continue;
        }
        const double with_turn = measure_steps(clip.path);
        const double without = measure_steps(twin.path);
        std::printf("turn of %s: step %.2f ms, the same clip unturned %.2f ms: %.2f ms a step\n",
                    clip.label.c_str(), with_turn, without, with_turn - without);
    }
    for (BenchClip& long_clip : two_hour_clips()) {
        if (quick || (!only.empty() && long_clip.label.find(only) == std::string::npos)) continue;
        const std::string error = make_two_hour_clip(long_clip, folder);
        if (error.empty())
            std::printf("open of %s (%d frames): %.0f ms\n", long_clip.label.c_str(),
                        long_clip.format.frames, measure_open(long_clip.path));
        else
            std::printf("%s: cannot write: %s\n", long_clip.label.c_str(), error.c_str());
    }
    if (!h264_1080.empty() && cache_steps > 0) {
        std::printf("cache over %d random steps at 1920x1080 H.264, MB per thousand steps:",
                    cache_steps);
        for (double mb : measure_cache_growth(h264_1080, cache_steps)) std::printf(" %.0f", mb);
        std::printf("\n");
    }
    std::printf("peak resident size of the benchmark: %.0f MB\n", peak_resident_mb());
    return 0;
}
