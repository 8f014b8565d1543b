#include "mediaservice/frame_memory.h"

#include <sys/mman.h>

#include <cstdlib>

namespace {
constexpr std::size_t kHugePage = 2u << 20;
constexpr std::size_t kLeastInHugePages = 1u << 20;
}  // namespace

std::size_t frame_memory_size(std::size_t size) {
    if (size < kLeastInHugePages) return size;
    return (size + kHugePage - 1) / kHugePage * kHugePage;
}

std::uint8_t* allocate_frame_memory(std::size_t alignment, std::size_t size) {
    // aligned_alloc takes whole multiples of the alignment only.
    if (size < kLeastInHugePages)
        return static_cast<std::uint8_t*>(
            std::aligned_alloc(alignment, (size + alignment - 1) / alignment * alignment));
    const std::size_t rounded = frame_memory_size(size);
    auto* data = static_cast<std::uint8_t*>(std::aligned_alloc(kHugePage, rounded));
    // Only advice: without huge pages the memory works the same.
    if (data) madvise(data, rounded, MADV_HUGEPAGE);
    return data;
}
