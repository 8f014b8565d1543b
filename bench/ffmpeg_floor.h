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

// Seek to the keyframe at or before frame `first` and decode `frames` frames from there,
// converting the last: the decoding of one keyframe interval.
double measure_interval_floor(const std::string& path, int first, int frames);

// Sequential decode of the whole clip (one thread, as the service steps), and the keyframe
// runs for `targets`.
Floor measure_floor(const std::string& path, const std::vector<int>& targets);
