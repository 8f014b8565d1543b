#pragma once
#include <QImage>

#include "mediaservice/ffmpeg_ptr.h"
#include "mediaservice/frame_scaler.h"

// Turns decoded frames into 32-bit pictures. Keeps its scalers, and writes into a picture of
// its own that nobody else holds any more when there is one: a fresh picture for every frame
// costs the kernel's zeroing of new pages, a third of a decode at 1920 x 1080.
class FramePicture {
  public:
    // `threads`: how many threads share the work on a large frame.
    explicit FramePicture(int threads = 1) : sws_(threads), shrink_(threads), area_(threads) {}

    // At the clip's own size, pixel for pixel.
    QImage convert(const AVFrame* frame) {
        return convert(frame, QSize(frame->width, frame->height));
    }
    // Scaled to `size`, averaging the pixels that fall together.
    QImage convert(const AVFrame* frame, QSize size);

  private:
    QImage& free_picture(int width, int height);
    // A much larger frame first shrunk to twice `size` with a fast filter, or the frame itself.
    const AVFrame* shrunk(const AVFrame* frame, QSize size);
    // The frame scaled to `size` in its own format into `buffer`, or null.
    static const AVFrame* resized(const AVFrame* frame, QSize size, FrameScaler& scaler,
                                  AvFramePtr& buffer, int flags);

    FrameScaler sws_;
    FrameScaler shrink_;
    FrameScaler area_;
    AvFramePtr halfway_;
    AvFramePtr scaled_;
    QImage pictures_[3];
};
