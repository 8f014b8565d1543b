#include "mediaservice/frame_store.h"

#include <cstdlib>
#include <cstring>

#include "mediaservice/frame_memory.h"

extern "C" {
#include <libavutil/imgutils.h>
}

namespace {
constexpr int kAlign = 64;
}  // namespace

FrameStore::~FrameStore() {
    stop_ = true;
    if (preparer_.joinable()) preparer_.join();
    for (std::uint8_t* data : spare_) std::free(data);
}

void FrameStore::reserve(const AVFrame* frame, int count) {
    const std::size_t size = bytes_for(frame);
    if (size == 0 || count <= 0 || preparer_.joinable()) return;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        size_ = size;
        most_spare_ = static_cast<std::size_t>(count);
    }
    preparer_ = std::thread([this, size, count] { prepare(size, count); });
}

void FrameStore::prepare(std::size_t size, int count) {
    for (int k = 0; k < count && !stop_; ++k) {
        auto* data = allocate_frame_memory(kAlign, size);
        if (!data) return;
        // The pages are the kernel's to find now, not later: one write a page is enough.
        for (std::size_t at = 0; at < size; at += 4096) data[at] = 0;
        std::lock_guard<std::mutex> lock(mutex_);
        if (size_ != size || spare_.size() >= most_spare_) {
            std::free(data);
            return;
        }
        spare_.push_back(data);
    }
}

std::size_t FrameStore::bytes_for(const AVFrame* frame) {
    const int size = av_image_get_buffer_size(static_cast<AVPixelFormat>(frame->format),
                                              frame->width, frame->height, kAlign);
    return size < 0 ? 0 : (static_cast<std::size_t>(size) + 2 * kAlign - 1) / kAlign * kAlign;
}

void FrameStore::give_back(void* store, std::uint8_t* data) {
    auto* self = static_cast<FrameStore*>(store);
    std::lock_guard<std::mutex> lock(self->mutex_);
    if (self->spare_.size() < self->most_spare_)
        self->spare_.push_back(data);
    else
        std::free(data);
}

AVBufferRef* FrameStore::buffer(std::size_t size) {
    std::uint8_t* data = nullptr;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (size != size_) {
            for (std::uint8_t* spare : spare_) std::free(spare);
            spare_.clear();
            size_ = size;
        }
        if (!spare_.empty()) {
            data = spare_.back();
            spare_.pop_back();
        }
    }
    if (!data) {
        data = allocate_frame_memory(kAlign, size);
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
                         static_cast<AVPixelFormat>(frame->format), frame->width, frame->height,
                         kAlign);
    if (av_frame_copy(out.get(), frame) < 0 || av_frame_copy_props(out.get(), frame) < 0)
        return nullptr;
    return out;
}
