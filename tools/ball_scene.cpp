#include "tools/ball_scene.h"

#include <QPainter>
#include <cmath>

namespace {

constexpr double kGround = 210;  // pixel row of the ground

// Position of the thrown ball (metres, y up from the ground) at time t.
QPointF thrown_at(double t) {
    const double x = 0.1 + 2.0 * t;
    double y = 0.1, vy = 3.5, time = t;
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

}  // namespace

QPointF ball_centre(BallMotion motion, double t) {
    const QPointF ball = motion == BallMotion::Thrown ? thrown_at(t) : falling_at(t);
    return QPointF(10 + ball.x() * kBallPixelsPerMetre,
                   kGround - 7 - ball.y() * kBallPixelsPerMetre);
}

QImage ball_picture(BallMotion motion, double t) {
    QImage image(320, 240, QImage::Format_RGB32);
    image.fill(QColor(120, 160, 215));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(QRectF(0, kGround, 320, 240 - kGround), QColor(150, 130, 100));
    const QRectF bar(80, kGround - 6, kBallPixelsPerMetre, 4);
    p.fillRect(bar, Qt::black);
    p.fillRect(QRectF(bar.left(), bar.top() - 4, 2, 12), Qt::black);
    p.fillRect(QRectF(bar.right() - 2, bar.top() - 4, 2, 12), Qt::black);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(210, 30, 30));
    p.drawEllipse(ball_centre(motion, t), 7, 7);
    return image;
}
