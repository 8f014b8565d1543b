#pragma once
#include <cstddef>
#include <cstdint>

// Memory for one decoded picture, aligned to `alignment` (a power of two); free it with
// std::free. Pictures of a megabyte and more lie in huge pages where the system offers them:
// memory touched for the first time costs a fault a page, and on a virtual machine a fault
// costs microseconds, so that a 1280 x 720 picture in fresh small pages takes longer to
// fault in than to decode, and one of 3840 x 2160 takes longer than to copy.
std::uint8_t* allocate_frame_memory(std::size_t alignment, std::size_t size);
// The memory an allocation of `size` bytes takes.
std::size_t frame_memory_size(std::size_t size);
