#pragma once
#include <opencv2/core.hpp>

#include "mediaservice/picture_fit.h"

// Where the clip's frame shows on the canvas, and canvas pixels to frame pixels and back. The
// video service paints the frame scaled into the rectangle that fit_picture gives in its
// destination (the video area's size, from the origin of the canvas's drawing area); both
// count pixel centres: the centre of pixel (i, j) lies at (i, j).
class FrameOnCanvas {
  public:
    FrameOnCanvas() = default;
    // A frame of `frame_w` x `frame_h` displayed pixels in a destination of `area_w` x `area_h`.
    FrameOnCanvas(int frame_w, int frame_h, int area_w, int area_h);

    cv::Point2d to_frame(cv::Point2d canvas) const;
    cv::Point2d to_canvas(cv::Point2d frame) const;

  private:
    PictureRect rect_{0, 0, 1, 1};
    cv::Point2d frame_per_canvas_{1, 1};
};
