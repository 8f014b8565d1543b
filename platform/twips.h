#pragma once
#include <cmath>

class QWidget;

// Window and control placement is given in twips: 15 twips are one pixel.
inline constexpr double kTwipsPerPixel = 15.0;

inline int twips_to_px(double twips) {
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

// Places a control at a position given in twips, relative to its parent.
void place_twips(QWidget* control, double left, double top, double width, double height);

// Sets a top-level window's outer size (frame included) in twips.
void set_outer_size_twips(QWidget* window, double width, double height);

// Centres a top-level window's outer frame on its screen, then moves it by the given offsets.
void centre_on_screen_twips(QWidget* window, double dx_twips = 0, double dy_twips = 0);
