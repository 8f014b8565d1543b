#pragma once
#include <cstddef>
#include <cstdint>

// Memory for decoded pictures, in huge pages where the system offers them: memory touched for
// the first time costs a fault a page, and on a virtual machine a fault costs microseconds, so
// that a 1280 x 720 picture in fresh small pages takes longer to fault in than to decode, one
// of 3840 x 2160 longer than to copy, and the 250 frames of a 320 x 240 group decoded for a
// step back twice as long as decoding them. Pictures of a megabyte and more get huge pages of
// their own; smaller ones share them. Any thread may allocate and free.

// Memory for one picture, aligned to `alignment` (a power of two).
std::uint8_t* allocate_frame_memory(std::size_t alignment, std::size_t size);
// Frees what allocate_frame_memory gave for the same alignment and size.
void free_frame_memory(std::uint8_t* data, std::size_t alignment, std::size_t size);
// The memory an allocation of `size` bytes takes.
std::size_t frame_memory_size(std::size_t size);
