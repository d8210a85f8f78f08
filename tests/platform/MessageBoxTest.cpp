// A message's line breaks as a box shows them; every box's caption.
#include "platform/MessageBox.h"
#include "../support/RecordingAsker.h"

#include <gtest/gtest.h>

TEST(MessageBox, EveryLineEndBecomesOneBreak) {
    EXPECT_EQ(MessageLines("a\r\nb\rc\nd\r\n\r\n"), "a\nb\nc\nd\n\n");
    EXPECT_EQ(MessageLines("\r\r\n"), "\n\n");
    EXPECT_EQ(MessageLines("日本語\r\n"), "日本語\n");
}

TEST(MessageBox, NoticesCarryTheProgramsCaptionAndQuestionsTheirOwn) {
    RecordingAsker asker;
    asker.ShowNotice("再読込いたしません。");
    asker.ShowMessage("別のフォルダを指定してください。");
    asker.ShowErrorBox("x");
    asker.InfoBox("y", kAppTitle);
    asker.AskYesNoTitled("z", " ", true);
    ASSERT_EQ(asker.boxes.size(), 5u);
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(asker.boxes[i].caption, kAppTitle) << asker.boxes[i].text;
    EXPECT_EQ(asker.boxes[0].icon, TMsgIcon::Information);
    EXPECT_EQ(asker.boxes[4].caption, kConfirmCaption);
    // A box made elsewhere without a caption, or with a blank one, shows the program's.
    TMessage blank;
    blank.caption = "";
    EXPECT_EQ(BoxCaption(blank), kAppTitle);
}
