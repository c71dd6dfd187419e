#include "series_memory.h"

#include <algorithm>
#include <bit>
#include <mutex>
#include <sys/mman.h>
#include <vector>

namespace velmora::series_memory {

namespace {

constexpr std::size_t kLargePage = std::size_t{2} << 20;
constexpr std::size_t kSmallestSlot = std::size_t{256} << 10;

std::size_t inLargePages(std::size_t bytes) { return (bytes + kLargePage - 1) & ~(kLargePage - 1); }

// `size` bytes (a multiple of the large page) aligned to a large page and advised
// for large pages.
char* mapLargePages(std::size_t size)
{
    // Map a large page more than needed and keep the aligned part.
    void* mapped = ::mmap(nullptr, size + kLargePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        throw std::bad_alloc();
    const auto start = reinterpret_cast<std::uintptr_t>(mapped);
    const std::uintptr_t aligned = (start + kLargePage - 1) & ~(kLargePage - 1);
    if (aligned > start)
        ::munmap(mapped, aligned - start);
    if (const std::uintptr_t end = start + size + kLargePage; end > aligned + size)
        ::munmap(reinterpret_cast<void*>(aligned + size), end - (aligned + size));
    ::madvise(reinterpret_cast<void*>(aligned), size, MADV_HUGEPAGE);
    return reinterpret_cast<char*>(aligned);
}

// Large pages cut into slots of one size each. One pool for the process, like the
// heap beside it: series of several documents share its pages.
class SharedPages {
public:
    void* take(std::size_t slot)
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        const unsigned all = (1u << (kLargePage / slot)) - 1;
        auto page =
            std::find_if(pages_.begin(), pages_.end(), [&](const Page& p) { return p.slot == slot && p.used != all; });
        if (page == pages_.end()) {
            pages_.reserve(pages_.size() + 1); // before the mapping, which nothing would then release
            page = pages_.insert(pages_.end(), Page{mapLargePages(kLargePage), slot, 0});
        }
        const int free = std::countr_zero(~page->used);
        page->used |= 1u << free;
        return page->base + static_cast<std::size_t>(free) * slot;
    }

    void give(void* p, std::size_t slot)
    {
        const std::lock_guard<std::mutex> lock(mutex_);
        char* const at = static_cast<char*>(p);
        const auto page = std::find_if(pages_.begin(), pages_.end(),
                                       [&](const Page& pg) { return at >= pg.base && at < pg.base + kLargePage; });
        if (page == pages_.end())
            return;
        page->used &= ~(1u << ((at - page->base) / static_cast<std::ptrdiff_t>(slot)));
        if (page->used == 0) {
            ::munmap(page->base, kLargePage);
            pages_.erase(page);
        }
    }

private:
    struct Page {
        char* base;
        std::size_t slot;
        unsigned used; // a bit for each slot taken
    };
    std::mutex mutex_;
    std::vector<Page> pages_;
};

SharedPages& sharedPages()
{
    static SharedPages pages;
    return pages;
}

// The slot a series of `bytes` takes: 256 KiB, 512 KiB or 1 MiB.
std::size_t slotFor(std::size_t bytes)
{
    std::size_t slot = kSmallestSlot;
    while (slot < bytes)
        slot *= 2;
    return slot;
}

} // namespace

void* allocate(std::size_t bytes)
{
    if (bytes < kSmallestSlot)
        return ::operator new(bytes);
    if (bytes > kLargePage / 2)
        return mapLargePages(inLargePages(bytes));
    return sharedPages().take(slotFor(bytes));
}

void release(void* p, std::size_t bytes) noexcept
{
    if (bytes < kSmallestSlot)
        ::operator delete(p);
    else if (bytes > kLargePage / 2)
        ::munmap(p, inLargePages(bytes));
    else
        sharedPages().give(p, slotFor(bytes));
}

} // namespace velmora::series_memory
