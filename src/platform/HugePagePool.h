// Memory for the many equal small arrays a large load makes, carved from 2 MiB huge pages: one page
// fault per 2 MiB instead of one per 4 KiB page. The pool serves a thread only while it has
// switched it on; every other request, and every size it does not serve, goes to operator new.
#pragma once

#include <cstddef>
#include <new>

namespace HugePagePool {

// The size the pool serves (arrays of 1024 two-byte values); a smaller one would leave most of
// its page empty and resident.
constexpr std::size_t Slot = 2048;

// Memory of `bytes`: from the pool when this thread has it switched on and the size is one it
// serves, else from operator new. Throws std::bad_alloc.
void* Allocate(std::size_t bytes);
// Gives back memory from Allocate (the same size). A page whose slots are all free goes back to
// the system.
void Free(void* p, std::size_t bytes) noexcept;
// Bytes the pool holds from the system (for tests and figures).
std::size_t HeldBytes();

// Switches the pool on for this thread while it lives.
class TUse {
  public:
    TUse();
    ~TUse();
    TUse(const TUse&) = delete;
    TUse& operator=(const TUse&) = delete;

  private:
    bool was_;
};

} // namespace HugePagePool

// An allocator of containers whose arrays may come from the pool.
template <class T> struct THugePageAllocator {
    using value_type = T;
    THugePageAllocator() = default;
    template <class U> THugePageAllocator(const THugePageAllocator<U>&) {}
    T* allocate(std::size_t n) {
        if (n > static_cast<std::size_t>(-1) / sizeof(T)) throw std::bad_array_new_length();
        return static_cast<T*>(HugePagePool::Allocate(n * sizeof(T)));
    }
    void deallocate(T* p, std::size_t n) noexcept { HugePagePool::Free(p, n * sizeof(T)); }
    template <class U> bool operator==(const THugePageAllocator<U>&) const { return true; }
};
