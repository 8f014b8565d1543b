#include "mediaservice/frame_memory.h"

#include <sys/mman.h>

#include <cstdlib>

std::uint8_t* allocate_frame_memory(std::size_t alignment, std::size_t size) {
    constexpr std::size_t kHugePage = 2u << 20;
    if (size < kHugePage) return static_cast<std::uint8_t*>(std::aligned_alloc(alignment, size));
    const std::size_t rounded = (size + kHugePage - 1) / kHugePage * kHugePage;
    auto* data = static_cast<std::uint8_t*>(std::aligned_alloc(kHugePage, rounded));
    // Only advice: without huge pages the memory works the same.
    if (data) madvise(data, rounded, MADV_HUGEPAGE);
    return data;
}
