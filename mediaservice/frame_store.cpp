#include "mediaservice/frame_store.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <algorithm>
#include <chrono>

#include <cstdlib>
#include <cstring>

#include "mediaservice/address_sanitizer.h"
#include "mediaservice/frame_memory.h"

extern "C" {
#include <libavutil/imgutils.h>
}

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
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    taken_.notify_all();
    if (preparer_.joinable()) preparer_.join();
}

void FrameStore::reserve(const AVFrame* frame, int count, int most) {
    const std::size_t size = size_for(frame);
    if (size == 0 || count <= 0 || preparer_.joinable()) return;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (size_ != size) alive_ = 0;
        size_ = size;
        most_ = static_cast<std::size_t>(std::max(count, most));
        most_spare_ = most_;
    }
    preparer_ = std::thread([this, size, count] { prepare(size, count); });
}

void FrameStore::prepare(std::size_t size, int count) {
    // Only with time to spare: on Linux the priority is the calling thread's own.
    setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), 19);
    for (int k = 0;; ++k) {
        {
            std::unique_lock<std::mutex> lock(mutex_);
            // Past the first ones, at about a gigabyte a second: memory made ready at full speed
            // slows everything else down, even at the lowest priority.
            const auto pause = std::chrono::microseconds(size / 1024);
            if (k >= count) taken_.wait_for(lock, pause, [&] { return stop_.load(); });
            taken_.wait(lock, [&] { return stop_ || size_ != size || alive_ < most_; });
            if (stop_ || size_ != size) return;
            ++alive_;
        }
        std::uint8_t* data = allocate(size);
        if (!data) {
            std::lock_guard<std::mutex> lock(mutex_);
            if (size_ == size) --alive_;
            return;
        }
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
        if (size_ != size) {
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

std::size_t FrameStore::memory_for(const AVFrame* frame) const {
    return frame_memory_size(size_for(frame) + kAlign);
}

bool FrameStore::holds(const AVFrame* frame) const {
    return frame->buf[0] && !frame->buf[1] && av_buffer_get_opaque(frame->buf[0]) == this;
}

std::size_t FrameStore::size_for(const AVFrame* frame) const {
    return holds(frame) ? frame->buf[0]->size : bytes_for(frame);
}

void FrameStore::give_back(void* store, std::uint8_t* data) {
    auto* self = static_cast<FrameStore*>(store);
    std::lock_guard<std::mutex> lock(self->mutex_);
    const bool this_size = size_of(data) == self->size_;
    if (this_size && self->spare_.size() < self->most_spare_) {
        mark_spare(data, self->size_);
        self->spare_.push_back(data);
        return;
    }
    if (this_size) --self->alive_;
    release(data);
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
            alive_ = 0;
        }
        if (!spare_.empty()) {
            data = spare_.back();
            spare_.pop_back();
            mark_in_use(data, size);
        } else {
            ++alive_;
        }
    }
    taken_.notify_one();
    if (!data) {
        data = allocate(size);
        if (!data) {
            std::lock_guard<std::mutex> lock(mutex_);
            if (size == size_) --alive_;
            return nullptr;
        }
    }
    AVBufferRef* ref = av_buffer_create(data, size, &FrameStore::give_back, this, 0);
    if (!ref) give_back(this, data);
    return ref;
}

AvFramePtr FrameStore::copy(const AVFrame* frame) {
    if (holds(frame)) return AvFramePtr(av_frame_clone(frame));
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
