#pragma once
#include <algorithm>
#include <cmath>
#include <string>

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

// The same from the clip's own timing: a mark's time is the presentation time of its frame in
// real seconds (stored seconds times clip_time_scale), counted from mark 1; an interval's
// velocity divides by the difference of its marks' times and its time is their middle. Where a
// mark's presentation time is unknown, its interval lasts mark_step clip frame times. An
// interval of no time has no velocity (NaN).
void compute_clip_mark_times(AnalysisState& s);
void compute_clip_velocities(AnalysisState& s);

// By the timing in force: the clip's when clip_timing is set, else frame counts times
// frame_time (the fixed interval of the edition or of the frame interval choice).
void compute_mark_times_in_force(AnalysisState& s, double frame_time);
void compute_velocities_in_force(AnalysisState& s, double frame_time);

// Real seconds per stored second: the stored rate over the capture rate in force; 1 without a
// capture rate or without the clip's interval.
double clip_time_scale(const AnalysisState& s);

// The clip's mean interval in real seconds (its nominal one when the mean is unknown, 1/30 s
// when the clip told neither): frame_time while the clip's timing is in force.
double clip_frame_time(const AnalysisState& s);

// Makes the clip's timing the one in force: clip_timing, and frame_time and frame_time_label
// from clip_frame_time.
void use_clip_timing(AnalysisState& s);

// Frames per second as the windows write them: up to two decimals, no trailing zeros ("60",
// "29.97", "239.76").
std::string rate_text(double rate);

// The caption of an interval: "1/", its rate, "秒" ("1/60秒", "1/240秒", "1/29.97秒").
std::string interval_caption(double seconds);

inline bool has_velocity(float v) { return !std::isnan(v); }

// mark_count as far as the arrays hold marks.
inline int mark_total(const AnalysisState& s) {
    return std::clamp<int>(s.mark_count, 0, kMaxIndex);
}
