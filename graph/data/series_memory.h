#pragma once
// Memory for the points of chart series. A large file fills its series once, in
// order, and where the first touch of a 4 KiB page is dear (some virtual machines take
// a fault on the host for each one) 2 MiB pages make that several times faster, as
// numerical libraries use them for their large arrays. So a series of 256 KiB or more
// lives in 2 MiB pages: pages of its own past 1 MiB, below that a share of a page cut
// into slots of 256 KiB, 512 KiB or 1 MiB, so that a file's seven series of 65,536
// readings take two pages, about what they take on the heap. Smaller series come from
// the heap. Large pages are only advice: without them the kernel maps small ones.
#include <cstddef>
#include <cstdint>
#include <new>

namespace velmora {

namespace series_memory {
void* allocate(std::size_t bytes);
void release(void* p, std::size_t bytes) noexcept;
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
