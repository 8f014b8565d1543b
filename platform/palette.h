#pragma once
#include <QColor>

// The classic 16-colour palette, by number 0 .. 15.
QColor palette_color(int number);

// A colour given as a plain colour value: red in the low byte, then green, then blue.
QColor color_value(long value);

namespace pal {
inline constexpr int kBlack = 0;
inline constexpr int kLightBlue = 9;
inline constexpr int kLightGreen = 10;
inline constexpr int kLightYellow = 14;
inline constexpr int kBrightWhite = 15;
}  // namespace pal
