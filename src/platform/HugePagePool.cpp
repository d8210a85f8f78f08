// The huge-page pool: pages of one slot size each, their free slots in a list of their own.
#include "platform/HugePagePool.h"

#include <sys/mman.h>

#include <cstdint>
#include <mutex>
#include <unordered_map>
#include <vector>

namespace HugePagePool {
namespace {

constexpr std::size_t kPage = std::size_t{2} << 20;

struct Page {
    char* Base = nullptr;
    std::size_t Slot = 0;
    std::size_t Carved = 0; // slots handed out at least once, from the page's start
    std::size_t Used = 0;
    void* FreeList = nullptr; // freed slots, each holding the next one's address
    bool Open = true;         // listed among the pages with room
};

struct Pool {
    std::mutex Mutex;
    std::unordered_map<std::uintptr_t, Page> Pages; // by base address
    std::vector<Page*> Open[1];                     // pages with room, per slot size
    std::size_t Held = 0;
};

Pool& ThePool() {
    static Pool* pool = new Pool; // lives as long as any memory handed out
    return *pool;
}

thread_local bool tOn = false;

int ClassOf(std::size_t bytes) {
    return bytes == Slot ? 0 : -1;
}

// A fresh 2 MiB page aligned to its size (so that the system can back it with one huge page).
char* MapPage() {
    void* p =
        ::mmap(nullptr, 2 * kPage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) return nullptr;
    const auto a = reinterpret_cast<std::uintptr_t>(p);
    const std::uintptr_t base = (a + kPage - 1) & ~(kPage - 1);
    if (base > a) ::munmap(p, base - a);
    if (base + kPage < a + 2 * kPage)
        ::munmap(reinterpret_cast<void*>(base + kPage), a + kPage - base);
    ::madvise(reinterpret_cast<void*>(base), kPage, MADV_HUGEPAGE);
    return reinterpret_cast<char*>(base);
}

void Unlist(std::vector<Page*>& open, Page* page) {
    for (std::size_t i = 0; i < open.size(); ++i)
        if (open[i] == page) {
            open[i] = open.back();
            open.pop_back();
            return;
        }
}

} // namespace

void* Allocate(std::size_t bytes) {
    const int c = ClassOf(bytes);
    if (!tOn || c < 0) return ::operator new(bytes);
    Pool& pool = ThePool();
    std::lock_guard<std::mutex> lock(pool.Mutex);
    std::vector<Page*>& open = pool.Open[c];
    if (open.empty()) {
        char* base = MapPage();
        if (!base) return ::operator new(bytes);
        Page& page = pool.Pages[reinterpret_cast<std::uintptr_t>(base)];
        page.Base = base;
        page.Slot = bytes;
        open.push_back(&page);
        pool.Held += kPage;
    }
    Page* page = open.back();
    void* p;
    if (page->FreeList) {
        p = page->FreeList;
        page->FreeList = *static_cast<void**>(p);
    } else {
        p = page->Base + page->Carved * page->Slot;
        ++page->Carved;
    }
    ++page->Used;
    if (!page->FreeList && page->Carved == kPage / page->Slot) {
        page->Open = false;
        open.pop_back();
    }
    return p;
}

void Free(void* p, std::size_t bytes) noexcept {
    if (!p) return;
    const int c = ClassOf(bytes);
    if (c >= 0) {
        Pool& pool = ThePool();
        std::lock_guard<std::mutex> lock(pool.Mutex);
        const auto it = pool.Pages.find(reinterpret_cast<std::uintptr_t>(p) & ~(kPage - 1));
        if (it != pool.Pages.end()) {
            Page& page = it->second;
            *static_cast<void**>(p) = page.FreeList;
            page.FreeList = p;
            if (--page.Used == 0) {
                if (page.Open) Unlist(pool.Open[c], &page);
                ::munmap(page.Base, kPage);
                pool.Held -= kPage;
                pool.Pages.erase(it);
            } else if (!page.Open) {
                page.Open = true;
                pool.Open[c].push_back(&page);
            }
            return;
        }
    }
    ::operator delete(p);
}

std::size_t HeldBytes() {
    Pool& pool = ThePool();
    std::lock_guard<std::mutex> lock(pool.Mutex);
    return pool.Held;
}

TUse::TUse() : was_(tOn) {
    tOn = true;
}

TUse::~TUse() {
    tOn = was_;
}

} // namespace HugePagePool
