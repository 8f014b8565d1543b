#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "state/flag.h"

// Every array runs from index 0 to 100; marks and calibration clicks use 1 .. count.
inline constexpr int kMaxIndex = 100;
template <class T>
using Array101 = std::array<T, kMaxIndex + 1>;

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
};

// The single instance of the run.
AnalysisState& state();
