#pragma once
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "mediaservice/ffmpeg_ptr.h"

// Copies of decoded frames in memory of our own, recycled when a copy is dropped.
// Keeping the decoder's own frames instead would make it decode every new frame into memory it
// has not touched for a while, which slows decoding by a third or more; a copy costs a tenth.
// Every copy must be dropped before the store goes.
class FrameStore {
  public:
    FrameStore() = default;
    FrameStore(const FrameStore&) = delete;
    FrameStore& operator=(const FrameStore&) = delete;
    ~FrameStore();

    // Prepares `count` buffers for copies of frames like this one, on a thread of its own at
    // the lowest priority: memory the kernel has never handed out costs more than a decode to
    // touch the first time, and steps and play should not pay for it while the cache fills.
    // Up to `most_spare` buffers given back are kept for later copies.
    void reserve(const AVFrame* frame, int count, int most_spare);
    // Stops making buffers ready, within a megabyte of the one being made, and waits for that.
    void stop_preparing();
    // Bytes of buffers made ready so far, counted by the megabyte.
    std::size_t prepared_bytes() const { return prepared_bytes_; }
    // Whether a copy would find a buffer ready.
    bool has_spare();
    // A copy of the frame's pictures and properties, or nullptr when out of memory.
    AvFramePtr copy(const AVFrame* frame);
    // Bytes one copy of the frame takes.
    static std::size_t bytes_for(const AVFrame* frame);
    // The memory a buffer for one copy of the frame takes.
    static std::size_t memory_for(const AVFrame* frame);

  private:
    AVBufferRef* buffer(std::size_t size);
    static void give_back(void* store, std::uint8_t* data);
    // A buffer of `size` bytes that remembers its size, so that one of an earlier frame size
    // (a clip whose frame size changes part-way) never goes back among the spares of another.
    static std::uint8_t* allocate(std::size_t size);
    static std::size_t size_of(const std::uint8_t* data);
    static void release(std::uint8_t* data);

    void prepare(std::size_t size, int count);

    std::mutex mutex_;      // guards spare_ and size_ against the preparing thread and give_back
    std::size_t size_ = 0;  // the size of the spare buffers
    std::size_t most_spare_ = 8;
    std::vector<std::uint8_t*> spare_;
    std::atomic<bool> stop_{false};
    std::atomic<std::size_t> prepared_bytes_{0};
    std::thread preparer_;
};
