#pragma once
#include <opencv2/core.hpp>
#include <optional>
#include <string>

// Scenes for the tracking benchmark: a ball thrown across a plain or cluttered background,
// optionally passing behind a bar, each frame stored as a JPEG (the compression of a clip) and
// read back as a BGRA picture, as the program's frames are.
struct TrackingScene {
    std::string label;
    cv::Size size{1920, 1080};
    double radius = 20;      // of the ball, in frame pixels
    bool cluttered = false;  // rectangles and discs of any colour behind the ball
    unsigned clutter_seed = 7;
    bool spinning = false;    // a dark spot on the ball turns 3 degrees a frame
    bool obstacle = false;    // a bar stands in the ball's way, a third of the way across
    cv::Point2d start{0, 0};  // the ball's centre on frame 0, in frame pixels
    cv::Point2d velocity;     // frame pixels a frame
    double gravity = 0;       // frame pixels a frame, squared, downwards
    int frames = 60;
    int jpeg_quality = 80;

    cv::Point2d centre(int frame) const;
    // Of the ball's area, the share not behind the bar or beyond the picture's edge.
    double visible_share(int frame) const;
    // The frame as the program would read it (CV_8UC4).
    cv::Mat picture(int frame) const;

  private:
    cv::Mat background() const;
    mutable cv::Mat background_;
};
