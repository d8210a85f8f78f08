// The box clipboard's payload and the split of its text into rows; pasted text in a document's
// bytes: box bytes kept where they read as the pasted text, the text converted where another
// document's table gave the bytes other characters.
#include "editor/BoxClipboard.h"
#include "platform/Cp932.h"
#include "text/CharTable.h"
#include "text/DocumentCodec.h"

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
    // Text leaves with LF and arrives with the editor's CR LF, whatever ends its lines.
    EXPECT_EQ(ClipboardLineEnds("\x82\xa0\r\nb\rc\n"), "\x82\xa0\nb\nc\n");
    EXPECT_EQ(EditorLineEnds("a\nb\rc\r\n\n\r"), "a\r\nb\r\nc\r\n\r\n\r\n");
}

TEST(PastedBytes, BoxBytesOfAnotherTableAreConvertedFromTheText) {
    // Both tables give their first code (0xF040) to different characters.
    TCharTable mine, theirs;
    mine.CodeFor(U'\u00E9');
    const unsigned emoji = theirs.CodeFor(U'\U0001F600');
    const std::string copied{static_cast<char>(emoji >> 8), static_cast<char>(emoji & 0xFF)};
    const std::u16string text = DocumentToUtf16(copied, &theirs);
    int calls = 0;
    const TPasteConvert convert = [&](std::u16string_view t, int* lost) {
        ++calls;
        *lost = 0;
        return Utf16ToDocument(t, &mine, nullptr);
    };
    int lost = -1;
    const std::string payload = BoxTextPayload(copied);
    const std::string pasted = PastedBytes(text, &payload, &mine, convert, lost);
    EXPECT_EQ(DocumentToUtf8(pasted, &mine), "😀");
    EXPECT_NE(mine.Find(U'\U0001F600'), emoji);
    // This document's own box bytes, and bytes kept from an invalid sequence, stay as they are.
    for (const std::string& own : {std::string("\xF0\x40"), std::string("a\x81")}) {
        const std::string p = BoxTextPayload(own);
        EXPECT_EQ(PastedBytes(DocumentToUtf16(own, &mine), &p, &mine, convert, lost), own);
    }
    EXPECT_EQ(calls, 1);
    // Plain text without a conversion of the document: CP932, what it lacks counted.
    EXPECT_EQ(PastedBytes(u"p😀q", nullptr, nullptr, nullptr, lost), "p?q");
    EXPECT_EQ(lost, 1);
}
