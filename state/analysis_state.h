#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "state/flag.h"

// Every array runs from index 0 to 100; marks and calibration clicks use 1 .. count.
inline constexpr int kMaxIndex = 100;
template <class T>
using Array101 = std::array<T, kMaxIndex + 1>;

// mark_frame of a mark made on a picture whose frame the video service did not tell.
inline constexpr std::int32_t kNoFrame = -1;

// The one record that every window reads and writes directly.
struct AnalysisState {
    float frame_time = 1.0f / 30.0f;          // s between two frames
    std::string frame_time_label = "1/30秒";  // caption of the frame interval (UTF-8)
    float scale_m_per_unit = 0.0f;            // metres per ruler unit; Open sets 1.0
    Array101<std::int16_t> mark_step{};       // frames from mark k to mark k+1
    Array101<float> vel_x{};                  // m/s, interval i
    Array101<float> vel_y{};
    Array101<float> mark_time{};  // s, mark i
    Array101<float> vel_time{};   // s, middle of interval i
    Flag calib_mode;              // canvas clicks are calibration clicks
    float calib_unit_len = 0.0f;  // ruler units between the last pair's points
    std::int16_t calib_clicks = 0;
    std::int16_t mark_count = 0;  // 0 .. 100
    Array101<float> pos_x{};      // m, mark i
    Array101<float> pos_y{};
    Array101<float> unit_x{};  // ruler units, mark i
    Array101<float> unit_y{};
    Array101<float> calib_x{};  // ruler units, calibration click k
    Array101<float> calib_y{};

    // What the clip says of its own timing, learnt when it was opened; 0 when the video service
    // did not say. Stored seconds: the clip's presentation times, as it plays.
    double clip_frame_interval = 0;  // s, its nominal (median) interval between frames
    double clip_mean_interval = 0;   // s, its frames' mean interval from the first to the last
    Flag clip_variable_rate;         // its intervals differ from the median by more than 20 %

    // The timing in force. Off: times are frame counts (mark_step) times frame_time. On: times
    // are the clip's presentation times of the marks' frames, and frame_time, frame_time_label
    // are the clip's mean interval in real time and its caption.
    Flag clip_timing;
    // Frames per second when the clip was filmed (its tag, or typed); 0: as stored. A clip
    // filmed at 240 and stored at 30 plays 8 times slower than life.
    float capture_rate = 0;

    // Per mark: the frame it was made on (kNoFrame: unknown) and that frame's presentation time
    // in stored seconds from frame 0 (NaN: unknown).
    Array101<std::int32_t> mark_frame{};
    Array101<double> mark_clip_time{};
};

// The single instance of the run.
AnalysisState& state();
