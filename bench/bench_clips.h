#pragma once
#include <string>
#include <vector>

#include "tools/clip_writer.h"

// One clip of the benchmark: codec and size, made once into a folder and kept there.
struct BenchClip {
    std::string label;  // "H.264 1280x720"
    ClipFormat format;
    std::string path;
};

// Writes the clip unless the folder already has it; returns an error text or "".
std::string make_bench_clip(BenchClip& clip, const std::string& folder);

// The same clip as `turned` with no rotation in its header: the same stored pictures, so the
// same encode, for the cost of the turn alone.
std::string make_unturned_twin(const BenchClip& turned, BenchClip& twin, const std::string& folder);

// Two-hour 1920 x 1080 clips at 30 frames per second (MPEG-4 in AVI, H.264 in MP4; a keyframe
// every 10 s), made cheaply by repeating their first keyframe group.
std::vector<BenchClip> two_hour_clips();
std::string make_two_hour_clip(BenchClip& clip, const std::string& folder);

// Milliseconds since an arbitrary start.
double now_ms();
