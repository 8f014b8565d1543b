#pragma once
#include <cstdint>

// A 16-bit Boolean as the analysis state and the windows keep it: true is -1, false is 0.
// Any non-zero value reads as true.
class Flag {
  public:
    constexpr Flag() = default;
    constexpr Flag(bool b) : v_(b ? -1 : 0) {}  // NOLINT: converts like the stored flag does
    static constexpr Flag from_raw(std::int16_t raw) {
        Flag f;
        f.v_ = raw;
        return f;
    }
    constexpr operator bool() const { return v_ != 0; }  // NOLINT
    constexpr std::int16_t raw() const { return v_; }
    constexpr Flag operator!() const { return Flag(v_ == 0); }

  private:
    std::int16_t v_ = 0;
};
