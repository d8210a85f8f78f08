// The print settings: their stored form, its damage and clamped values.
#include "print/StringsPrinter.h"

#include "app/ObjectIni.h"

#include "platform/IniFile.h"

#include "../support/TempDir.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(StringsPrinter, StoredFormRoundTripsAndRejectsDamage) {
    TStringsPrinter a = TStringsPrinter::Configured();
    a.SetFileName("/home/u/メモ.txt");
    a.SetHeaderAlign(haCenter);
    a.SetColumnCount(2);
    a.SetLastLine(40);
    a.SetFont({"IPAGothic", 12, 128, 2});
    TStringsPrinter b;
    ASSERT_TRUE(b.TryLoadFromBytes(a.SaveToBytes()));
    EXPECT_TRUE(b.SameSettings(a));
    EXPECT_EQ(b.Font(), a.Font());

    // Cut short at any point: nothing changes.
    const std::string bytes = a.SaveToBytes();
    TStringsPrinter c;
    for (std::size_t n : {std::size_t{0}, std::size_t{5}, bytes.size() / 2, bytes.size() - 1}) {
        EXPECT_FALSE(c.TryLoadFromBytes(bytes.substr(0, n))) << n;
        EXPECT_TRUE(c.SameSettings(TStringsPrinter())) << n;
    }
}

TEST(StringsPrinter, SettingsFileKeepsConfiguredValuesOnBadDumps) {
    TempDir d;
    TIniFile ini(d / "Tolmo.ini");
    TStringsPrinter stored = TStringsPrinter::Configured();
    stored.SetMarginTop(33);
    stored.SetLineNumber(true);
    ASSERT_TRUE(WritePrinterToIni(stored, ini));

    TStringsPrinter p = TStringsPrinter::Configured();
    ASSERT_TRUE(ReadPrinterFromIni(p, ini));
    EXPECT_TRUE(p.SameSettings(stored));

    // Not hexadecimal: the bytes are wrong but not cut short (cuts are the stored form's test).
    const std::string line = ini.ReadString("Property", "PropPrn_d1", "");
    ini.WriteString("Property", "PropPrn_d1", "ZZ" + line.substr(2));
    p = TStringsPrinter::Configured();
    EXPECT_FALSE(ReadPrinterFromIni(p, ini));
    EXPECT_TRUE(p.SameSettings(TStringsPrinter::Configured()));
}

TEST(StringsPrinter, DamagedValuesInAWellFormedDumpAreClamped) {
    TPropertyWriter w;
    w.Int("Font.Size", 0);
    w.Int("ColumnCount", 9);
    w.Int("MarginTop", -4);
    w.Int("HeaderAlign", 7);
    w.Int("End", 3);
    TStringsPrinter p = TStringsPrinter::Configured();
    ASSERT_TRUE(p.TryLoadFromBytes(w.Bytes()));
    // MarginLeft is not in the dump: kept.
    EXPECT_EQ(
        std::tuple(p.Font().Size, p.ColumnCount(), p.MarginTop(), p.HeaderAlign(), p.MarginLeft()),
        std::tuple(9, 3, 0, haRight, 30));
}
