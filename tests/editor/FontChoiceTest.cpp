// The face an editor font name is drawn with.
#include "editor/FontChoice.h"

#include <gtest/gtest.h>

TEST(FontChoice, DesignNamesAndFacesWithoutJapaneseDrawWithAJapaneseMonospaceFace) {
    auto lookup = [](const std::string& n) {
        if (n == "Noto Sans Mono CJK JP") return TFaceInfo{true, true, true};
        if (n == "DejaVu Sans Mono") return TFaceInfo{true, false, true};
        if (n == "Noto Sans CJK JP") return TFaceInfo{true, true, false};
        return TFaceInfo{};
    };
    EXPECT_EQ(ChooseEditorFace("FixedSys", lookup), "Noto Sans Mono CJK JP");
    EXPECT_EQ(ChooseEditorFace("DejaVu Sans Mono", lookup), "Noto Sans Mono CJK JP");
    EXPECT_EQ(ChooseEditorFace("Noto Sans CJK JP", lookup), "Noto Sans Mono CJK JP");
    EXPECT_EQ(ChooseEditorFace("Noto Sans Mono CJK JP", lookup), "Noto Sans Mono CJK JP");
    EXPECT_EQ(ChooseEditorFace("FixedSys", [](const std::string&) { return TFaceInfo{}; }),
              "FixedSys");
}
