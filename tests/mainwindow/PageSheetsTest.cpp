// The pages' controls without widgets: split pages, their saves and the status panels.
#include "mainwindow/pages/PageSheets.h"
#include "FakePageHost.h"

#include "mainwindow/pages/MyFileList.h"

#include <map>

namespace {

// The sheets with a page per InsertPage.
struct Sheets : FakeDialogs<TPageSheets> {
    TPagePropSets sets;
    int active = -1, statusShown = 0;
    std::map<int, std::string> panels;
    Sheets() {
        SetStatusPanel = [this](int i, const std::string& t) { panels[i] = t; };
    }
    std::string shown() { return panels[0] + "|" + panels[1] + "|" + panels[2]; }
    CorePage& page(int i, bool upper = false) const {
        return static_cast<CorePage&>(upper ? *sheet(i).upper : *sheet(i).lower);
    }
    void split(int i) {
        sheet(i).upper = std::make_unique<CorePage>(sets, page(i).c.SharedStore());
        sheet(i).focused = sheet(i).upper.get();
    }
    TSheet& at(int i) const { return sheet(i); }
    void Unsplit(int i) override { dropUpper(sheet(i)); }
    void InsertPage(const std::string&, const std::string&) override {
        addSheet(std::make_unique<TSheet>(), std::make_unique<CorePage>(sets));
    }
    int ActivePage() const override { return active; }
    void SetActivePage(int i) override { active = i; }
    void SetPageCaption(int, const std::string&) override {}
    void RemovePage(int i) override { takeSheet(i); }
    void MovePage(int from, int to) override { moveSheet(from, to); }
    void UpdatePageStatus() override { ++statusShown; }
};

TEST(PageSheets, ASplitPageAnswersFromItsFocusedHalfAndSavesItsText) {
    TempDir d;
    Sheets s;
    s.InsertPage("a", d / "a.txt");
    s.InsertPage("b", d / "b.txt");
    const int idB = s.PageId(1);
    s.MovePage(1, 0);
    EXPECT_EQ(s.IndexOfPage(idB), 0);
    s.active = 1;
    s.page(1).c.SetText("top\r\n");
    s.split(1);
    s.page(1, true).c.InsertTyped("Z");
    s.page(1, true).SetReadOnly(true);
    EXPECT_TRUE(s.IsModified(1) && s.IsReadOnly(1)); // the focused half's
    EXPECT_EQ(s.AllTexts().size(), 3u);
    std::string error;
    ASSERT_TRUE(s.SavePageText(1, d / "a.txt", &error)) << error;
    EXPECT_EQ(TempDir::Read(d / "a.txt"), "Ztop\r\n");
    // Closing the upper half keeps its typing modified below.
    s.page(1).SetModified(false);
    s.Unsplit(1);
    EXPECT_TRUE(!s.IsSplit(1) && s.IsModified(1));
    // A write refused beforehand leaves the file alone.
    s.BeforeFileWrite = [](int, const std::string&, std::string* e) {
        *e = "declined";
        return false;
    };
    s.page(1).c.InsertTyped("Y");
    EXPECT_FALSE(s.SavePageText(1, d / "a.txt", &error));
    EXPECT_EQ(error, "declined");
    EXPECT_EQ(TempDir::Read(d / "a.txt"), "Ztop\r\n");
}

TEST(PageSheets, StatusPanelsFollowTheActiveControl) {
    Sheets s;
    s.InsertPage("a", "/a.txt");
    s.InsertPage("b", "/b.txt");
    s.active = 0;
    s.page(0).c.SetText("l1\r\nl2\r\nl3");
    s.page(0).SetCaretRow(2);
    s.SetRowColMode(false);
    s.SetReadOnly(0, true);
    s.ShowPageStatus();
    EXPECT_EQ(s.shown(), "    3 行:   1 桁|Read Only|挿入");
    // Another page's caret or focus changes nothing shown; the active one's does.
    s.CaretMoved(&s.page(1));
    s.Focused(s.at(1), &s.page(1));
    EXPECT_EQ(s.statusShown, 0);
    s.page(0).SetCaretRow(0);
    s.CaretMoved(&s.page(0));
    EXPECT_EQ(s.shown(), "    1 行:   1 桁|Read Only|挿入");
    // A toggled mode shows in its panel.
    s.page(0).c.SetOverWrite(true);
    s.SetReadOnly(0, false);
    s.ShowModePanels();
    EXPECT_EQ(s.shown(), "    1 行:   1 桁||上書");
}

// Reopening in another encoding reads the file again: the disk watch hears of it as of any read,
// so a change it had noticed is not offered once more.
TEST(PageSheets, ReopeningInAnEncodingTellsTheRead) {
    TempDir d;
    Sheets s;
    TMyFileList list;
    TPageBook book{s, list};
    book.programFolder = d.str();
    book.firstShow = false;
    std::vector<std::string> reads;
    s.OnFileRead = [&](int, const std::string& path) { reads.push_back(path); };
    TempDir::Write(d / "a.txt", "abc");
    ASSERT_TRUE(book.OpenFile(d / "a.txt"));
    const TEncoding utf8 = TEncoding::Utf8;
    s.ReopenActive(book, &utf8);
    s.ReopenActive(book, nullptr);
    EXPECT_EQ(reads, std::vector<std::string>(3, d / "a.txt"));
}

} // namespace
