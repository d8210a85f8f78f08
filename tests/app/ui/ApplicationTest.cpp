#include "app/ui/Application.h"

#include "../../support/RecordingSink.h"

#include <gtest/gtest.h>
#include <stdexcept>

TEST(DefaultErrorBox, ShowsTheEscapedErrorAndGoesOn) {
    RecordingSink sink;
    EXPECT_TRUE(DeliverWithErrorBox([] { return true; }));
    EXPECT_TRUE(sink.boxes.empty());
    EXPECT_FALSE(DeliverWithErrorBox([]() -> bool { throw std::runtime_error("Format differ"); }));
    ASSERT_EQ(sink.boxes.size(), 1u);
    EXPECT_EQ(sink.boxes[0].text, "Format differ");
    EXPECT_EQ(sink.boxes[0].caption, "トルモ -Tolmo-");
    EXPECT_EQ(sink.boxes[0].icon, TMsgIcon::Error);
    EXPECT_FALSE(DeliverWithErrorBox([]() -> bool { throw 42; }));
    EXPECT_EQ(sink.boxes.size(), 2u);
}
