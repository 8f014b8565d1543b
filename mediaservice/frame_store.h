#pragma once
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "mediaservice/ffmpeg_ptr.h"

// Decoded frames in memory of our own, recycled when a frame is dropped. The decoder decodes
// straight into it where its codec allows (decode_into), so that keeping a frame for the steps
// back costs nothing: copying each frame of a keyframe interval beside the decoder slowed the
// step back across a keyframe by a third. Frames of other decoders are copied in. The buffers
// are made ready in the background (reserve): a decoder writing into memory the kernel has
// never handed out takes twice as long. Every frame must be dropped, and every decoder that
// decodes into the store closed, before the store goes.
class FrameStore {
  public:
    FrameStore() = default;
    FrameStore(const FrameStore&) = delete;
    FrameStore& operator=(const FrameStore&) = delete;
    ~FrameStore();

    // Prepares buffers for frames like this one, on a thread of its own at the lowest priority:
    // memory the kernel has never handed out costs more than a decode to touch the first time,
    // and steps and play should not pay for it while the cache fills. `count` are made ready at
    // once; then, at a gentler pace, more as they are taken, until `most` buffers of this size
    // are in use or ready. Up to `most` buffers given back are kept for later frames.
    void reserve(const AVFrame* frame, int count, int most);
    // Stops making buffers ready, within a megabyte of the one being made, and waits for that.
    void stop_preparing();
    // Bytes of buffers made ready so far, counted by the megabyte.
    std::size_t prepared_bytes() const { return prepared_bytes_; }
    // Whether a copy would find a buffer ready.
    bool has_spare();
    // A copy of the frame's pictures and properties, or nullptr when out of memory. A frame
    // decoded into this store's memory is not copied: the copy refers to the same buffer.
    AvFramePtr copy(const AVFrame* frame);
    // Makes the decoder (not yet opened) put its frames into this store's buffers, where its
    // codec allows that, so that keeping a decoded frame copies nothing.
    void decode_into(AVCodecContext* codec);
    // Whether the frame lies in one of this store's buffers.
    bool holds(const AVFrame* frame) const;
    // Bytes one copy of the frame takes.
    static std::size_t bytes_for(const AVFrame* frame);
    // The memory a buffer for one copy of the frame takes, or for the frame itself when it lies
    // in this store.
    std::size_t memory_for(const AVFrame* frame) const;

  private:
    // Pictures and their planes start on this boundary, as the widest vector instructions want;
    // the size of a buffer is kept in the block just before it.
    static constexpr int kAlign = 64;

    AVBufferRef* buffer(std::size_t size);
    // The decoder's request for a frame's memory (AVCodecContext::get_buffer2).
    static int decoder_buffer(AVCodecContext* codec, AVFrame* frame, int flags);
    // The bytes of the buffer the frame lies in, or would be copied into.
    std::size_t size_for(const AVFrame* frame) const;
    static void give_back(void* store, std::uint8_t* data);
    // A buffer of `size` bytes that remembers its size, so that one of an earlier frame size
    // (a clip whose frame size changes part-way) never goes back among the spares of another.
    static std::uint8_t* allocate(std::size_t size);
    static std::size_t size_of(const std::uint8_t* data);
    static void release(std::uint8_t* data);

    void prepare(std::size_t size, int count);

    // Guards what follows against the preparing thread, the decoder's threads and give_back.
    std::mutex mutex_;
    std::condition_variable taken_;  // a spare was taken, or the preparing is to stop
    std::size_t size_ = 0;           // the size of the spare buffers
    std::size_t most_spare_ = 8;
    std::size_t alive_ = 0;  // buffers of that size in use or spare
    std::size_t most_ = 0;   // the preparing thread stops when this many are alive
    std::vector<std::uint8_t*> spare_;
    std::atomic<bool> stop_{false};
    std::atomic<std::size_t> prepared_bytes_{0};
    std::thread preparer_;
};
