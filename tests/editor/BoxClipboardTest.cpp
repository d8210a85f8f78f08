// The box clipboard's payload and the split of its text into rows.
#include "editor/BoxClipboard.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(BoxClipboard, PayloadRoundTripAndLines) {
    const std::string text = BoxPartsToText({"ab", "", "c"});
    EXPECT_EQ(text, "ab\r\n\r\nc\r\n");
    const std::string payload = BoxTextPayload(text);
    EXPECT_EQ(payload.back(), '\0');
    EXPECT_EQ(BoxTextFromPayload(payload), text);
    EXPECT_EQ(BoxTextFromPayload("xy"), "xy");
    EXPECT_EQ(SplitTextLines(text), (std::vector<std::string>{"ab", "", "c"}));
    EXPECT_EQ(SplitTextLines("a\rb\nc"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_TRUE(SplitTextLines("").empty());
}
