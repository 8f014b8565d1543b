#pragma once
#include <algorithm>
#include <cmath>

#include "state/analysis_state.h"

// The quantities the graphs plot, recomputed from the marks of the analysis state and
// written back into it (single precision; arithmetic in double).

// pos_x, pos_y of marks 1 .. mark_count from the ruler units and the length scale.
void compute_positions();

// mark_time of marks 1 .. mark_count. The frame count from mark 1 is kept in 32 bits, so
// recordings longer than 32767 frames keep their times.
void compute_mark_times(double frame_time);

// vel_x, vel_y, vel_time of intervals 1 .. mark_count - 1. An interval of zero frames has no
// velocity: its vel_x and vel_y are NaN (see has_velocity) and its time is that of its marks.
void compute_velocities(double frame_time);

inline bool has_velocity(float v) { return !std::isnan(v); }

// mark_count as far as the arrays hold marks.
inline int mark_total() { return std::clamp<int>(state().mark_count, 0, kMaxIndex); }
