// The date dialog's rules without a window: opening, typing, the calendar, the up-down, buttons.
#include "calendar/DateDialogModel.h"
#include "calendar/JulianDay.h"

#include "../support/RecordingSink.h"
#include "../support/TempDir.h"

#include <gtest/gtest.h>

using namespace tolmo;

namespace {

const int32_t kToday = DateToJulius(2026, 12, 7);

struct Dialog {
    RecordingSink sink;
    TDateDialogModel m;
    explicit Dialog(const char* preset, bool wa = true, bool youbi = true)
        : m(THidukeOptions{wa, youbi, "", preset}, kToday) {
        m.Open();
    }
    // The fields, then the calendar's day: "2006| 2| 5 = 2006-2-5".
    std::string State() const {
        const TJDate j = JuliusToDate(m.Calendar1.JuliusDay());
        return m.Text("edtYear") + "|" + m.Text("edtMonth") + "|" + m.Text("edtDay") + " = " +
               std::to_string(j.year) + "-" + std::to_string(j.month) + "-" + std::to_string(j.day);
    }
};

} // namespace

TEST(DateDialogModel, OpensOnThePresetDateOrToday) {
    Dialog d("2006/2/5");
    EXPECT_EQ(d.State(), "2006| 2| 5 = 2006-2-5");
    EXPECT_EQ(Dialog("2005/13/24").State(), "2026|12| 7 = 2026-12-7");
    EXPECT_EQ(d.m.Result(false), "H18.2.5 (日)");
    EXPECT_EQ(Dialog("2005/11/24", false, false).m.Result(false), "2005.11.24");
    EXPECT_EQ(d.m.Result(true), "");
}

TEST(DateDialogModel, TypingOverwritesFromTheCaret) {
    Dialog d("2006/2/5");
    d.m.Entered("edtDay");
    EXPECT_EQ(d.m.Type("edtDay", '3', 0, 0, 0), 2); // " 5" -> "35" -> cut to February's 28
    EXPECT_EQ(d.State(), "2006| 2|28 = 2006-2-28");
    EXPECT_EQ(d.m.Type("edtDay", 'a', 0, 0, 0), 0); // not a digit: dropped
    EXPECT_EQ(d.m.Type("edtDay", '1', 0, 0, 0), 1);
    EXPECT_EQ(d.m.Type("edtDay", '9', 2, 2, 0), 2);   // the field is full
    EXPECT_EQ(d.m.Type("edtMonth", '4', 1, 1, 0), 2); // " 2" -> " 4": April
    EXPECT_EQ(d.State(), "2006| 4|18 = 2006-4-18");
    d.m.Type("edtYear", '1', 0, 0, 4); // all selected: "1", then padded
    EXPECT_EQ(d.m.Text("edtYear"), " 1");
    // Keys count in UTF-16 units, as the control does, also past a wide character pasted in.
    d.m.UserText("edtYear", "１0");
    EXPECT_EQ(d.m.TypeKey("edtYear", u"7", 1, 1, 0), 2);
    EXPECT_EQ(d.m.Text("edtYear"), "１7");
    for (const char16_t* key : {u"", u"\t", u"\x7f"})
        EXPECT_EQ(d.m.TypeKey("edtDay", key, 0, 0, 0), -1) << int(key[0]);
}

TEST(DateDialogModel, CalendarAndFieldsFollowEachOther) {
    Dialog d("2006/2/5");
    d.m.Calendar1.SetJuliusDay(DateToJulius(2007, 12, 3));
    EXPECT_EQ(d.State(), "2007|12| 3 = 2007-12-3");
    d.m.UserText("edtMonth", "13"); // a half-typed month leaves the calendar
    d.m.Changed("edtMonth");
    EXPECT_EQ(d.State(), "2007|13| 3 = 2007-12-3");
    EXPECT_FALSE(d.m.CanAccept());
    EXPECT_EQ(d.sink.texts(), std::vector<std::string>{"日付が正しくありません。"});
    EXPECT_EQ(d.m.Result(false), "");
}

// The up-down serves the field last entered and steps over its limits into the next month (the
// steps themselves are the date fields' and the month grid's tests); the buttons move the
// calendar, and the fields follow.
TEST(DateDialogModel, UpDownAndButtonsMoveTheDate) {
    Dialog d("2006/1/31");
    d.m.Entered("edtDay");
    d.m.ArrowKey("edtMonth", +1); // not the field it serves
    EXPECT_EQ(d.State(), "2006| 1|31 = 2006-1-31");
    d.m.ArrowKey("edtDay", +1);
    EXPECT_EQ(d.State(), "2006| 2| 1 = 2006-2-1");
    EXPECT_EQ(d.m.UpDownMax(), 28);
    d.m.Step(-1);
    EXPECT_EQ(d.State(), "2006| 1|31 = 2006-1-31");
    d.m.Entered("edtMonth");
    d.m.Step(+1); // 31 February 2006 does not exist: cut to 28
    EXPECT_EQ(d.State(), "2006| 2|28 = 2006-2-28");
    d.m.Clicked("btnYokugetu");
    d.m.Clicked("btnZennen"); // adds a year
    EXPECT_EQ(d.State(), "2007| 3|28 = 2007-3-28");
    // Ctrl+Left/Right go to the neighbouring field and stop at the ends.
    std::string neighbours;
    for (auto [field, way] :
         {std::pair{"edtMonth", -1}, {"edtMonth", 1}, {"edtDay", 1}, {"edtYear", -1}})
        neighbours += TDateDialogModel::NeighbourField(field, way) + ",";
    EXPECT_EQ(neighbours, "edtYear,edtDay,,,");
}

TEST(DateDialogModel, HolidayFileIsReadOnOpen) {
    TempDir dir;
    TempDir::Write(dir / "HDay.dat", "12,1,test\r\n");
    TDateDialogModel m(THidukeOptions{true, true, dir / "HDay.dat", ""}, kToday);
    m.Open();
    EXPECT_EQ(m.Calendar1.HolidayList(), std::vector<std::string>{"12,1,test"});
    TDateDialogModel none(THidukeOptions{true, true, dir / "missing.dat", ""}, kToday);
    EXPECT_TRUE(none.Open());
    EXPECT_TRUE(none.Calendar1.HolidayList().empty());
}
