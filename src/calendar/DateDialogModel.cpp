// The date dialog's description and rules.
#include "calendar/DateDialogModel.h"

#include "calendar/DateText.h"
#include "calendar/HolidayFile.h"
#include "calendar/JulianDay.h"
#include "calendar/MonthGrid.h"
#include "platform/MessageBox.h"

#include <algorithm>

namespace tolmo {

namespace {

// A control at x, y of size w x h in the dialog's fixed layout.
TControl At(TCtl kind, const char* name, const char* caption, int x, int y, int w, int h,
            unsigned flags = 0, const char* hint = "") {
    TControl c = FixedCell(kind, name, caption, "", x, y, w, h, flags);
    c.Hint = hint;
    return c;
}

TControl Field(const char* name, const char* label, int x, int maxLength) {
    TControl c = At(TCtl::Edit, name, "", x, 144, maxLength == 4 ? 44 : 24, 24);
    c.Max = maxLength;
    c.Label = label; // what a screen reader calls the field
    return c;
}

size_t MaxLength(const std::string& field) {
    return field == "edtYear" ? 4 : 2;
}

// The text cut to n characters, as a field of that length keeps it.
std::string Cut(std::string t, size_t n) {
    size_t chars = 0;
    for (size_t i = 0; i < t.size(); ++i)
        if ((static_cast<unsigned char>(t[i]) & 0xC0) != 0x80 && ++chars > n) return t.substr(0, i);
    return t;
}

std::string Trimmed(const std::string& s) {
    const size_t a = s.find_first_not_of(' '), b = s.find_last_not_of(' ');
    return a == std::string::npos ? std::string() : s.substr(a, b - a + 1);
}

} // namespace

const TFormDesc& DateDialogForm() {
    constexpr unsigned speed = fFlat | fNoFocus;
    // Each field is followed by a gap as wide as the up-down control, which covers the "/" of
    // the field it serves.
    static const TFormDesc desc = {
        At(TCtl::ToolButton, "btnZengetu", "◀", 2, 1, 52, 24, speed, "前の月"),
        At(TCtl::ToolButton, "btnZennen", "▲", 55, 1, 54, 12, speed, "１年後"),
        At(TCtl::ToolButton, "btnYokunen", "▼", 55, 13, 54, 12, speed, "１年前"),
        At(TCtl::ToolButton, "btnYokugetu", "▶", 110, 1, 52, 24, speed, "次の月"),
        At(TCtl::Slot, "Calendar1", "", 3, 27, 157, 109),
        Field("edtYear", "年", 8, 4),
        Field("edtMonth", "月", 66, 2),
        Field("edtDay", "日", 104, 2),
        At(TCtl::Label, "", "/", 52, 144, 14, 24),
        At(TCtl::Label, "", "/", 90, 144, 14, 24),
        At(TCtl::Slot, "UpDown", "", 128, 144, 14, 24),
    };
    return desc;
}

TDateDialogModel::TDateDialogModel(TAsker& asker, const THidukeOptions& options, int32_t today)
    : Calendar1(today), asker_(asker), options_(options) {
    Calendar1.DayOfWeekBkColor = 0xE1E1E1;
    Calendar1.ColorToDay = clLime;
    for (TCalExFont& f : Calendar1.Fonts)
        f.Height = 16;
    Calendar1.Fonts[cfRokuyo].Height = 13;
    Calendar1.OnDayChange = [this](int32_t y, int m, int d) { calendarChanged(y, m, d); };
}

bool TDateDialogModel::Open() {
    if (!options_.holidayPath.empty())
        if (auto lines = ReadHolidayFile(options_.holidayPath))
            Calendar1.SetHolidayLines(std::move(*lines));
    int32_t jd;
    if (options_.presetDate.empty() || !ParsePresetDate(options_.presetDate, jd))
        jd = Calendar1.Today;
    const TJDate d = JuliusToDate(jd);
    if (d.year < 1 || d.year > 9999) {
        asker_.ShowMessage("日時を変換できません。");
        return false;
    }
    setField("edtYear", std::to_string(d.year));
    setField("edtMonth", std::to_string(d.month));
    setField("edtDay", std::to_string(d.day));
    return true;
}

void TDateDialogModel::setField(const std::string& name, std::string text) {
    text = Cut(std::move(text), MaxLength(name));
    if (Text(name) == text) return;
    SetText(name, text);
    fieldChanged(name);
}

void TDateDialogModel::Changed(const std::string& name) {
    if (name.starts_with("edt")) fieldChanged(name);
}

void TDateDialogModel::fieldChanged(const std::string& name) {
    if (writingFields_) return;
    const int days = DaysOfMonthFromFields(field("edtYear"), field("edtMonth"));
    if (FieldNumber(field("edtDay"), 31) > days) setField("edtDay", std::to_string(days));
    if (FieldNumber(field("edtDay"), 0) > 0) {
        // Only a real date moves the calendar; a half-typed month or year waits.
        const auto jd = DateFromFields(field("edtYear"), field("edtMonth"), field("edtDay"));
        if (jd && *jd != Calendar1.JuliusDay()) {
            settingCalendar_ = true;
            Calendar1.SetJuliusDay(*jd);
            settingCalendar_ = false;
        }
    }
    if (!placing_) {
        const std::string t = Trimmed(Text(name));
        if (t.size() == 1) setField(name, " " + t);
    }
}

void TDateDialogModel::calendarChanged(int32_t y, int m, int d) {
    if (settingCalendar_) return;
    writingFields_ = true;
    setField("edtYear", std::to_string(y));
    setField("edtMonth", PaddedField(m));
    setField("edtDay", PaddedField(d));
    writingFields_ = false;
}

void TDateDialogModel::Entered(const std::string& name) {
    upDownField_.clear();
    if (name == "edtDay") {
        mode_ = THidukeField::Day;
        max_ = DaysOfMonthFromFields(field("edtYear"), field("edtMonth"));
    } else {
        mode_ = name == "edtMonth" ? THidukeField::Month : THidukeField::Year;
        max_ = name == "edtMonth" ? 12 : 9999;
    }
    min_ = 1;
    position_ = FieldNumber(Text(name), 0);
    upDownField_ = name;
}

int TDateDialogModel::Type(const std::string& name, char ch, int caret, int selStart, int selLen) {
    if (ch < '0' || ch > '9') return caret;
    // Each edit runs the change rules at once; a rule that rewrote the field puts the caret at
    // its end, as a control's own text change does.
    auto edit = [&](std::string t, size_t at) {
        setField(name, t);
        const std::string& now = Text(name);
        return now == Cut(t, MaxLength(name)) ? at : now.size();
    };
    std::string t = Text(name);
    size_t at = std::min<size_t>(static_cast<size_t>(std::max(caret, 0)), t.size());
    if (selLen > 0 && static_cast<size_t>(selStart) < t.size()) {
        at = static_cast<size_t>(selStart);
        t.erase(at, static_cast<size_t>(selLen));
        at = edit(t, at);
    } else if (at < t.size()) {
        placing_ = true;
        t.erase(at, 1);
        at = edit(t, at);
        placing_ = false;
    }
    t = Text(name);
    if (t.size() >= MaxLength(name)) return static_cast<int>(at);
    t.insert(std::min(at, t.size()), 1, ch);
    return static_cast<int>(edit(t, at + 1));
}

namespace {

// Byte offset in UTF-8 text of the UTF-16 offset `units` (clamped to the text).
int BytesOfUnits(std::string_view text, int units) {
    size_t i = 0;
    for (int n = 0; i < text.size() && n < units;) {
        const auto b = static_cast<unsigned char>(text[i]);
        const size_t len = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
        n += len == 4 ? 2 : 1;
        i = std::min(text.size(), i + len);
    }
    return static_cast<int>(i);
}

// UTF-16 units of the first `bytes` bytes of UTF-8 text.
int UnitsOfBytes(std::string_view text, int bytes) {
    int n = 0;
    for (size_t i = 0; i < text.size() && i < static_cast<size_t>(std::max(bytes, 0)); ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        if ((b & 0xC0) != 0x80) n += b >= 0xF0 ? 2 : 1;
    }
    return n;
}

} // namespace

int TDateDialogModel::TypeKey(const std::string& name, std::u16string_view key, int caret,
                              int selStart, int selLen) {
    if (key.empty() || key[0] < u' ' || key[0] == 0x7F) return -1;
    const char ch = key.size() == 1 && key[0] < 0x80 ? static_cast<char>(key[0]) : '\0';
    const std::string before = Text(name);
    const int start = BytesOfUnits(before, selStart);
    const int bytes = Type(name, ch, BytesOfUnits(before, caret), start,
                           BytesOfUnits(before, selStart + selLen) - start);
    return UnitsOfBytes(Text(name), bytes);
}

void TDateDialogModel::KeyReleased(const std::string& name) {
    position_ = FieldNumber(Text(name), position_);
}

std::string TDateDialogModel::NeighbourField(const std::string& field, int dir) {
    static const std::string order[] = {"edtYear", "edtMonth", "edtDay"};
    for (int i = 0; i < 3; ++i)
        if (order[i] == field) {
            const int to = i + dir;
            return to >= 0 && to < 3 ? order[to] : std::string();
        }
    return {};
}

void TDateDialogModel::ArrowKey(const std::string& name, int dir) {
    if (name == upDownField_) Step(dir);
}

void TDateDialogModel::Step(int dir) {
    // The day range follows the month the fields name now.
    if (mode_ == THidukeField::Day) {
        min_ = 1;
        max_ = DaysOfMonthFromFields(field("edtYear"), field("edtMonth"));
    }
    if (!upDownField_.empty()) position_ = FieldNumber(Text(upDownField_), position_);
    const int next = position_ + dir;
    if (next < min_ || next > max_) {
        atLimit();
        return;
    }
    position_ = next;
    if (!upDownField_.empty()) setField(upDownField_, std::to_string(position_));
}

void TDateDialogModel::atLimit() {
    const TUpDownLimitStep r = UpDownAtLimit(mode_, field("edtYear"), field("edtMonth"),
                                             field("edtDay"), position_, min_, max_);
    if (!r.acted) return;
    max_ = r.max;
    if (r.writeFields) {
        const TJDate d = JuliusToDate(r.jd);
        setField("edtYear", std::to_string(d.year));
        setField("edtMonth", std::to_string(d.month));
        setField("edtDay", std::to_string(d.day));
    }
    position_ = r.position;
}

void TDateDialogModel::Clicked(const std::string& name) {
    try {
        if (name == "btnZengetu" || name == "btnYokugetu")
            Calendar1.SetJuliusDay(AddMonth(Calendar1.JuliusDay(), name == "btnZengetu" ? -1 : 1));
        else if (name == "btnZennen" || name == "btnYokunen")
            Calendar1.SetYear(Calendar1.Year() + (name == "btnZennen" ? 1 : -1));
    } catch (const EJuliusError& e) {
        asker_.ShowErrorBox(e.what());
    }
}

bool TDateDialogModel::CanAccept() const {
    if (DateFromFields(field("edtYear"), field("edtMonth"), field("edtDay"))) return true;
    // The dialog stays with what was typed; the user corrects the fields.
    asker_.ShowMessage("日付が正しくありません。");
    return false;
}

std::string TDateDialogModel::Result(bool cancelled) const {
    const auto jd = DateFromFields(field("edtYear"), field("edtMonth"), field("edtDay"));
    if (cancelled || !jd) return {};
    return HidukeText(*jd, options_.isWaYMD, options_.isYoubi);
}

} // namespace tolmo
