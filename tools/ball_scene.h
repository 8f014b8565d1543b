#pragma once
#include <QImage>
#include <QPointF>

// The sample scene: a red ball of radius 7 pixels over the ground of a 320 x 240 picture, with
// a black bar of 1.00 m (160 pixels, with end marks) lying on the ground for the length setting.
enum class BallMotion {
    // Thrown at 2.0 m/s forward and 3.5 m/s up from 0.1 m, bouncing with 60 % of its speed.
    Thrown,
    // Let go 1.2 m above the ground moving 1.5 m/s forward: a fall at 9.8 m/s², on the ground
    // after half a second.
    Falling,
};

inline constexpr double kBallPixelsPerMetre = 160;
inline constexpr double kBallGravity = 9.8;  // m/s²

// Where the ball's centre is at t seconds of real time, in pixels of the picture.
QPointF ball_centre(BallMotion motion, double t);

// The picture at t seconds of real time.
QImage ball_picture(BallMotion motion, double t);
