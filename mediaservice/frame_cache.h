#pragma once
#include <cstddef>
#include <map>

#include "mediaservice/ffmpeg_ptr.h"

// Decoded frames by frame number, bounded in bytes. When full, the frames farthest from the
// one last asked for go first, so the neighbourhood of the current frame (the steps back
// within the keyframe interval) stays.
class FrameCache {
public:
    explicit FrameCache(std::size_t byte_limit) : limit_(byte_limit) {}

    // Keeps a reference to the frame (no copy of the pictures).
    void put(int number, const AVFrame* frame, int near);
    // The frame, or nullptr.
    const AVFrame* find(int number) const;
    void clear();

    std::size_t bytes() const { return bytes_; }
    std::size_t size() const { return frames_.size(); }
    std::size_t byte_limit() const { return limit_; }

private:
    static std::size_t frame_bytes(const AVFrame* frame);
    void evict(int near);

    std::size_t limit_;
    std::size_t bytes_ = 0;
    std::map<int, AvFramePtr> frames_;
};
