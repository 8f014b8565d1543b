#pragma once
#include <cstdint>
#include <string>
#include <vector>

extern "C" {
#include <libavutil/rational.h>
}

// When each frame of a clip is shown, from what was learned at open: the presentation times
// of its frames, or for a clip without them (AVI) one frame each tick of its stream.
class ClipTiming {
  public:
    ClipTiming() = default;
    // Frame k at k ticks of `interval` seconds.
    static ClipTiming uniform(int frames, AVRational interval);
    // Frame k at `times[k]` (ascending) in units of `time_base`; `nominal_rate` is what the
    // header says the frame rate is (0/1 when it says nothing), preferred as the interval when
    // the times round it to their time base.
    static ClipTiming from_times(std::vector<std::int64_t> times, AVRational time_base,
                                 AVRational nominal_rate);

    int frames() const { return frames_; }
    // Seconds from frame 0 to frame `frame` (0 <= frame < frames()).
    double time(int frame) const;
    // The frame due `elapsed` seconds after frame `from` is shown: the last one shown by then.
    int due(int from, double elapsed) const;
    // The nominal frame interval in seconds, reduced: the median of the intervals.
    AVRational interval() const { return interval_; }
    // Whether an interval differs from the median by more than a fifth (beyond the rounding of
    // the time base).
    bool variable() const { return variable_; }

  private:
    int frames_ = 0;
    AVRational interval_{1, 30};
    bool variable_ = false;
    std::vector<std::int64_t> times_;  // empty: uniform
    AVRational time_base_{1, 30};
};

// A time in seconds as the replies give it: a decimal with up to `decimals` decimals, without
// trailing zeros or an exponent ("0", "0.833333333", "240", "239.76").
std::string decimal_text(double value, int decimals);
