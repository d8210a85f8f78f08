// The open-file list: record format, escapes, lookup and [MyFileList].
#include "mainwindow/pages/MyFileList.h"

#include "../support/TempDir.h"
#include "mainwindow/pages/DocumentFile.h"
#include "platform/IniFile.h"

#include "MemSection.h"

#include <gtest/gtest.h>

TEST(MyFileList, CommasInAnyFieldAreEscapedAndShiftNothing) {
    TFileRecord r = TFileRecord::Fresh("a,b.txt", "/d,e/");
    r.f5 = "p,q";
    r.caretRow = 12;
    TMyFileList l;
    l.AddRecord(r);
    EXPECT_EQ(l.Record(0).substr(0, 17), "a{`}b.txt,/d{`}e/");
    EXPECT_EQ(l.PathOf(0), "/d,e/a,b.txt");
    EXPECT_EQ(l.IndexOfPath("/d,e/a,b.txt"), 0);
    EXPECT_EQ(l.GetField(0, 5), "p,q");
    l.SetField(0, 7, "x,y"); // a later field set escapes too and keeps the others
    EXPECT_EQ(l.GetField(0, 7), "x,y");
    EXPECT_EQ(l.GetIntField(0, ffCaretRow), 12);
    EXPECT_EQ(TMyFileList::SplitRecord(l.Record(0)).size(), 13u);
}

TEST(MyFileList, FieldAccessOutOfRangeAndShortRecords) {
    TMyFileList l;
    EXPECT_EQ(l.GetField(0, 0), "");
    l.AddRaw("only.txt,/x/");
    for (auto [index, field] : {std::pair{0, 8}, {0, -1}, {5, 0}})
        EXPECT_EQ(l.GetField(index, field), "") << index << "," << field;
    l.SetField(3, 0, "z");  // no such record: nothing happens
    l.SetField(0, 13, "z"); // no such field: nothing happens
    // A short record is padded when a known field is set, so its state can still be kept.
    l.SetField(0, ffLoaded, "1");
    EXPECT_EQ(l.Record(0), "only.txt,/x/,,,,,,,,,1,,");
    // Numbers that are not numbers read as zero.
    l.AddRaw("a,/b/,0,,,,,,12x,abc,1,-3,0");
    EXPECT_EQ(l.GetIntField(1, ffCaretRow) + l.GetIntField(1, ffTopRow), 0);
    EXPECT_EQ(l.GetIntField(1, ffTag), -3);
}

TEST(MyFileList, IndexOfPathComparesExactly) {
    TMyFileList l;
    l.AddRecord(TFileRecord::Fresh("xmemo.txt", "/a/"));
    l.AddRecord(TFileRecord::Fresh("memo.txt", "/b/"));
    l.AddRecord(TFileRecord::Fresh("memo.txt", "/a/"));
    // A longer name ending the same is no match and letter case tells files apart; -2 says that
    // the name is open from another folder.
    const std::pair<const char*, int> cases[] = {{"/a/memo.txt", 2},  {"/b/memo.txt", 1},
                                                 {"/c/memo.txt", -2}, {"/a/Memo.txt", -1},
                                                 {"/a/emo.txt", -1},  {"/A/memo.txt", -2}};
    for (auto [path, index] : cases)
        EXPECT_EQ(l.IndexOfPath(path), index) << path;
}

TEST(MyFileList, LoadMarksUnloadedAndDropsEmptyRecordsAndBadCounts) {
    MemSection m;
    m.values = {{"Count", "4"},
                {"File0", "a.txt,/d/,1,,,,,,5,2,1,0,0"},
                {"File1", "short.txt,/d/"},
                {"File2", ""}};
    TMyFileList l;
    l.Load(m.section());
    ASSERT_EQ(l.Count(), 2); // File2 empty, File3 missing
    EXPECT_EQ(l.Record(0), "a.txt,/d/,1,,,,,,5,2,0,0,0");
    EXPECT_EQ(l.Record(1), "short.txt,/d/,,,,,,,,,0,,");
    for (const char* c : {"abc", "-2", "0", ""}) {
        m.values["Count"] = c;
        TMyFileList bad;
        bad.Load(m.section());
        EXPECT_EQ(bad.Count(), 0) << c;
    }
}

TEST(MyFileList, SaveSkipsUntitledFolderlessAndReadOnlyRecords) {
    TMyFileList l;
    l.AddRecord(TFileRecord::Fresh(kUntitledName, ""));
    l.AddRecord(TFileRecord::Fresh("a.txt", "/d/"));
    l.AddRaw("nofolder.txt,,0,,,,,,0,0,0,0,0");
    TFileRecord ro = TFileRecord::Fresh("ro.txt", "/d/");
    ro.readOnly = "1";
    l.AddRecord(ro);
    l.AddRecord(TFileRecord::Fresh("b,c.txt", "/d/"));
    MemSection m;
    m.values["File2"] = "stale";
    ASSERT_TRUE(l.Save(m.section()));
    EXPECT_EQ(m.values["Count"], "2");
    EXPECT_EQ(m.values["File0"], l.Record(1));
    EXPECT_EQ(m.values["File1"], "b{`}c.txt,/d/,0,,,,,,0,0,0,0,0");
    EXPECT_EQ(m.values["File2"], "stale"); // beyond Count, left alone

    TMyFileList back;
    back.Load(m.section());
    ASSERT_EQ(back.Count(), 2);
    EXPECT_EQ(back.PathOf(1), "/d/b,c.txt");
    // A failed write is told.
    m.failAfter = 1;
    EXPECT_FALSE(l.Save(m.section()));
    TProfileSection throwing{
        [](const std::string&, const std::string& d) { return d; },
        [](const std::string&, const std::string&) -> bool { throw std::runtime_error("disk"); }};
    EXPECT_FALSE(l.Save(throwing));
}

TEST(MyFileList, NamesWithLineBreaksBlanksAndBytesThatAreNotUtf8SurviveTheSettingsFile) {
    TempDir d;
    const std::vector<std::string> names = {"new\nline.txt", " blank ends ", "50%\r.txt",
                                            "\xff\xfe latin1 \xe9.txt", "plain.txt"};
    TMyFileList l;
    for (const std::string& n : names)
        l.AddRecord(TFileRecord::Fresh(n, "/d/"));
    {
        TIniFile ini(d / "Tolmo.ini");
        ASSERT_TRUE(l.Save(IniSection(ini, TMyFileList::kSection)));
    }
    TIniFile ini(d / "Tolmo.ini");
    EXPECT_EQ(ini.ReadString(TMyFileList::kSection, "File4", ""), l.Record(4)); // as it was
    TMyFileList back;
    back.Load(IniSection(ini, TMyFileList::kSection));
    ASSERT_EQ(back.Count(), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(back.PathOf(i), "/d/" + names[static_cast<std::size_t>(i)]);
}

TEST(PathParts, ExtensionsOfDottedFoldersAndNames) {
    EXPECT_EQ(PathFolder(kUntitledName), "");
    EXPECT_EQ(NameWithoutExtension("c.tar.gz"), "c.tar");
    EXPECT_EQ(NameWithoutExtension(".profile"), ".profile");
    EXPECT_EQ(PathExtension("/a.b/c"), "");
    EXPECT_EQ(PathExtension("/a/x.HTML"), ".HTML");
}
