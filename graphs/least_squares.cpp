#include "graphs/least_squares.h"

#include <cmath>

namespace {
constexpr float kRelativeNoise = 1e-6f;

float add(float sum, double term) { return static_cast<float>(sum + term); }
}  // namespace

LineFit fit_line(const float* t, const float* v, int count) {
    float st = 0, stt = 0, sv = 0, stv = 0;
    int used = 0;
    for (int i = 1; i <= count; ++i) {
        if (std::isnan(v[i])) continue;
        const double ti = t[i], vi = v[i];
        st = add(st, ti);
        stt = add(stt, ti * ti);
        sv = add(sv, vi);
        stv = add(stv, ti * vi);
        ++used;
    }
    LineFit fit;
    if (used < 2) return fit;
    const float n = static_cast<float>(used);
    const float d = static_cast<float>(stt - static_cast<double>(st) * st / n);
    const float m = static_cast<float>(stv - static_cast<double>(sv) * st / n);
    fit.outcome = LineFit::Outcome::kUndefined;
    // D is N times the variance of the times; what single-precision cancellation leaves of
    // samples all at one time is far below this bound.
    if (!std::isfinite(d) || !std::isfinite(m) || d <= stt * kRelativeNoise) return fit;
    const float a = static_cast<float>(static_cast<double>(m) / d);
    const float b =
        static_cast<float>(static_cast<double>(sv) / n - static_cast<double>(a) * st / n);
    if (!std::isfinite(a) || !std::isfinite(b)) return fit;
    fit.outcome = LineFit::Outcome::kFitted;
    fit.a = a;
    fit.b = b;
    return fit;
}
