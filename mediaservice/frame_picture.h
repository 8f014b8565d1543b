#pragma once
#include <QImage>

#include "mediaservice/ffmpeg_ptr.h"

// Turns decoded frames into 32-bit pictures. Keeps its scalers, and writes into a picture of
// its own that nobody else holds any more when there is one: a fresh picture for every frame
// costs the kernel's zeroing of new pages, a third of a decode at 1920 x 1080.
class FramePicture {
  public:
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

    SwsPtr sws_;
    SwsPtr shrink_;
    AvFramePtr halfway_;
    QImage pictures_[3];
};
