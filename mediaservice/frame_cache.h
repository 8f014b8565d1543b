#pragma once
#include <QImage>
#include <cstddef>
#include <map>

#include "mediaservice/ffmpeg_ptr.h"
#include "mediaservice/frame_copier.h"
#include "mediaservice/frame_store.h"

// Decoded frames by frame number, bounded in bytes and in frames. When full, the frames
// farthest from the one last asked for go first, so the neighbourhood of the current frame
// (the steps back within the keyframe interval) stays.
//
// Two bounds: a resting one for frames decoded on the way forward (a few keyframe intervals),
// and the whole budget for frames decoded to answer a step back, which is where a long group
// has to be decoded again from its keyframe for every stretch of frames that does not fit.
class FrameCache {
  public:
    // Why a frame was decoded.
    enum class Use {
        playing,        // within the resting bound, into buffers made ready ahead only
        forward,        // stepping or seeking: within the resting bound
        stepping_back,  // to answer a step back: within the whole budget, every copy made
    };

    FrameCache(std::size_t byte_limit, int frame_limit, int resting_frames)
        : byte_limit_(byte_limit), frame_limit_(frame_limit), resting_frames_(resting_frames) {}

    // Keeps a copy of the frame, unless it is too far from `near` to survive in the cache. A
    // frame decoded on the way to `near`, and close to it (not while playing), gets its
    // picture for the screen made on the copying thread, at the size last set.
    void put(int number, const AVFrame* frame, int near, Use use);
    // The frame, or nullptr (waiting for its copy when that is on its way).
    const AVFrame* find(int number);
    // The frame when its copy is made already, or nullptr.
    const AVFrame* find_ready(int number);
    // Makes the decoder (not yet opened) decode frames of 640 x 360 and more into the cache's
    // memory where it can, so that keeping them copies nothing. The decoder must go before the
    // cache.
    void decode_into(AVCodecContext* codec);
    // The size of the pictures made with the copies; empty for none.
    void set_picture_size(QSize size);
    // The frame's picture of `size`, made with its copy (waiting for it) or kept when the frame
    // was shown; a null picture when there is none.
    QImage picture(int number, QSize size);
    // Keeps the picture made when the frame was shown, when it has the size last set.
    void keep_picture(int number, const QImage& picture);

    // Memory of the frames and pictures kept.
    std::size_t bytes() const { return frames_.size() * one_; }
    std::size_t size() const { return frames_.size(); }
    // Before the first frame is put.
    void set_limits(std::size_t bytes, int frames, int resting_frames) {
        byte_limit_ = bytes;
        frame_limit_ = frames;
        resting_frames_ = resting_frames;
    }

  private:
    // Frames smaller than this are copied where they are decoded (see put).
    static constexpr int kLargeFrame = 640 * 360;
    void size_up(const AVFrame* frame);
    // How many frames fit, with a picture each.
    void fit();
    void evict(int near, int most);
    // Hands the frame to the copying thread, with a picture of `picture`'s size unless that is
    // empty; false when it goes uncached because the copies have fallen behind.
    bool hand_over(int number, const AVFrame* frame, QSize picture, Use use);

    std::size_t byte_limit_;
    int frame_limit_;
    int resting_frames_;
    FrameStore store_;             // declared before the frames, which give their memory back to it
    int capacity_ = 1;             // frames that fit in the budget
    int resting_ = 1;              // frames kept on the way forward
    std::size_t frame_bytes_ = 0;  // memory of one frame, once the frame size is known
    std::size_t one_ = 0;          // that and a picture
    QSize picture_size_;
    bool small_ = false;  // frames this size are copied here, and their shown pictures not kept
    std::map<int, std::shared_ptr<FrameCopier::Slot>> frames_;
    FrameCopier copier_{store_};  // declared last: it stops before the frames and the store go
};
