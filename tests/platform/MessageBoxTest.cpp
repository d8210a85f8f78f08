// A message's line breaks as a box shows them.
#include "platform/MessageBox.h"

#include <gtest/gtest.h>

TEST(MessageBox, EveryLineEndBecomesOneBreak) {
    EXPECT_EQ(MessageLines("a\r\nb\rc\nd\r\n\r\n"), "a\nb\nc\nd\n\n");
    EXPECT_EQ(MessageLines("\r\r\n"), "\n\n");
    EXPECT_EQ(MessageLines("日本語\r\n"), "日本語\n");
}
