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
        store_.reserve(frame, capacity_ + 1);
    }
    // On the way to `near`, a frame this far before it would be pushed out before it is reached.
    if (near - number >= capacity_) return;
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
