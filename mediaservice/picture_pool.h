#pragma once
#include <cstddef>
#include <cstdint>

// Memory for pictures, kept when a picture goes and handed out again for the next of the same
// size. On a virtual machine every page touched for the first time costs microseconds: a fresh
// 320 x 240 picture in small pages costs three times as long to fault in as to make. The
// memory lies in huge pages where the system offers them. Any thread may take and give back;
// the memory is 64-byte aligned.
namespace picture_pool {
std::uint8_t* take(std::size_t size);
void give_back(std::uint8_t* data);
}  // namespace picture_pool
