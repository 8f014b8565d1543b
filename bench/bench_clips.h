#pragma once
#include <string>

#include "tools/clip_writer.h"

// One clip of the benchmark: codec and size, made once into a folder and kept there.
struct BenchClip {
    std::string label;  // "H.264 1280x720"
    ClipFormat format;
    std::string path;
};

// Writes the clip unless the folder already has it; returns an error text or "".
std::string make_bench_clip(BenchClip& clip, const std::string& folder);

// A two-hour 1920 x 1080 clip at 30 frames per second (MPEG-4, a keyframe every 10 s), made
// cheaply by repeating its first keyframe group; returns an error text or "".
std::string make_two_hour_clip(BenchClip& clip, const std::string& folder);

// Milliseconds since an arbitrary start.
double now_ms();
