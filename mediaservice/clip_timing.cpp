#include "mediaservice/clip_timing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {
AVRational reduced(std::int64_t num, std::int64_t den) {
    AVRational r{1, 30};
    if (num > 0 && den > 0) av_reduce(&r.num, &r.den, num, den, INT32_MAX);
    return r;
}
}  // namespace

ClipTiming ClipTiming::uniform(int frames, AVRational interval) {
    ClipTiming t;
    t.frames_ = frames;
    t.interval_ = reduced(interval.num, interval.den);
    t.time_base_ = t.interval_;
    return t;
}

ClipTiming ClipTiming::from_times(std::vector<std::int64_t> times, AVRational time_base,
                                  AVRational nominal_rate) {
    ClipTiming t;
    t.frames_ = static_cast<int>(times.size());
    t.time_base_ = time_base;
    t.times_ = std::move(times);
    if (t.times_.size() < 2) {
        t.interval_ = nominal_rate.num > 0 && nominal_rate.den > 0
                          ? reduced(nominal_rate.den, nominal_rate.num)
                          : AVRational{1, 30};
        return t;
    }
    std::vector<std::int64_t> steps(t.times_.size() - 1);
    for (size_t k = 0; k + 1 < t.times_.size(); ++k) steps[k] = t.times_[k + 1] - t.times_[k];
    std::vector<std::int64_t> sorted = steps;
    std::nth_element(sorted.begin(), sorted.begin() + sorted.size() / 2, sorted.end());
    const std::int64_t median = sorted[sorted.size() / 2];
    const double tick = av_q2d(time_base);
    t.interval_ = reduced(median * time_base.num, std::int64_t(time_base.den));
    // Times in whole milliseconds (Matroska) make a 30 fps clip's intervals 33 and 34: the
    // rate the header names is the interval when it lies within a tick of the median.
    if (nominal_rate.num > 0 && nominal_rate.den > 0 &&
        std::abs(av_q2d(av_inv_q(nominal_rate)) - median * tick) <= tick)
        t.interval_ = reduced(nominal_rate.den, nominal_rate.num);
    const double interval = av_q2d(t.interval_);
    t.variable_ = std::any_of(steps.begin(), steps.end(), [&](std::int64_t step) {
        return std::abs(step * tick - interval) > 0.2 * interval + tick;
    });
    return t;
}

double ClipTiming::time(int frame) const {
    if (times_.empty()) return frame * av_q2d(interval_);
    return (times_[frame] - times_.front()) * av_q2d(time_base_);
}

int ClipTiming::due(int from, double elapsed) const {
    int frame = 0;
    if (times_.empty()) {
        // Counted in floating point: a clip claiming billions of frames a second is due at
        // its end.
        frame = static_cast<int>(std::min<double>(
            from + std::floor(elapsed * interval_.den / interval_.num), frames_ - 1));
    } else {
        const double at = times_[from] + elapsed / av_q2d(time_base_);
        const auto next = std::upper_bound(times_.begin(), times_.end(),
                                           static_cast<std::int64_t>(std::floor(at)));
        frame = static_cast<int>(next - times_.begin()) - 1;
    }
    return std::clamp(frame, from, std::max(from, frames_ - 1));
}

std::string decimal_text(double value, int decimals) {
    if (!std::isfinite(value)) return "0";
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    std::string out = text;
    if (out.find('.') != std::string::npos) {
        out.erase(out.find_last_not_of('0') + 1);
        if (out.back() == '.') out.pop_back();
    }
    return out == "-0" ? "0" : out;
}
