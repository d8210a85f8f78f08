// Objects stored as hex dumps in the settings file: line layout, shrinking, damage, round trips.
#include "app/ObjectIni.h"

#include "platform/IniFile.h"

#include "../support/TempDir.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

std::string bytesOf(std::size_t n) {
    std::string b;
    for (std::size_t i = 0; i < n; ++i)
        b += static_cast<char>(i * 7 + 1);
    return b;
}

TEST(ObjectIni, DamagedAndShrinkingDumps) {
    TempDir d;
    TempDir::Write(d / "Tolmo.ini",
                   "[Property]\nPropPrn_c=2000000000\nPropPrn_d0=4142\nPropPrn_d07=FF\n");
    TIniFile ini(d / "Tolmo.ini");
    EXPECT_EQ(ReadObjectFromIni(ini, "Property", "PropPrn"), "AB");
    EXPECT_EQ(HexDumpBytes("41zz42a"), std::string("A\0B", 3)); // what is not hex reads as 0
    ASSERT_TRUE(WriteObjectToIni("Z", ini, "Property", "PropPrn"));
    EXPECT_EQ(ini.ReadSection("Property"), (std::vector<std::string>{"PropPrn_c", "PropPrn_d0"}));

    ASSERT_TRUE(ini.WriteString("EditorProp_Default", "other", "kept"));
    ASSERT_TRUE(WriteObjectToIni(bytesOf(150), ini, "EditorProp_Default", "prop")); // 5 lines
    EXPECT_EQ(ini.ReadInteger("EditorProp_Default", "prop_c", 0), 5);
    EXPECT_EQ(ini.ReadString("EditorProp_Default", "prop_d0", "").substr(0, 6), "01080F");
    EXPECT_EQ(ini.ReadString("EditorProp_Default", "prop_d4", "").size(), 44u); // 32 bytes a line
    ASSERT_TRUE(WriteObjectToIni(bytesOf(80), ini, "EditorProp_Default", "prop")); // 3 lines
    EXPECT_EQ(ini.ReadSection("EditorProp_Default"),
              (std::vector<std::string>{"other", "prop_c", "prop_d0", "prop_d1", "prop_d2"}));
    EXPECT_EQ(ReadObjectFromIni(ini, "EditorProp_Default", "prop"), bytesOf(80));
    ASSERT_TRUE(WriteObjectToIni("", ini, "EditorProp_Default", "prop"));
    EXPECT_EQ(ini.ReadSection("EditorProp_Default"), (std::vector<std::string>{"other"}));
    EXPECT_EQ(ReadObjectFromIni(ini, "EditorProp_Default", "prop"), "");
}

struct Sample : TStreamable {
    int width = 80;
    bool wrap = true;
    std::uint32_t color = 0xFFFFFF;
    std::string font = "FixedSys";
    std::string SaveToBytes() const override {
        TPropertyWriter w;
        w.Int("Width", width);
        w.Bool("Wrap", wrap);
        w.Color("Color", color);
        w.Text("Font", font);
        return w.Bytes();
    }
    void LoadFromBytes(std::string_view b) override {
        TPropertyReader r(b);
        r.Int("Width", width, 20, 250);
        r.Bool("Wrap", wrap);
        r.Color("Color", color);
        r.Text("Font", font);
    }
};

TEST(ObjectIni, PropertiesRoundTripAndPartialDataIsTolerated) {
    Sample a, b, c;
    a.width = 120;
    a.wrap = false;
    a.color = 0xFF00000F;
    a.font = "ＭＳ ゴシック";
    b.LoadFromBytes(a.SaveToBytes());
    EXPECT_EQ(std::tie(b.width, b.wrap, b.color, b.font),
              std::tie(a.width, a.wrap, a.color, a.font));
    // A cut-off stream keeps what is whole; unknown names and wrong types are ignored.
    TPropertyWriter w;
    w.Int("Width", 5000);
    w.Text("Wrap", "yes");
    w.Int("Unknown", 1);
    c.LoadFromBytes(w.Bytes() + "\x04" + "Font" + "s\xff\xff"); // a text cut short
    EXPECT_EQ(std::tie(c.width, c.wrap, c.font), std::tuple(250, true, "FixedSys"));
}

} // namespace
