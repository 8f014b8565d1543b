#include "mediaservice/frame_cache.h"

#include <algorithm>
#include <cstdlib>

void FrameCache::size_up(const AVFrame* frame) {
    frame_bytes_ = store_.memory_for(frame) + sizeof(AVFrame);
    small_ = frame->width * frame->height < kLargeFrame;
    fit();
    // Buffers made ready ahead in the background. For frames of 640 x 360 and more, about a
    // second of a 1080p clip: the first step back across a keyframe fills that many, and memory
    // never touched costs more than the decode. No more than 128 MB, and at least 8, so that a
    // 2160p clip's open makes no more ready than 8, as small frames do (more made ready at once
    // slow everything else down for a second, even at a low priority). The rest are made ready
    // after them, at a gentler pace, so that the first step back across a keyframe finds them.
    // Buffers of frames pushed out are kept for the next frames, up to the whole cache's worth:
    // memory given back and asked for again costs a page fault a page.
    constexpr int kLeastReadyAhead = 8;
    constexpr std::size_t kReadyAheadBytes = 128u << 20;
    const std::size_t fill = kReadyAheadBytes / store_.memory_for(frame);
    const int ready_ahead =
        small_ ? kLeastReadyAhead
               : static_cast<int>(std::clamp<std::size_t>(fill, kLeastReadyAhead, 1 << 16));
    // In all, a buffer for every frame the cache holds and for those the decoder holds on to.
    constexpr int kDecoderHolds = 8;
    store_.reserve(frame, std::min(resting_ + 1, ready_ahead), capacity_ + kDecoderHolds);
}

void FrameCache::decode_into(AVCodecContext* codec) {
    // A small frame costs less to copy than for the decoder to write into memory out of the
    // processor's cache (a step back across a keyframe at 320 x 240 took a tenth longer).
    if (codec->width * codec->height >= kLargeFrame) store_.decode_into(codec);
}

void FrameCache::fit() {
    const QSize picture = picture_size_.isEmpty() ? QSize(0, 0) : picture_size_;
    one_ = frame_bytes_ + static_cast<std::size_t>(picture.width()) * picture.height() * 4;
    const std::size_t fit = std::max<std::size_t>(1, byte_limit_ / one_);
    capacity_ = static_cast<int>(std::min<std::size_t>(fit, frame_limit_));
    resting_ = std::clamp(resting_frames_, 1, capacity_);
}

void FrameCache::set_picture_size(QSize size) {
    if (size.isEmpty()) size = QSize();
    if (size == picture_size_) return;
    picture_size_ = size;
    // Pictures of another size are of no more use.
    for (auto& [number, slot] : frames_) slot->shown = QImage();
    if (frame_bytes_ > 0) fit();
}

QImage FrameCache::picture(int number, QSize size) {
    auto it = frames_.find(number);
    if (it == frames_.end() || size.isEmpty()) return QImage();
    const FrameCopier::Slot& slot = *it->second;
    if (slot.shown.size() == size) return slot.shown;
    return slot.picture_size == size ? copier_.picture(slot) : QImage();
}

void FrameCache::keep_picture(int number, const QImage& picture) {
    // Only pictures of the size the budget counts. A small frame's picture costs less to make
    // again than to keep for every frame shown.
    if (small_ || picture.size() != picture_size_) return;
    auto it = frames_.find(number);
    if (it != frames_.end()) it->second->shown = picture;
}

void FrameCache::put(int number, const AVFrame* frame, int near, Use use) {
    if (frame_limit_ <= 0 || frames_.count(number)) return;
    if (frame_bytes_ == 0) {
        size_up(frame);
    } else if (const std::size_t bytes = store_.memory_for(frame) + sizeof(AVFrame);
               bytes > frame_bytes_) {
        // Frames larger than the first (a damaged clip, or a recording whose size grows):
        // the budget counts every frame at the largest size, so it holds in bytes.
        frame_bytes_ = bytes;
        fit();
    }
    int most = use == Use::stepping_back ? capacity_ : resting_;
    // On the way to `near`, a frame this far before it would be pushed out before it is reached.
    if (near - number >= most) return;
    // Play does not wait for fresh memory: while no buffer is ready, the cache does not grow,
    // and the frame takes the place of the one farthest away.
    if (use == Use::playing && !store_.has_spare())
        most = std::clamp(static_cast<int>(frames_.size()), 1, most);
    // Pictures for the frames the next steps come to, not for the whole of a long group.
    const bool on_the_way = use != Use::playing && number != near && near - number < resting_;
    const QSize picture = on_the_way ? picture_size_ : QSize();
    // A frame decoded into the store's memory is only referred to, here. A small frame is
    // copied here when a buffer is ready for it: that costs less than handing it over (a step
    // back across a keyframe at 320 x 240 took a fifth longer handing its frames over). Memory
    // yet to be touched costs more than the decode, and is left to the copying thread.
    if ((small_ && store_.has_spare()) || store_.holds(frame))
        frames_.emplace(number, copier_.copy_here(frame, picture));
    else if (!hand_over(number, frame, picture, use))
        return;
    evict(near, most);
}

bool FrameCache::hand_over(int number, const AVFrame* frame, QSize picture, Use use) {
    // Frames waiting for their copy hold the decoder's buffers, and the decoder would make new
    // ones without end. When the copies fall behind (playing or stepping on a busy machine),
    // the frame goes uncached instead, and is decoded again if a step back comes to it. A step
    // back, which decodes its frames for the steps back that follow, waits for them instead.
    constexpr std::size_t kMostWaitingBytes = 64u << 20;
    const std::size_t most_waiting = std::max<std::size_t>(2, kMostWaitingBytes / one_);
    if (use != Use::stepping_back && copier_.backlog() >= most_waiting) return false;
    copier_.wait_below(most_waiting);
    frames_.emplace(number, copier_.submit(frame, picture));
    return true;
}

const AVFrame* FrameCache::find(int number) {
    auto it = frames_.find(number);
    return it == frames_.end() ? nullptr : copier_.wait(*it->second);
}

const AVFrame* FrameCache::find_ready(int number) {
    auto it = frames_.find(number);
    return it == frames_.end() ? nullptr : copier_.ready(*it->second);
}

void FrameCache::evict(int near, int most) {
    while (frames_.size() > static_cast<std::size_t>(most) && frames_.size() > 1) {
        auto first = frames_.begin();
        auto last = std::prev(frames_.end());
        auto victim = std::abs(first->first - near) >= std::abs(last->first - near) ? first : last;
        frames_.erase(victim);
    }
}
