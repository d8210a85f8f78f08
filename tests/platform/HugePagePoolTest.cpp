// The huge-page pool: slots only for a thread that switched it on, never handed out twice, pages
// given back once all their slots are free, whichever thread frees them.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <thread>
#include <vector>

#include "platform/HugePagePool.h"

TEST(HugePagePool, SlotsAreDistinctAndPagesGoBackWhenEmpty) {
    const size_t before = HugePagePool::HeldBytes();
    std::vector<void*> large;
    {
        HugePagePool::TUse use;
        // More than one page.
        for (int i = 0; i < 3000; ++i) {
            large.push_back(HugePagePool::Allocate(HugePagePool::Slot));
            std::memset(large.back(), i & 0xFF, HugePagePool::Slot);
        }
        EXPECT_GT(HugePagePool::HeldBytes(), before + (size_t{4} << 20));
        void* other = HugePagePool::Allocate(100); // a size the pool does not serve
        HugePagePool::Free(other, 100);
    }
    std::set<void*> distinct(large.begin(), large.end());
    EXPECT_EQ(distinct.size(), large.size());
    for (size_t i = 0; i < large.size(); ++i)
        ASSERT_EQ(static_cast<unsigned char*>(large[i])[HugePagePool::Slot - 1], i & 0xFF);

    // Off on this thread: the sizes the pool serves come from operator new.
    void* plain = HugePagePool::Allocate(HugePagePool::Slot);
    const size_t held = HugePagePool::HeldBytes();
    HugePagePool::Free(plain, HugePagePool::Slot);
    EXPECT_EQ(HugePagePool::HeldBytes(), held);

    // Half freed on another thread, then reused, then everything freed: no page is kept.
    std::thread([&] {
        for (size_t i = 0; i < large.size(); i += 2)
            HugePagePool::Free(large[i], HugePagePool::Slot);
    }).join();
    {
        HugePagePool::TUse use;
        for (size_t i = 0; i < large.size(); i += 2)
            large[i] = HugePagePool::Allocate(HugePagePool::Slot);
        EXPECT_EQ(HugePagePool::HeldBytes(), held); // the freed slots served them
    }
    for (void* p : large)
        HugePagePool::Free(p, HugePagePool::Slot);
    EXPECT_EQ(HugePagePool::HeldBytes(), before);
}
