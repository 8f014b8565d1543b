#pragma once
#include <algorithm>
#include <cmath>

#include "state/analysis_state.h"

// The data derived from the marks: positions in metres, mark times, interval velocities.
// Every window that shows or saves them computes them here, from the state as it is at that
// moment, and writes them back into it (single precision; arithmetic in double).

// pos_x, pos_y of marks 1 .. mark_count from the ruler units and the length scale.
void compute_positions(AnalysisState& s);

// mark_time of marks 1 .. mark_count. The frame count from mark 1 is kept in 32 bits, so
// recordings longer than 32767 frames keep their times.
void compute_mark_times(AnalysisState& s, double frame_time);

// vel_x, vel_y, vel_time of intervals 1 .. mark_count - 1. An interval of zero frames has no
// velocity: its vel_x and vel_y are NaN (see has_velocity) and its time is that of its marks.
void compute_velocities(AnalysisState& s, double frame_time);

inline bool has_velocity(float v) { return !std::isnan(v); }

// mark_count as far as the arrays hold marks.
inline int mark_total(const AnalysisState& s) {
    return std::clamp<int>(s.mark_count, 0, kMaxIndex);
}
