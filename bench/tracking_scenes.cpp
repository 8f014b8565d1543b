#include "bench/tracking_scenes.h"

#include <QBuffer>
#include <QImage>
#include <cmath>
#include <opencv2/imgproc.hpp>

namespace {

constexpr int kShift = 8;  // fractional bits of the positions drawn
const cv::Scalar kBall(40, 110, 230);
const cv::Scalar kSpot(20, 50, 120);
const cv::Scalar kBar(70, 70, 70);

cv::Point fixed(cv::Point2d p) {
    return {cvRound(p.x * (1 << kShift)), cvRound(p.y * (1 << kShift))};
}

void draw_disc(cv::Mat& m, cv::Point2d centre, double radius, const cv::Scalar& colour) {
    cv::circle(m, fixed(centre), cvRound(radius * (1 << kShift)), colour, cv::FILLED, cv::LINE_AA,
               kShift);
}

}  // namespace

cv::Point2d TrackingScene::centre(int frame) const {
    const double t = frame;
    return start + velocity * t + cv::Point2d(0, 0.5 * gravity * t * t);
}

cv::Mat TrackingScene::background() const {
    if (!background_.empty()) return background_;
    background_ = cv::Mat(size, CV_8UC3, cv::Scalar(200, 205, 210));
    if (cluttered) {
        cv::RNG rng(clutter_seed);
        const int pieces = size.area() / 4000;
        for (int i = 0; i < pieces; ++i) {
            const cv::Point p(rng.uniform(0, size.width), rng.uniform(0, size.height));
            const int extent = rng.uniform(3, size.height / 12 + 4);
            const cv::Scalar colour(rng.uniform(0, 256), rng.uniform(0, 256), rng.uniform(0, 256));
            if (i % 2) {
                cv::rectangle(background_, p, p + cv::Point(extent, extent / 2), colour,
                              cv::FILLED);
            } else {
                cv::circle(background_, p, extent / 2, colour, cv::FILLED, cv::LINE_AA);
            }
        }
    }
    return background_;
}

cv::Mat TrackingScene::picture(int frame) const {
    cv::Mat m = background().clone();
    const cv::Point2d c = centre(frame);
    draw_disc(m, c, radius, kBall);
    if (spinning) {
        const double angle = frame * CV_PI / 60;
        draw_disc(m, c + 0.5 * radius * cv::Point2d(std::cos(angle), std::sin(angle)),
                  0.35 * radius, kSpot);
    }
    if (obstacle) {
        const int x = size.width / 3;
        cv::rectangle(m, cv::Rect(x, 0, cvRound(3 * radius), size.height), kBar, cv::FILLED);
    }
    QImage image(m.data, m.cols, m.rows, static_cast<int>(m.step), QImage::Format_BGR888);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", jpeg_quality);
    const QImage read = QImage::fromData(bytes, "JPG").convertToFormat(QImage::Format_RGB32);
    return cv::Mat(read.height(), read.width(), CV_8UC4, const_cast<uchar*>(read.bits()),
                   static_cast<size_t>(read.bytesPerLine()))
        .clone();
}

double TrackingScene::visible_share(int frame) const {
    const cv::Point2d c = centre(frame);
    const int reach = static_cast<int>(std::ceil(radius)) + 2;
    const cv::Rect box(cvFloor(c.x) - reach, cvFloor(c.y) - reach, 2 * reach + 1, 2 * reach + 1);
    cv::Mat ball(box.size(), CV_8UC1, cv::Scalar(0));
    draw_disc(ball, c - cv::Point2d(box.tl()), radius, cv::Scalar(255));
    const double whole = cv::sum(ball)[0];
    // What lies beyond the picture or behind the bar does not show.
    cv::Mat shown = cv::Mat::zeros(box.size(), CV_8UC1);
    const cv::Rect inside = box & cv::Rect({}, size);
    if (!inside.empty()) ball(inside - box.tl()).copyTo(shown(inside - box.tl()));
    const cv::Rect behind = box & cv::Rect(size.width / 3, 0, cvRound(3 * radius), size.height);
    if (obstacle && !behind.empty()) shown(behind - box.tl()).setTo(0);
    return whole > 0 ? cv::sum(shown)[0] / whole : 0.0;
}
