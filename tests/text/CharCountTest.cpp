// The character count: full-width characters count two, line breaks only in the bytes.
#include "text/CharCount.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(CharCount, FullWidthCountsTwoAndLineBreaksOnlyInBytes) {
    // "あいz" in Shift-JIS: 5 bytes, no break, no note.
    TCharCount c = CountCharacters("\x82\xa0\x82\xa2z");
    EXPECT_EQ(std::tuple(c.bytes, c.breaks, c.halfWidth), std::tuple(5, 0, 5));
    EXPECT_EQ(CharCountMessage(c), "文字数は半角で 5 個です。\r\nバイト数は 5 バイトです。");
    // Two lines and a box selection's final break: the difference is the breaks' bytes.
    c = CountCharacters("ab\r\ncd\r\n");
    EXPECT_EQ(std::tuple(c.bytes, c.breaks, c.halfWidth), std::tuple(8, 2, 4));
    EXPECT_EQ(CharCountMessage(c), "文字数は半角で 4 個です。\r\nバイト数は 8 バイトです。"
                                   "\r\n（半角数とバイト数の差は改行のバイト数です）");
    // A lone CR or LF is a byte of text, not a counted break.
    c = CountCharacters("a\rb\n");
    EXPECT_EQ(std::tuple(c.breaks, c.halfWidth), std::tuple(0, 4));
}
