// Row store: loading, Text, the logical-line view and UpdateList.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "editor/heEditorStrings.h"
#include "editor/heScreenStrings.h"
#include "platform/Cp932.h"

namespace fs = std::filesystem;

namespace {
struct TempDir {
    fs::path path;
    TempDir() {
        char tmpl[] = "/tmp/tolmo-linestore-XXXXXX";
        path = mkdtemp(tmpl);
    }
    ~TempDir() { fs::remove_all(path); }
    std::string Write(const std::string& name, const std::string& bytes) {
        fs::path p = path / name;
        std::ofstream(p, std::ios::binary) << bytes;
        return p.string();
    }
};

std::string Rows(const TEditorScreenStrings& s) {
    std::string out;
    for (int r = 0; r < s.Count(); ++r) {
        out += "[" + s.Get(r) + "]";
        out += "LWT"[s.RowEndKind(r)];
    }
    return out;
}
} // namespace

TEST(LineStoreLoad, LineEndsAndTextEnd) {
    TempDir d;
    TEditorScreenStrings s;
    s.LoadFromFile(d.Write("a", "abc"));
    EXPECT_EQ(Rows(s), "[abc]T");
    EXPECT_EQ(s.Text(), "abc");
    s.LoadFromFile(d.Write("b", "abc\n"));
    EXPECT_EQ(Rows(s), "[abc]L");
    EXPECT_EQ(s.Text(), "abc\r\n");
    s.LoadFromFile(d.Write("c", "a\rb"));
    EXPECT_EQ(Rows(s), "[a]L[b]T");
    s.LoadFromFile(d.Write("d", "ab\x1a"
                                "cd\r\n"));
    EXPECT_EQ(Rows(s), "[ab]T");
    s.LoadFromFile(d.Write("e", ""));
    EXPECT_EQ(s.Count(), 0);
    EXPECT_EQ(s.Text(), "");
    EXPECT_EQ(s.LineCount(), 0);
}
