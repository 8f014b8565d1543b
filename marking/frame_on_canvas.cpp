#include "marking/frame_on_canvas.h"

FrameOnCanvas::FrameOnCanvas(int frame_w, int frame_h, int area_w, int area_h)
    : rect_(fit_picture(frame_w, frame_h, area_w, area_h)),
      frame_per_canvas_(static_cast<double>(frame_w) / rect_.width,
                        static_cast<double>(frame_h) / rect_.height) {}

// A pixel's centre lies half a pixel inside its edge in both pictures, and the edges of the
// picture's rectangle and of the frame are what the scaling matches.
cv::Point2d FrameOnCanvas::to_frame(cv::Point2d canvas) const {
    return {(canvas.x - rect_.x + 0.5) * frame_per_canvas_.x - 0.5,
            (canvas.y - rect_.y + 0.5) * frame_per_canvas_.y - 0.5};
}

cv::Point2d FrameOnCanvas::to_canvas(cv::Point2d frame) const {
    return {(frame.x + 0.5) / frame_per_canvas_.x - 0.5 + rect_.x,
            (frame.y + 0.5) / frame_per_canvas_.y - 0.5 + rect_.y};
}
