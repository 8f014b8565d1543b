#include "mediaservice/frame_cache.h"

#include <algorithm>
#include <cstdlib>

std::size_t FrameCache::frame_bytes(const AVFrame* frame) {
    std::size_t total = 0;
    for (const AVBufferRef* buffer : frame->buf) {
        if (buffer) total += buffer->size;
    }
    return total + sizeof(AVFrame);
}

void FrameCache::put(int number, const AVFrame* frame, int near) {
    if (frame_limit_ <= 0 || frames_.count(number)) return;
    if (limit_ == 0) {
        const std::size_t one = FrameStore::bytes_for(frame) + sizeof(AVFrame);
        limit_ = std::max(one, std::min(byte_limit_, one * static_cast<std::size_t>(frame_limit_)));
        capacity_ = static_cast<int>(limit_ / one);
        store_.reserve(frame, capacity_ + 1);
    }
    // On the way to `near`, a frame this far before it would be pushed out before it is reached.
    if (near - number >= capacity_) return;
    AvFramePtr copy = store_.copy(frame);
    if (!copy) return;
    bytes_ += frame_bytes(copy.get());
    frames_.emplace(number, std::move(copy));
    evict(near);
}

const AVFrame* FrameCache::find(int number) const {
    auto it = frames_.find(number);
    return it == frames_.end() ? nullptr : it->second.get();
}

void FrameCache::clear() {
    frames_.clear();
    bytes_ = 0;
}

void FrameCache::evict(int near) {
    while (bytes_ > limit_ && frames_.size() > 1) {
        auto first = frames_.begin();
        auto last = std::prev(frames_.end());
        auto victim = std::abs(first->first - near) >= std::abs(last->first - near) ? first : last;
        bytes_ -= frame_bytes(victim->second.get());
        frames_.erase(victim);
    }
}
