#pragma once
#include <cstddef>
#include <cstdint>

// Memory for one decoded picture, aligned to `alignment` (a power of two); free it with
// std::free. Pictures of 2 MB and more lie in huge pages where the system offers them: a
// 3840 x 2160 picture touched for the first time then costs six faults instead of three
// thousand, which otherwise take more time than copying the picture.
std::uint8_t* allocate_frame_memory(std::size_t alignment, std::size_t size);
