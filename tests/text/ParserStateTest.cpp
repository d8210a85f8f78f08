// Saved parser states: the full walk, the incremental walk that stops at an equal state, the
// visible-rows limit and lazy completion.
#include <gtest/gtest.h>

#include "text/RowStore.h"

namespace {
// '{' opens bracket 0, '}' closes it.
struct BraceParser : TRowStateParser {
    int* calls;
    explicit BraceParser(int* c) : calls(c) {}
    void ParseRow(std::string_view text, TRowEnd, std::string_view, TRowParserState& s) override {
        ++*calls;
        for (char c : text) {
            if (c == '{') s.BracketIndex = 0;
            if (c == '}') s.BracketIndex = -1;
        }
    }
};

struct Editor : TScreenStringsClient {
    int top = 0, visible = 10;
    bool full = false;
    int parses = 0;
    std::vector<int> invalidated;
    int TopRow() const override { return top; }
    int VisibleRowCount() const override { return visible; }
    bool InitBracketsFull() const override { return full; }
    std::unique_ptr<TRowStateParser> CreateRowParser() override {
        return std::make_unique<BraceParser>(&parses);
    }
    void InvalidateRow(int r) override { invalidated.push_back(r); }
};

std::string Numbered(int n) {
    std::string t;
    for (int i = 0; i < n; ++i)
        t += "row " + std::to_string(i) + "\r\n";
    return t;
}
} // namespace

TEST(ParserState, FullWalkWithinTheVisibleLimit) {
    TEditorScreenStrings s;
    Editor ed;
    s.Attach(&ed);
    s.SetText("a{\r\nb\r\nc}\r\nd\r\n" + Numbered(100));
    EXPECT_EQ(s.BracketIndex(0), -1);
    EXPECT_EQ(s.BracketIndex(1), 0);
    EXPECT_EQ(s.BracketIndex(2), 0);
    EXPECT_EQ(s.BracketIndex(3), -1);
    EXPECT_EQ(s.PrevRowEnd(1), reLineEnd);
    EXPECT_EQ(s.ParsedLimit(), 21); // top row + twice the visible rows
    EXPECT_EQ(s.BracketIndex(50), -2);
    s.ParseUpTo(50);
    EXPECT_EQ(s.BracketIndex(50), -1);
    ed.full = true;
    s.InitBrackets();
    EXPECT_EQ(s.ParsedLimit(), s.Count());
    s.Detach(&ed);
}

TEST(ParserState, IncrementalWalkStopsAtAnEqualState) {
    TEditorScreenStrings s;
    Editor ed;
    ed.full = true;
    s.Attach(&ed);
    s.SetText(Numbered(200));
    ed.parses = 0;
    ed.invalidated.clear();
    s.UpdateList(100, 1, "changed\r\n"); // no bracket: states below stay equal
    EXPECT_LE(ed.parses, 4);
    EXPECT_EQ(ed.invalidated, (std::vector<int>{100, 101}));
    EXPECT_EQ(s.UpdateInfo().FirstRow, -1);
    ed.parses = 0;
    s.UpdateList(100, 1, "open {\r\n"); // every row below changes
    EXPECT_EQ(s.BracketIndex(199), 0);
    EXPECT_GE(ed.parses, 99);
    s.Undo();
    EXPECT_EQ(s.BracketIndex(199), -1);
    s.Detach(&ed);
}

TEST(ParserState, WalkBeyondTheLimitLeavesTheRestUncomputed) {
    TEditorScreenStrings s;
    Editor ed;
    s.Attach(&ed);
    s.SetText(Numbered(100));
    s.ParseUpTo(99);
    s.UpdateList(5, 1, "{\r\n");
    EXPECT_EQ(s.BracketIndex(20), 0);
    EXPECT_EQ(s.ParsedLimit(), 21);
    EXPECT_EQ(s.BracketIndex(21), -2);
    TRowParserState none;
    none.BracketIndex = -2;
    EXPECT_EQ(s.ParserState(60), none);
    s.ParseUpTo(60);
    EXPECT_EQ(s.BracketIndex(60), 0);
    s.Detach(&ed);
}
