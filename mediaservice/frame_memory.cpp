#include "mediaservice/frame_memory.h"

#include "mediaservice/address_sanitizer.h"

#include <sys/mman.h>

#include <cstdlib>
#include <mutex>
#include <vector>

namespace {
constexpr std::size_t kHugePage = 2u << 20;
constexpr std::size_t kLeastInHugePages = 1u << 20;

// Under the address sanitizer every picture has memory of its own, so that a write past one
// is caught instead of landing in the next.
constexpr bool kSharesHugePages = !kAddressSanitizer;

std::uint8_t* huge_pages(std::size_t size) {
    auto* data = static_cast<std::uint8_t*>(std::aligned_alloc(kHugePage, size));
    // Only advice: without huge pages the memory works the same.
    if (data) madvise(data, size, MADV_HUGEPAGE);
    return data;
}

// Pictures under a megabyte are cut from huge pages shared by several, one after the other.
// A huge page goes back to the system when the last picture in it goes, unless it is the one
// pictures are being cut from, which then starts again from its beginning. The count of the
// pictures in a page lies at its start.
class SharedPages {
  public:
    std::uint8_t* take(std::size_t alignment, std::size_t size) {
        std::lock_guard<std::mutex> lock(mutex_);
        std::size_t at = (used_ + alignment - 1) / alignment * alignment;
        if (!page_ || at + size > kHugePage) {
            if (page_ && count(page_) == 0) release(page_);
            page_ = huge_pages(kHugePage);
            if (!page_) return nullptr;
            pages_.push_back(page_);
            count(page_) = 0;
            at = (kCountBytes + alignment - 1) / alignment * alignment;
        }
        used_ = at + size;
        ++count(page_);
        return page_ + at;
    }

    void give_back(std::uint8_t* data) {
        auto* page = reinterpret_cast<std::uint8_t*>(reinterpret_cast<std::uintptr_t>(data) &
                                                     ~std::uintptr_t(kHugePage - 1));
        std::lock_guard<std::mutex> lock(mutex_);
        if (--count(page) > 0) return;
        if (page == page_)
            used_ = kCountBytes;
        else
            release(page);
    }

  private:
    static constexpr std::size_t kCountBytes = sizeof(std::size_t);
    static std::size_t& count(std::uint8_t* page) { return *reinterpret_cast<std::size_t*>(page); }
    void release(std::uint8_t* page) {
        std::erase(pages_, page);
        std::free(page);
    }

    std::mutex mutex_;
    std::uint8_t* page_ = nullptr;  // the page pictures are cut from
    std::size_t used_ = 0;          // its bytes handed out, the count included
    // Every page with pictures in it, so that a leak checker sees them held (the pictures
    // themselves point into them).
    std::vector<std::uint8_t*> pages_;
};

// Never destroyed: a picture may go after the end of main.
SharedPages& shared_pages() {
    static SharedPages* const pages = new SharedPages;
    return *pages;
}

bool shares_pages(std::size_t alignment, std::size_t size) {
    return kSharesHugePages && size < kLeastInHugePages && alignment <= kLeastInHugePages;
}

}  // namespace

std::size_t frame_memory_size(std::size_t size) {
    if (size < kLeastInHugePages) return size;
    return (size + kHugePage - 1) / kHugePage * kHugePage;
}

std::uint8_t* allocate_frame_memory(std::size_t alignment, std::size_t size) {
    if (shares_pages(alignment, size)) return shared_pages().take(alignment, size);
    // aligned_alloc takes whole multiples of the alignment only.
    if (size < kLeastInHugePages)
        return static_cast<std::uint8_t*>(
            std::aligned_alloc(alignment, (size + alignment - 1) / alignment * alignment));
    return huge_pages(frame_memory_size(size));
}

void free_frame_memory(std::uint8_t* data, std::size_t alignment, std::size_t size) {
    if (!data) return;
    if (shares_pages(alignment, size))
        shared_pages().give_back(data);
    else
        std::free(data);
}
