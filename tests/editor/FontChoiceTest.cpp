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
    for (const char* asked :
         {"FixedSys", "DejaVu Sans Mono", "Noto Sans CJK JP", "Noto Sans Mono CJK JP"})
        EXPECT_EQ(ChooseEditorFace(asked, lookup), "Noto Sans Mono CJK JP") << asked;
    EXPECT_EQ(ChooseEditorFace("FixedSys", [](const std::string&) { return TFaceInfo{}; }),
              "FixedSys");
}
