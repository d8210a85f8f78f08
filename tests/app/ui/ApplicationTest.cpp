// The default error box: an error escaping an event handler is shown and the program goes on.
#include "app/ui/Application.h"

#include "../../support/RecordingSink.h"

#include <gtest/gtest.h>
#include <stdexcept>

TEST(DefaultErrorBox, ShowsTheEscapedErrorAndGoesOn) {
    RecordingSink sink;
    EXPECT_TRUE(DeliverWithErrorBox([] { return true; }));
    EXPECT_FALSE(DeliverWithErrorBox([]() -> bool { throw std::runtime_error("Format differ"); }));
    ASSERT_EQ(sink.boxes.size(), 1u);
    EXPECT_EQ(std::tuple(sink.boxes[0].text, sink.boxes[0].caption, sink.boxes[0].icon),
              std::tuple("Format differ", "トルモ -Tolmo-", TMsgIcon::Error));
    EXPECT_FALSE(DeliverWithErrorBox([]() -> bool { throw 42; }));
    EXPECT_EQ(sink.boxes.size(), 2u);
}
