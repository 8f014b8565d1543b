#include "mediaservice/frame_store.h"

#include <cstdlib>

extern "C" {
#include <libavutil/imgutils.h>
}

namespace {
constexpr int kAlign = 64;
constexpr std::size_t kMostSpare = 8;
}  // namespace

FrameStore::~FrameStore() {
    for (std::uint8_t* data : spare_) std::free(data);
}

std::size_t FrameStore::bytes_for(const AVFrame* frame) {
    const int size = av_image_get_buffer_size(static_cast<AVPixelFormat>(frame->format), frame->width,
                                              frame->height, kAlign);
    return size < 0 ? 0 : (static_cast<std::size_t>(size) + 2 * kAlign - 1) / kAlign * kAlign;
}

void FrameStore::give_back(void* store, std::uint8_t* data) {
    auto* self = static_cast<FrameStore*>(store);
    if (self->spare_.size() < kMostSpare)
        self->spare_.push_back(data);
    else
        std::free(data);
}

AVBufferRef* FrameStore::buffer(std::size_t size) {
    if (size != size_) {
        for (std::uint8_t* data : spare_) std::free(data);
        spare_.clear();
        size_ = size;
    }
    std::uint8_t* data = nullptr;
    if (!spare_.empty()) {
        data = spare_.back();
        spare_.pop_back();
    } else {
        data = static_cast<std::uint8_t*>(std::aligned_alloc(kAlign, size));
        if (!data) return nullptr;
    }
    AVBufferRef* ref = av_buffer_create(data, size, &FrameStore::give_back, this, 0);
    if (!ref) std::free(data);
    return ref;
}

AvFramePtr FrameStore::copy(const AVFrame* frame) {
    const std::size_t size = bytes_for(frame);
    if (size == 0) return nullptr;
    AvFramePtr out(av_frame_alloc());
    if (!out) return nullptr;
    out->buf[0] = buffer(size);
    if (!out->buf[0]) return nullptr;
    out->format = frame->format;
    out->width = frame->width;
    out->height = frame->height;
    av_image_fill_arrays(out->data, out->linesize, out->buf[0]->data,
                         static_cast<AVPixelFormat>(frame->format), frame->width, frame->height, kAlign);
    if (av_frame_copy(out.get(), frame) < 0 || av_frame_copy_props(out.get(), frame) < 0) return nullptr;
    return out;
}
