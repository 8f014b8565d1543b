#pragma once
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QSize>

// The sample scene: a red ball of radius 7 pixels over the ground of a 320 x 240 picture, with
// a black bar of 1.00 m (160 pixels, with end marks) lying on the ground for the length setting.
enum class BallMotion {
    // Thrown at 2.0 m/s forward and 3.5 m/s up from 0.1 m, bouncing with 60 % of its speed.
    Thrown,
    // Let go 1.2 m above the ground moving 1.5 m/s forward: a fall at 9.8 m/s², on the ground
    // after half a second.
    Falling,
    // Thrown at 2.4 m/s forward and 3.5 m/s up from 0.4 m: it leaves a 320 x 240 picture on
    // the right after about 0.75 s, still in the air (it lands at 0.82 s).
    Across,
};

inline constexpr double kBallPixelsPerMetre = 160;
inline constexpr double kBallGravity = 9.8;  // m/s²

// The scene with what may make a ball hard to follow. Without options it is the sample's.
struct BallScene {
    BallMotion motion = BallMotion::Thrown;
    // Boxes and discs of many colours, none of them red, in the sky behind the ball.
    bool cluttered = false;
    // A grey post from the top of the picture to the ground, as wide as the ball, in front of
    // it (ball_post).
    bool obstacle = false;
    // The picture's size: the 320 x 240 scene scaled to the picture's height and centred, the
    // sky and the ground going on at the sides.
    QSize size{320, 240};
};

// Where the ball's centre is at t seconds of real time, in pixels of the picture (of the
// painter: pixel (i, j) covers i to i + 1 and j to j + 1).
QPointF ball_centre(const BallScene& scene, double t);
inline QPointF ball_centre(BallMotion motion, double t) {
    return ball_centre(BallScene{motion}, t);
}

// Where the post stands, in pixels of the picture (as ball_centre).
QRectF ball_post(const BallScene& scene);

// The picture at t seconds of real time.
QImage ball_picture(const BallScene& scene, double t);
inline QImage ball_picture(BallMotion motion, double t) {
    return ball_picture(BallScene{motion}, t);
}
