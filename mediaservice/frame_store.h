#pragma once
#include <cstddef>
#include <cstdint>
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

    // A copy of the frame's pictures and properties, or nullptr when out of memory.
    AvFramePtr copy(const AVFrame* frame);
    // Bytes one copy of the frame takes.
    static std::size_t bytes_for(const AVFrame* frame);

private:
    AVBufferRef* buffer(std::size_t size);
    static void give_back(void* store, std::uint8_t* data);

    std::size_t size_ = 0;  // the size of the spare buffers
    std::vector<std::uint8_t*> spare_;
};
