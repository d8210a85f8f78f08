// File stamps tell a write, a replacement by rename and a deletion from a file left alone.
#include "platform/DiskStamp.h"

#include "../support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

TEST(DiskStamp, ChangesReplacementsAndDeletions) {
    TempDir d;
    const std::string f = d / "a.txt";
    TempDir::Write(f, "one");
    const TDiskStamp read = StampOf(f);
    ASSERT_TRUE(read.exists);
    EXPECT_EQ(CompareStamps(read, StampOf(f)), TDiskChange::None);
    TempDir::Write(f, "two"); // same size, same inode
    EXPECT_EQ(CompareStamps(read, StampOf(f)), TDiskChange::Changed);
    const TDiskStamp second = StampOf(f);
    TempDir::Write(d / "b.txt", "two");
    std::rename((d / "b.txt").c_str(), f.c_str()); // what an atomic save does
    EXPECT_EQ(CompareStamps(second, StampOf(f)), TDiskChange::Changed);
    std::filesystem::remove(f);
    EXPECT_EQ(CompareStamps(second, StampOf(f)), TDiskChange::Deleted);
    // A page whose file did not exist: nothing to report until one appears.
    EXPECT_EQ(CompareStamps(StampOf(f), StampOf(f)), TDiskChange::None);
    TempDir::Write(f, "new");
    EXPECT_EQ(CompareStamps(TDiskStamp{}, StampOf(f)), TDiskChange::Changed);
}
