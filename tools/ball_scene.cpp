#include "tools/ball_scene.h"

#include <QPainter>
#include <cmath>
#include <random>

namespace {

constexpr double kGround = 210;  // pixel row of the ground
constexpr double kRadius = 7;
const QRectF kPost(200, 0, 2 * kRadius, kGround);

// Position of a ball thrown from (x0, y0) at (vx, vy) (metres, m/s, y up from the ground) at
// time t, bouncing with 60 % of its speed.
QPointF thrown_at(double t, double x0, double y0, double vx, double vy) {
    const double x = x0 + vx * t;
    double y = y0, time = t;
    for (int bounce = 0; bounce < 6; ++bounce) {
        const double land = (vy + std::sqrt(vy * vy + 2 * kBallGravity * y)) / kBallGravity;
        if (time < land) return QPointF(x, y + vy * time - kBallGravity * time * time / 2);
        time -= land;
        y = 0;
        vy = 0.6 * (kBallGravity * land - vy);
    }
    return QPointF(x, 0);
}

// The falling ball, until it lies on the ground.
QPointF falling_at(double t) {
    return QPointF(0.1 + 1.5 * t, std::max(0.0, 1.2 - kBallGravity * t * t / 2));
}

QPointF ball_at(BallMotion motion, double t) {
    switch (motion) {
        case BallMotion::Thrown:
            return thrown_at(t, 0.1, 0.1, 2.0, 3.5);
        case BallMotion::Falling:
            return falling_at(t);
        case BallMotion::Across:
            return thrown_at(t, 0.1, 0.4, 2.4, 3.5);
    }
    return {};
}

// The ball's centre in pixels of the 320 x 240 scene.
QPointF in_scene(BallMotion motion, double t) {
    const QPointF ball = ball_at(motion, t);
    return QPointF(10 + ball.x() * kBallPixelsPerMetre,
                   kGround - kRadius - ball.y() * kBallPixelsPerMetre);
}

// The scene's scale in the picture and the picture's left edge in the scene's pixels.
double scale_of(const BallScene& scene) { return scene.size.height() / 240.0; }
double left_of(const BallScene& scene) { return -(scene.size.width() / scale_of(scene) - 320) / 2; }

// Boxes and discs of many colours in the sky, the same every time.
void draw_clutter(QPainter& p) {
    const QColor colours[] = {{60, 140, 60},  {230, 210, 60},  {90, 90, 200},  {240, 240, 240},
                              {50, 50, 50},   {150, 110, 170}, {90, 200, 200}, {200, 180, 130},
                              {30, 100, 110}, {170, 200, 90}};
    std::minstd_rand random(7);
    auto uniform = [&random](int from, int to) {
        return from + static_cast<int>(random() % static_cast<unsigned>(to - from));
    };
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 40; ++i) {
        p.setBrush(colours[uniform(0, std::size(colours))]);
        const QRectF box(uniform(-20, 320), uniform(-10, 190), uniform(6, 30), uniform(6, 30));
        if (i % 2)
            p.drawRect(box);
        else
            p.drawEllipse(box);
    }
}

}  // namespace

QPointF ball_centre(const BallScene& scene, double t) {
    return (in_scene(scene.motion, t) - QPointF(left_of(scene), 0)) * scale_of(scene);
}

QRectF ball_post(const BallScene& scene) {
    const double s = scale_of(scene);
    return QRectF((kPost.left() - left_of(scene)) * s, kPost.top() * s, kPost.width() * s,
                  kPost.height() * s);
}

QImage ball_picture(const BallScene& scene, double t) {
    QImage image(scene.size, QImage::Format_RGB32);
    image.fill(QColor(120, 160, 215));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const double left = left_of(scene), width = 320 - 2 * left;
    if (scene.size != QSize(320, 240)) {
        p.scale(scale_of(scene), scale_of(scene));
        p.translate(-left, 0);
    }
    p.fillRect(QRectF(left, kGround, width, 240 - kGround), QColor(150, 130, 100));
    if (scene.cluttered) draw_clutter(p);
    const QRectF bar(80, kGround - 6, kBallPixelsPerMetre, 4);
    p.fillRect(bar, Qt::black);
    p.fillRect(QRectF(bar.left(), bar.top() - 4, 2, 12), Qt::black);
    p.fillRect(QRectF(bar.right() - 2, bar.top() - 4, 2, 12), Qt::black);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(210, 30, 30));
    p.drawEllipse(in_scene(scene.motion, t), kRadius, kRadius);
    if (scene.obstacle) p.fillRect(kPost, QColor(70, 70, 70));
    return image;
}
