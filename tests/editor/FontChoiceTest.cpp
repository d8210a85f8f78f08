// The face an editor font name is drawn with.
#include "editor/FontChoice.h"

#include <gtest/gtest.h>

TEST(FontChoice, DesignNamesAndProportionalFacesDrawWithAJapaneseMonospaceFace) {
    auto lookup = [](const std::string& n) {
        if (n == "Noto Sans Mono CJK JP") return TFaceInfo{true, true, true};
        if (n == "DejaVu Sans Mono") return TFaceInfo{true, false, true};
        if (n == "Noto Sans CJK JP") return TFaceInfo{true, true, false};
        return TFaceInfo{};
    };
    for (const char* asked : {"FixedSys", "Noto Sans CJK JP", "Noto Sans Mono CJK JP"})
        EXPECT_EQ(ChooseEditorFace(asked, lookup), "Noto Sans Mono CJK JP") << asked;
    // A monospace face chosen in the font dialog is drawn as chosen.
    EXPECT_EQ(ChooseEditorFace("DejaVu Sans Mono", lookup), "DejaVu Sans Mono");
    // The dialog offers the monospace faces, Japanese dual-width ones among them, and no other.
    EXPECT_EQ(EditorFontFaces({"Noto Sans CJK JP", "Noto Sans Mono CJK JP", "DejaVu Sans Mono",
                               "FixedSys", "DejaVu Sans Mono"},
                              lookup),
              (std::vector<std::string>{"DejaVu Sans Mono", "Noto Sans Mono CJK JP"}));
    EXPECT_EQ(ChooseEditorFace("FixedSys", [](const std::string&) { return TFaceInfo{}; }),
              "FixedSys");
}
