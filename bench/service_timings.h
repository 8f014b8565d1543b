#pragma once
#include <string>
#include <vector>

// What the service takes on a clip, each figure in milliseconds.
struct ServiceTimings {
    double open_ms = 0;           // median of several opens
    double step_ms = 0;           // median of 100 forward steps from frame 0
    double reverse_ms = 0;        // mean of 30 reverse steps in a row, after a seek
    double back100_ms = 0;        // mean of 100 reverse steps in a row from frame 290
    std::vector<double> seek_ms;  // per target, from the far side of the clip
    double back_over_key_ms = 0;  // one step back from a keyframe into the interval before it
    double update_ms = 0;         // median update into a 320 x 240 box, each after a step
    double cache_mb = 0;          // largest cache seen
};

// `keyframe`: a keyframe past the first, for the step back over it.
ServiceTimings measure_service(const std::string& path, const std::vector<int>& seek_targets,
                               int keyframe);

struct PlayFigures {
    double shown = 0;   // share of the frames due that were shown (1.0 = every frame)
    double cpu_ms = 0;  // CPU time of the whole process per frame shown
};
// Plays the clip from frame 0 for about `frames` frames.
PlayFigures measure_play(const std::string& path, int frames);

// Median of 100 forward steps from frame 0 in a 320 x 240 child window, in milliseconds.
double measure_steps(const std::string& path);

// Median of several opens of the clip, in milliseconds.
double measure_open(const std::string& path, int times = 3);

// Random steps forward and back (and an occasional seek); the cache size in MB after each
// thousand.
std::vector<double> measure_cache_growth(const std::string& path, int steps);
