#pragma once
#include <string>
#include <vector>

// What plain FFmpeg takes on a clip, as the floor the service is measured against.
struct Floor {
    double step_ms = 0;                    // decode of the next frame in sequence plus conversion,
                                           // per frame, over the whole clip
    std::vector<double> from_keyframe_ms;  // per frame: seek to the keyframe before it, decode up
                                           // to it, convert it (filled for the frames asked for)
};

// Seek to frame `first`, a keyframe, and decode `frames` frames from
// there, converting the last: the decoding of one keyframe interval.
double measure_interval_floor(const std::string& path, int first, int frames);

// Sequential decode of the whole clip (one thread, as the service steps), and the keyframe
// runs for `targets` (the clip has a keyframe every `gop` frames, as the bench writes them).
Floor measure_floor(const std::string& path, const std::vector<int>& targets, int gop);
