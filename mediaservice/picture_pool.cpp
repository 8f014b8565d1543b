#include "mediaservice/picture_pool.h"

#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>

#include "mediaservice/address_sanitizer.h"
#include "mediaservice/frame_memory.h"

namespace {

// The size of each block is kept in front of the memory handed out.
constexpr std::size_t kHeader = 64;
// Spare memory kept at the most; the blocks given back longest ago go first, so that pictures
// of a size no longer made do not stay.
constexpr std::size_t kMostSpareBytes = 64u << 20;

struct Pool {
    std::mutex mutex;
    std::deque<std::uint8_t*> spare;  // whole blocks, the latest given back last
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

void free_block(std::uint8_t* block) {
    mark_in_use(block + kHeader, size_of_block(block));
    free_frame_memory(block, kHeader, size_of_block(block) + kHeader);
}

}  // namespace

namespace picture_pool {

std::uint8_t* take(std::size_t size) {
    Pool& p = pool();
    {
        std::lock_guard<std::mutex> lock(p.mutex);
        for (auto it = p.spare.rbegin(); it != p.spare.rend(); ++it) {
            if (size_of_block(*it) != size) continue;
            std::uint8_t* block = *it;
            p.spare.erase(std::next(it).base());
            p.spare_bytes -= size;
            mark_in_use(block + kHeader, size);
            return block + kHeader;
        }
    }
    std::uint8_t* block = allocate_frame_memory(kHeader, size + kHeader);
    if (!block) return nullptr;
    std::memcpy(block, &size, sizeof size);
    return block + kHeader;
}

void give_back(std::uint8_t* data) {
    if (!data) return;
    std::uint8_t* block = data - kHeader;
    const std::size_t size = size_of_block(block);
    if (size > kMostSpareBytes) {
        free_block(block);
        return;
    }
    mark_spare(data, size);
    std::deque<std::uint8_t*> old;
    {
        Pool& p = pool();
        std::lock_guard<std::mutex> lock(p.mutex);
        p.spare.push_back(block);
        p.spare_bytes += size;
        while (p.spare_bytes > kMostSpareBytes) {
            p.spare_bytes -= size_of_block(p.spare.front());
            old.push_back(p.spare.front());
            p.spare.pop_front();
        }
    }
    for (std::uint8_t* gone : old) free_block(gone);
}

}  // namespace picture_pool
