// Comma-text splitting and joining, decimal parsing and line splitting.
#include "calendar/CommaText.h"

#include <gtest/gtest.h>

using namespace tolmo;
using V = std::vector<std::string>;

TEST(CommaText, SeparatorsAndQuotes) {
    EXPECT_EQ(SplitCommaText("1,2,name"), (V{"1", "2", "name"}));
    EXPECT_EQ(SplitCommaText("  1 2\t, name "), (V{"1", "2", "name"}));
    EXPECT_EQ(SplitCommaText("1, ,2"), (V{"1", "", "2"}));
    EXPECT_EQ(SplitCommaText("1,2,"), (V{"1", "2"})); // a trailing comma adds no field
    EXPECT_EQ(SplitCommaText(",1"), (V{"", "1"}));
    EXPECT_EQ(SplitCommaText("   "), V{});
    EXPECT_EQ(SplitCommaText(std::string_view("a\0b", 3)), V{"a"}); // a NUL ends the text
    EXPECT_EQ(SplitCommaText("\"a b\",c"), (V{"a b", "c"}));
    EXPECT_EQ(SplitCommaText("\"say \"\"hi\"\"\""), (V{"say \"hi\""}));
    EXPECT_EQ(SplitCommaText("\"open"), (V{"open"}));
    EXPECT_EQ(SplitCommaText("\"a\"b"), (V{"a", "b"}));
}

TEST(CommaText, JoinRoundTrips) {
    EXPECT_EQ(JoinCommaText({"春分の日", "a b", "q\"uote", "c,d", ""}),
              "春分の日,\"a b\",\"q\"\"uote\",\"c,d\",");
    EXPECT_EQ(SplitCommaText(JoinCommaText({"a b", "q\"uote", "c,d"})),
              (V{"a b", "q\"uote", "c,d"}));
    EXPECT_EQ(JoinCommaText({""}), "\"\"");
}

TEST(CommaText, Decimal) {
    for (auto [text, value] :
         {std::pair{"42", 42}, {" -7", -7}, {"+7", 7}, {"-2147483648", INT32_MIN}})
        EXPECT_EQ(ParseDecimal(text), value) << text;
    for (const char* bad : {"2147483648", "99999999999999999999", "1a", "", "-", "7 "})
        EXPECT_FALSE(ParseDecimal(bad)) << bad;
}
