#include "mediaservice/picture_pool.h"

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <vector>

namespace {

// The size of each block is kept just before the memory handed out.
constexpr std::size_t kHeader = 64;
// Spare memory kept at the most: the pictures of a full frame cache, with room to spare.
constexpr std::size_t kMostSpareBytes = 96u << 20;

struct Pool {
    std::mutex mutex;
    std::vector<std::uint8_t*> spare;  // whole blocks, from their size on
    std::size_t spare_bytes = 0;
};

// Never destroyed: a picture may go after the end of main.
Pool& pool() {
    static Pool* const the_pool = new Pool;
    return *the_pool;
}

std::size_t size_of_block(const std::uint8_t* block) {
    std::size_t size = 0;
    std::memcpy(&size, block, sizeof size);
    return size;
}

}  // namespace

namespace picture_pool {

std::uint8_t* take(std::size_t size) {
    Pool& p = pool();
    {
        std::lock_guard<std::mutex> lock(p.mutex);
        for (auto it = p.spare.begin(); it != p.spare.end(); ++it) {
            if (size_of_block(*it) != size) continue;
            std::uint8_t* block = *it;
            p.spare.erase(it);
            p.spare_bytes -= size;
            return block + kHeader;
        }
    }
    const std::size_t whole = (size + kHeader + kHeader - 1) / kHeader * kHeader;
    auto* block = static_cast<std::uint8_t*>(std::aligned_alloc(kHeader, whole));
    if (!block) return nullptr;
    std::memcpy(block, &size, sizeof size);
    return block + kHeader;
}

void give_back(std::uint8_t* data) {
    if (!data) return;
    std::uint8_t* block = data - kHeader;
    const std::size_t size = size_of_block(block);
    Pool& p = pool();
    {
        std::lock_guard<std::mutex> lock(p.mutex);
        if (p.spare_bytes + size <= kMostSpareBytes) {
            p.spare.push_back(block);
            p.spare_bytes += size;
            return;
        }
    }
    std::free(block);
}

}  // namespace picture_pool
