#include "mediaservice/frame_cache.h"

#include <algorithm>
#include <cstdlib>

void FrameCache::put(int number, const AVFrame* frame, int near) {
    if (frame_limit_ <= 0 || frames_.count(number)) return;
    if (limit_ == 0) {
        one_ = FrameStore::bytes_for(frame) + sizeof(AVFrame);
        limit_ =
            std::max(one_, std::min(byte_limit_, one_ * static_cast<std::size_t>(frame_limit_)));
        capacity_ = static_cast<int>(limit_ / one_);
        // A few buffers made ready ahead; the rest come as the cache fills, so that playing
        // right after opening a large clip does not wait behind half a gigabyte of fresh pages.
        constexpr int kReadyAhead = 8;
        store_.reserve(frame, std::min(capacity_ + 1, kReadyAhead));
    }
    // On the way to `near`, a frame this far before it would be pushed out before it is reached.
    if (near - number >= capacity_) return;
    // When the copies fall behind (playing on a busy machine), frames waiting for their copy
    // hold the decoder's buffers, and the decoder would make new ones without end: the frame
    // goes uncached instead, and is decoded again if a step back comes to it.
    constexpr std::size_t kMostWaitingBytes = 64u << 20;
    if (copier_.backlog() * one_ >= std::max(kMostWaitingBytes, 2 * one_)) return;
    frames_.emplace(number, copier_.submit(frame));
    bytes_ += one_;
    evict(near);
}

const AVFrame* FrameCache::find(int number) {
    auto it = frames_.find(number);
    return it == frames_.end() ? nullptr : copier_.wait(*it->second);
}

const AVFrame* FrameCache::find_ready(int number) {
    auto it = frames_.find(number);
    return it == frames_.end() ? nullptr : copier_.ready(*it->second);
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
        bytes_ -= one_;
        frames_.erase(victim);
    }
}
