#pragma once
// Memory for the points of a chart series. A series of 2 MiB or more gets a mapping
// of its own, aligned to and advised for 2 MiB pages: a large file fills seven such
// series once, in order, and where the first touch of a 4 KiB page is dear (some
// virtual machines take a fault on the host for each one) large pages make that
// several times faster, as numerical libraries do for their large arrays. Smaller
// series come from the heap as usual. Only advice: without large pages the kernel
// maps small ones.
#include <cstddef>
#include <cstdint>
#include <new>
#include <sys/mman.h>

namespace velmora {

namespace series_memory {

inline constexpr std::size_t kLargePage = std::size_t{2} << 20;

inline std::size_t mappedSize(std::size_t bytes) { return (bytes + kLargePage - 1) & ~(kLargePage - 1); }

inline void* allocate(std::size_t bytes)
{
    if (bytes < kLargePage)
        return ::operator new(bytes);
    // Map a large page more than needed and keep the aligned part.
    const std::size_t size = mappedSize(bytes);
    void* mapped = ::mmap(nullptr, size + kLargePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        throw std::bad_alloc();
    const auto start = reinterpret_cast<std::uintptr_t>(mapped);
    const std::uintptr_t aligned = (start + kLargePage - 1) & ~(kLargePage - 1);
    if (aligned > start)
        ::munmap(mapped, aligned - start);
    if (const std::size_t after = start + size + kLargePage - (aligned + size); after > 0)
        ::munmap(reinterpret_cast<void*>(aligned + size), after);
    ::madvise(reinterpret_cast<void*>(aligned), size, MADV_HUGEPAGE);
    return reinterpret_cast<void*>(aligned);
}

inline void release(void* p, std::size_t bytes) noexcept
{
    if (bytes < kLargePage)
        ::operator delete(p);
    else
        ::munmap(p, mappedSize(bytes));
}

} // namespace series_memory

template <typename T> struct SeriesAllocator {
    using value_type = T;

    SeriesAllocator() noexcept = default;
    template <typename U> SeriesAllocator(const SeriesAllocator<U>&) noexcept {}

    T* allocate(std::size_t n)
    {
        if (n > SIZE_MAX / sizeof(T))
            throw std::bad_array_new_length();
        return static_cast<T*>(series_memory::allocate(n * sizeof(T)));
    }
    void deallocate(T* p, std::size_t n) noexcept { series_memory::release(p, n * sizeof(T)); }

    template <typename U> bool operator==(const SeriesAllocator<U>&) const noexcept { return true; }
};

} // namespace velmora
