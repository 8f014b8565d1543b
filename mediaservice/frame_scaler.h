#pragma once
#include <array>

#include "mediaservice/ffmpeg_ptr.h"

// One FFmpeg scaler, made anew only when the sizes, formats or filter change. Large frames are
// shared out among `threads` threads by rows of the result; small ones are not worth the
// hand-over.
class FrameScaler {
  public:
    explicit FrameScaler(int threads = 1) : threads_(threads) {}

    // Scales `source` into `target`, whose size and format say what is wanted; `target` must
    // have its memory. False when FFmpeg can make no scaler for it.
    bool scale(const AVFrame* source, AVFrame* target, int flags);
    // The same into pixels of our own, `width` x `height` in `format`.
    bool scale(const AVFrame* source, std::uint8_t* pixels, int stride, int width, int height,
               AVPixelFormat format, int flags);

  private:
    SwsContext* scaler_for(const AVFrame* source, const AVFrame* target, int flags);

    int threads_;
    SwsPtr sws_;
    std::array<int, 10> made_for_{};  // what sws_ was made for
};
