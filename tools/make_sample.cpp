// make_sample: writes the sample clip, a ball thrown across a 320 x 240 picture at 30 frames
// per second, with a black bar of 1.00 m (160 pixels) lying on the ground.
//   make_sample OUTPUT.avi
#include <QPainter>
#include <cmath>
#include <cstdio>

#include "tools/clip_writer.h"

namespace {

constexpr double kPixelsPerMetre = 160;
constexpr double kGround = 210;  // pixel row of the ground
constexpr double kGravity = 9.8;

// Position of the ball (metres, y up from the ground) at time t: thrown at 2.0 m/s forward
// and 3.5 m/s up from 0.1 m, bouncing back with 60 % of its speed.
QPointF ball_at(double t) {
    double x = 0.1 + 2.0 * t;
    double y = 0.1, vy = 3.5, time = t;
    for (int bounce = 0; bounce < 6; ++bounce) {
        const double land = (vy + std::sqrt(vy * vy + 2 * kGravity * y)) / kGravity;
        if (time < land) return QPointF(x, y + vy * time - kGravity * time * time / 2);
        time -= land;
        y = 0;
        vy = 0.6 * (kGravity * land - vy);
    }
    return QPointF(x, 0);
}

QImage picture(int frame) {
    QImage image(320, 240, QImage::Format_RGB32);
    image.fill(QColor(120, 160, 215));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(QRectF(0, kGround, 320, 240 - kGround), QColor(150, 130, 100));
    // The bar: 1.00 m, with end marks.
    const QRectF bar(80, kGround - 6, kPixelsPerMetre, 4);
    p.fillRect(bar, Qt::black);
    p.fillRect(QRectF(bar.left(), bar.top() - 4, 2, 12), Qt::black);
    p.fillRect(QRectF(bar.right() - 2, bar.top() - 4, 2, 12), Qt::black);
    const QPointF ball = ball_at(frame / 30.0);
    const QPointF centre(10 + ball.x() * kPixelsPerMetre, kGround - 7 - ball.y() * kPixelsPerMetre);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(210, 30, 30));
    p.drawEllipse(centre, 7, 7);
    return image;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sample OUTPUT.avi\n");
        return 2;
    }
    ClipFormat clip_format;
    clip_format.encoder = "mjpeg";
    clip_format.frames = 50;
    clip_format.quality = 3;
    const std::string error = write_clip(argv[1], clip_format, picture);
    if (!error.empty()) {
        std::fprintf(stderr, "make_sample: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
