#pragma once

// A straight line v = a t + b fitted by least squares, in single precision with every sum
// rounded to single after each addition.
struct LineFit {
    enum class Outcome { kFitted, kTooFewSamples, kUndefined };
    Outcome outcome = Outcome::kTooFewSamples;
    float a = 0;  // slope
    float b = 0;  // intercept
    bool fitted() const { return outcome == Outcome::kFitted; }
};

// Fits the samples 1 .. count of t and v (index 0 unused). A sample whose v is NaN (an
// interval without a velocity) is left out. Fewer than two samples, samples all at one time,
// or sums beyond the single range give no line.
LineFit fit_line(const float* t, const float* v, int count);
