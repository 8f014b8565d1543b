#include "state/analysis.h"

#include <cstdint>
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

void compute_velocities(AnalysisState& s, double frame_time) {
    constexpr float kNoVelocity = std::numeric_limits<float>::quiet_NaN();
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
