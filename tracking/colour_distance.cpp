#include "tracking/colour_distance.h"

#include <opencv2/imgproc.hpp>
#include <stdexcept>

namespace {

cv::Mat to_ycrcb(const cv::Mat& pixels) {
    cv::Mat ycc;
    switch (pixels.type()) {
        case CV_8UC1:
            pixels.convertTo(ycc, CV_32F);
            return ycc;
        case CV_8UC3:
        case CV_8UC4:
            cv::cvtColor(pixels, ycc, cv::COLOR_BGR2YCrCb);
            ycc.convertTo(ycc, CV_32F);
            return ycc;
        default:
            throw std::invalid_argument("tracking reads 8-bit grey, BGR or BGRA pictures");
    }
}

}  // namespace

cv::Vec3f colour_at(const cv::Mat& picture, cv::Point2d point) {
    const cv::Rect area =
        cv::Rect(cvRound(point.x) - 2, cvRound(point.y) - 2, 5, 5) & cv::Rect({}, picture.size());
    const cv::Scalar mean = cv::mean(to_ycrcb(picture(area)));
    // A grey picture has no chroma: 128 is none in the 8-bit scale.
    return picture.channels() == 1 ? cv::Vec3f(static_cast<float>(mean[0]), 128, 128)
                                   : cv::Vec3f(cv::Vec3d(mean[0], mean[1], mean[2]));
}

cv::Mat colour_distance(const cv::Mat& pixels, const cv::Vec3f& colour) {
    const cv::Mat ycc = to_ycrcb(pixels);
    cv::Mat distance;
    if (ycc.channels() == 1) {
        cv::absdiff(ycc, colour[0], distance);
    } else {
        cv::Mat apart;
        cv::absdiff(ycc, cv::Scalar(colour[0], colour[1], colour[2]), apart);
        cv::transform(apart, distance, cv::Matx13f(1.0f, 0.5f, 0.5f));
    }
    // d -> s (1 - e^(-d / s)): near d for the small distances of the object's own shading and
    // compression, towards s for large ones.
    cv::Mat fading;
    cv::exp(distance * (-1.0f / kDistanceReach), fading);
    distance = kDistanceReach * (1.0f - fading);
    cv::GaussianBlur(distance, distance, cv::Size(3, 3), 0, 0, cv::BORDER_REPLICATE);
    return distance;
}

DistanceView distance_view(const cv::Mat& picture, cv::Rect area, const cv::Vec3f& colour,
                           int factor) {
    area &= cv::Rect({}, picture.size());
    DistanceView view{{}, area.tl(), factor};
    const cv::Size blocks(area.width / factor, area.height / factor);
    if (blocks.empty()) return view;
    const cv::Mat pixels = picture(cv::Rect(area.tl(), blocks * factor));
    if (factor == 1) {
        view.distance = colour_distance(pixels, colour);
    } else {
        cv::Mat small;
        cv::resize(pixels, small, blocks, 0, 0, cv::INTER_AREA);
        view.distance = colour_distance(small, colour);
    }
    return view;
}

cv::Mat distance_patch(const cv::Mat& picture, cv::Point2d centre, int half,
                       const cv::Vec3f& colour, int factor) {
    // Two blocks more than the patch on each side: for the interpolation, and so that the
    // smoothing at the view's border does not reach the patch.
    const int reach = (half + 2) * factor;
    const cv::Point c(cvRound(centre.x), cvRound(centre.y));
    const DistanceView view = distance_view(
        picture, cv::Rect(c.x - reach, c.y - reach, 2 * reach + factor, 2 * reach + factor), colour,
        factor);
    cv::Mat patch;
    cv::getRectSubPix(view.distance, cv::Size(2 * half + 1, 2 * half + 1),
                      cv::Point2f(view.from_frame(centre)), patch);
    return patch;
}
