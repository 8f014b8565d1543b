#include "state/analysis.h"

#include <cstdint>
#include <cstdio>
#include <limits>

void compute_positions(AnalysisState& s) {
    const double scale = s.scale_m_per_unit;
    for (int i = 1; i <= mark_total(s); ++i) {
        s.pos_x[i] = static_cast<float>(scale * s.unit_x[i]);
        s.pos_y[i] = static_cast<float>(scale * s.unit_y[i]);
    }
}

void compute_mark_times(AnalysisState& s, double frame_time) {
    std::int32_t frames = 0;
    for (int i = 1; i <= mark_total(s); ++i) {
        frames += s.mark_step[i - 1];
        s.mark_time[i] = static_cast<float>(frames * frame_time);
    }
}

namespace {
constexpr float kNoVelocity = std::numeric_limits<float>::quiet_NaN();
constexpr double kUnknownInterval = 1.0 / 30;

// Real seconds from mark i to mark i + 1 by the clip's timing.
double clip_span(const AnalysisState& s, int i) {
    const double from = s.mark_clip_time[static_cast<std::size_t>(i)];
    const double to = s.mark_clip_time[static_cast<std::size_t>(i) + 1];
    if (std::isnan(from) || std::isnan(to)) return s.mark_step[i] * clip_frame_time(s);
    return (to - from) * clip_time_scale(s);
}
}  // namespace

void compute_velocities(AnalysisState& s, double frame_time) {
    std::int32_t frames = 0;
    for (int i = 1; i <= mark_total(s) - 1; ++i) {
        const double span = s.mark_step[i] * frame_time;
        if (s.mark_step[i] == 0) {
            s.vel_x[i] = kNoVelocity;
            s.vel_y[i] = kNoVelocity;
        } else {
            s.vel_x[i] =
                static_cast<float>((static_cast<double>(s.pos_x[i + 1]) - s.pos_x[i]) / span);
            s.vel_y[i] =
                static_cast<float>((static_cast<double>(s.pos_y[i + 1]) - s.pos_y[i]) / span);
        }
        frames += s.mark_step[i - 1];
        s.vel_time[i] = static_cast<float>(span / 2 + frames * frame_time);
    }
}

void compute_clip_mark_times(AnalysisState& s) {
    double t = 0;
    for (int i = 1; i <= mark_total(s); ++i) {
        if (i > 1) t += clip_span(s, i - 1);
        s.mark_time[i] = static_cast<float>(t);
    }
}

void compute_clip_velocities(AnalysisState& s) {
    double t = 0;
    for (int i = 1; i <= mark_total(s) - 1; ++i) {
        const double span = clip_span(s, i);
        const bool moves = span > 0;
        s.vel_x[i] =
            moves ? static_cast<float>((static_cast<double>(s.pos_x[i + 1]) - s.pos_x[i]) / span)
                  : kNoVelocity;
        s.vel_y[i] =
            moves ? static_cast<float>((static_cast<double>(s.pos_y[i + 1]) - s.pos_y[i]) / span)
                  : kNoVelocity;
        s.vel_time[i] = static_cast<float>(t + span / 2);
        t += span;
    }
}

void compute_mark_times_in_force(AnalysisState& s, double frame_time) {
    if (s.clip_timing) {
        compute_clip_mark_times(s);
    } else {
        compute_mark_times(s, frame_time);
    }
}

void compute_velocities_in_force(AnalysisState& s, double frame_time) {
    if (s.clip_timing) {
        compute_clip_velocities(s);
    } else {
        compute_velocities(s, frame_time);
    }
}

double clip_time_scale(const AnalysisState& s) {
    if (s.capture_rate <= 0 || s.clip_frame_interval <= 0) return 1;
    return 1 / (s.clip_frame_interval * s.capture_rate);
}

double clip_frame_time(const AnalysisState& s) {
    const double stored = s.clip_mean_interval > 0    ? s.clip_mean_interval
                          : s.clip_frame_interval > 0 ? s.clip_frame_interval
                                                      : kUnknownInterval;
    return stored * clip_time_scale(s);
}

void use_clip_timing(AnalysisState& s) {
    s.clip_timing = true;
    const double interval = clip_frame_time(s);
    s.frame_time = static_cast<float>(interval);
    s.frame_time_label = interval_caption(interval);
}

std::string rate_text(double rate) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", rate);
    std::string out = text;
    while (out.back() == '0') out.pop_back();
    if (out.back() == '.') out.pop_back();
    return out;
}

std::string interval_caption(double seconds) { return "1/" + rate_text(1 / seconds) + "秒"; }
