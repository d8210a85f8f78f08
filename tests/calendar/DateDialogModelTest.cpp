// The date dialog without a window: its settings, its fields' arithmetic and its model's rules.
#include "calendar/DateDialogModel.h"
#include "calendar/DateFields.h"
#include "calendar/DateSettings.h"
#include "calendar/JulianDay.h"
#include "platform/IniFile.h"

#include "../support/RecordingAsker.h"
#include "../support/TempDir.h"

#include <gtest/gtest.h>
#include <tuple>

using namespace tolmo;

namespace {

const int32_t kToday = DateToJulius(2026, 12, 7);

struct Dialog {
    RecordingAsker asker;
    TDateDialogModel m;
    explicit Dialog(const char* preset, bool wa = true, bool youbi = true)
        : m(asker, THidukeOptions{wa, youbi, "", preset}, kToday) {
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
    EXPECT_EQ(d.asker.texts(), std::vector<std::string>{"日付が正しくありません。"});
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
    RecordingAsker asker;
    TDateDialogModel m(asker, THidukeOptions{true, true, dir / "HDay.dat", ""}, kToday);
    m.Open();
    EXPECT_EQ(m.Calendar1.HolidayList(), std::vector<std::string>{"12,1,test"});
    TDateDialogModel none(asker, THidukeOptions{true, true, dir / "missing.dat", ""}, kToday);
    EXPECT_TRUE(none.Open());
    EXPECT_TRUE(none.Calendar1.HolidayList().empty());
}

TEST(DateSettings, StyleFromTheSettingsFileAndThePresetDate) {
    TempDir dir;
    THidukeOptions o;
    o.isWaYMD = o.isYoubi = false;
    ReadHidukeStyle(TIniFile(dir / "Tolmo.ini"), o); // no file: both default on
    EXPECT_TRUE(o.isWaYMD && o.isYoubi);
    TempDir::Write(dir / "Tolmo.ini", "[Set]\r\nisWaYMD=0\r\nisYoubi=1\r\n");
    ReadHidukeStyle(TIniFile(dir / "Tolmo.ini"), o);
    EXPECT_TRUE(!o.isWaYMD && o.isYoubi);
    int32_t jd = 0;
    ASSERT_TRUE(ParsePresetDate("2006/ 2/ 1", jd));
    EXPECT_EQ(jd, DateToJulius(2006, 2, 1));
    for (const char* bad : {"2005/02/30", "2005-11-24", "10000/1/1"})
        EXPECT_FALSE(ParsePresetDate(bad, jd)) << bad;
}

TEST(DateFields, UpDownPastTheLimits) {
    // The step as "y-m-d w max position" (w: the fields are written), or "-" when it did nothing.
    auto step = [](THidukeField mode, const char* y, const char* m, const char* d, int position,
                   int max) {
        const TUpDownLimitStep r = UpDownAtLimit(mode, y, m, d, position, 1, max);
        if (!r.acted) return std::string("-");
        const TJDate j = JuliusToDate(r.jd);
        return std::to_string(j.year) + "-" + std::to_string(j.month) + "-" +
               std::to_string(j.day) + (r.writeFields ? " w " : " ") + std::to_string(r.max) + " " +
               std::to_string(r.position);
    };
    using F = THidukeField;
    // Day 31 of January up: 1 February; day 1 down: the last day of the previous month.
    EXPECT_EQ(step(F::Day, "2006", " 1", "31", 31, 31), "2006-2-1 w 28 1");
    EXPECT_EQ(step(F::Day, "2006", " 3", " 1", 1, 31), "2006-2-28 w 28 28");
    // Month 12 up: January of the next year, the day kept where it fits.
    EXPECT_EQ(step(F::Month, "2006", "12", "31", 12, 12), "2007-1-31 w 12 1");
    // Year mode only restores the maximum.
    const TUpDownLimitStep year = UpDownAtLimit(F::Year, "9999", "12", "31", 9999, 1, 9999);
    EXPECT_EQ(std::tuple(year.acted, year.writeFields, year.max), std::tuple(true, false, 9999));
    // A year field that is not a number, or a day in the calendar gap, stops it.
    EXPECT_EQ(step(F::Day, "", " 1", "31", 31, 31), "-");
    EXPECT_EQ(step(F::Day, "1582", "10", " 7", 7, 31), "-");
}

TEST(DateFields, DateForTheResult) {
    EXPECT_EQ(DateFromFields("2006", " 2", " 1"), DateToJulius(2006, 2, 1));
    EXPECT_FALSE(DateFromFields("", "11", "24"));
    EXPECT_FALSE(DateFromFields("0", " 1", " 1"));
    EXPECT_FALSE(DateFromFields("2005", " 2", "30"));
    EXPECT_FALSE(DateFromFields("1582", "10", "10"));
    EXPECT_EQ(DaysOfMonthFromFields("", "12"), 28); // no year or month: the shortest month
}
