#include "mediaservice/frame_store.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <algorithm>

#include <cstdlib>
#include <cstring>

#include "mediaservice/address_sanitizer.h"
#include "mediaservice/frame_memory.h"

extern "C" {
#include <libavutil/imgutils.h>
}

namespace {
// Alignment of the pictures; the size of a buffer is kept in the block just before it.
constexpr int kAlign = 64;
}  // namespace

std::uint8_t* FrameStore::allocate(std::size_t size) {
    std::uint8_t* block = allocate_frame_memory(kAlign, size + kAlign);
    if (!block) return nullptr;
    std::memcpy(block, &size, sizeof size);
    return block + kAlign;
}

std::size_t FrameStore::size_of(const std::uint8_t* data) {
    std::size_t size = 0;
    std::memcpy(&size, data - kAlign, sizeof size);
    return size;
}

void FrameStore::release(std::uint8_t* data) {
    mark_in_use(data, size_of(data));
    free_frame_memory(data - kAlign, kAlign, size_of(data) + kAlign);
}

FrameStore::~FrameStore() {
    stop_preparing();
    for (std::uint8_t* data : spare_) release(data);
}

void FrameStore::stop_preparing() {
    stop_ = true;
    if (preparer_.joinable()) preparer_.join();
}

void FrameStore::reserve(const AVFrame* frame, int count, int most_spare) {
    const std::size_t size = bytes_for(frame);
    if (size == 0 || count <= 0 || preparer_.joinable()) return;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        size_ = size;
        most_spare_ = static_cast<std::size_t>(std::max(count, most_spare));
    }
    preparer_ = std::thread([this, size, count] { prepare(size, count); });
}

void FrameStore::prepare(std::size_t size, int count) {
    // Only with time to spare: on Linux the priority is the calling thread's own.
    setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), 19);
    for (int k = 0; k < count && !stop_; ++k) {
        std::uint8_t* data = allocate(size);
        if (!data) return;
        // The pages are the kernel's to find now, not later: one write a page is enough. On a
        // busy machine this thread, at the lowest priority, takes long over a large buffer, and
        // closing the clip waits for it: it looks for the stop every megabyte.
        constexpr std::size_t kPage = 4096, kStopEvery = 1u << 20;
        for (std::size_t at = 0; at < size; at += kPage) {
            if (at % kStopEvery == 0) {
                if (stop_) {
                    release(data);
                    return;
                }
                prepared_bytes_ = static_cast<std::size_t>(k) * size + at;
            }
            data[at] = 0;
        }
        prepared_bytes_ = static_cast<std::size_t>(k + 1) * size;
        std::lock_guard<std::mutex> lock(mutex_);
        if (size_ != size || spare_.size() >= static_cast<std::size_t>(count)) {
            release(data);
            return;
        }
        mark_spare(data, size);
        spare_.push_back(data);
    }
}

std::size_t FrameStore::bytes_for(const AVFrame* frame) {
    const int size = av_image_get_buffer_size(static_cast<AVPixelFormat>(frame->format),
                                              frame->width, frame->height, kAlign);
    return size < 0 ? 0 : (static_cast<std::size_t>(size) + 2 * kAlign - 1) / kAlign * kAlign;
}

std::size_t FrameStore::memory_for(const AVFrame* frame) {
    return frame_memory_size(bytes_for(frame) + kAlign);
}

void FrameStore::give_back(void* store, std::uint8_t* data) {
    auto* self = static_cast<FrameStore*>(store);
    std::lock_guard<std::mutex> lock(self->mutex_);
    if (size_of(data) == self->size_ && self->spare_.size() < self->most_spare_) {
        mark_spare(data, self->size_);
        self->spare_.push_back(data);
    } else {
        release(data);
    }
}

bool FrameStore::has_spare() {
    std::lock_guard<std::mutex> lock(mutex_);
    return !spare_.empty();
}

AVBufferRef* FrameStore::buffer(std::size_t size) {
    std::uint8_t* data = nullptr;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (size != size_) {
            for (std::uint8_t* spare : spare_) release(spare);
            spare_.clear();
            size_ = size;
        }
        if (!spare_.empty()) {
            data = spare_.back();
            spare_.pop_back();
            mark_in_use(data, size);
        }
    }
    if (!data) {
        data = allocate(size);
        if (!data) return nullptr;
    }
    AVBufferRef* ref = av_buffer_create(data, size, &FrameStore::give_back, this, 0);
    if (!ref) release(data);
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
