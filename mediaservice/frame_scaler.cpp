#include "mediaservice/frame_scaler.h"

extern "C" {
#include <libavutil/opt.h>
}

namespace {
// Below this many source pixels the threads' hand-over costs as much as it saves: a frame just
// decoded is in the processor's cache, and one thread makes its picture about as fast.
constexpr int kPixelsWorthThreads = 1920 * 1080;

void keep_memory(void*, std::uint8_t*) {}
}  // namespace

SwsContext* FrameScaler::scaler_for(const AVFrame* source, const AVFrame* target, int flags) {
    const int threads = source->width * source->height >= kPixelsWorthThreads ? threads_ : 1;
    const std::array<int, 8> wanted = {source->width, source->height, source->format,
                                       target->width, target->height, target->format,
                                       flags,         threads};
    if (sws_ && wanted == made_for_) return sws_.get();
    sws_.reset(sws_alloc_context());
    if (!sws_) return nullptr;
    SwsContext* s = sws_.get();
    av_opt_set_int(s, "srcw", source->width, 0);
    av_opt_set_int(s, "srch", source->height, 0);
    av_opt_set_int(s, "src_format", source->format, 0);
    av_opt_set_int(s, "dstw", target->width, 0);
    av_opt_set_int(s, "dsth", target->height, 0);
    av_opt_set_int(s, "dst_format", target->format, 0);
    av_opt_set_int(s, "sws_flags", flags, 0);
    av_opt_set_int(s, "threads", threads, 0);
    if (sws_init_context(s, nullptr, nullptr) < 0) {
        sws_.reset();
        return nullptr;
    }
    made_for_ = wanted;
    return s;
}

bool FrameScaler::scale(const AVFrame* source, AVFrame* target, int flags) {
    SwsContext* s = scaler_for(source, target, flags);
    // The frame interface shares the rows out among the scaler's threads.
    return s && sws_scale_frame(s, target, source) >= 0;
}

bool FrameScaler::scale(const AVFrame* source, std::uint8_t* pixels, int stride, int width,
                        int height, AVPixelFormat format, int flags) {
    AvFramePtr target(av_frame_alloc());
    if (!target) return false;
    target->width = width;
    target->height = height;
    target->format = format;
    target->data[0] = pixels;
    target->linesize[0] = stride;
    // The memory stays the caller's: the scaler only needs to see that the frame has some.
    target->buf[0] = av_buffer_create(pixels, static_cast<std::size_t>(stride) * height,
                                      &keep_memory, nullptr, 0);
    return target->buf[0] && scale(source, target.get(), flags);
}
