// The date insertion dialog without its window: its controls as data and TDateDialogModel, the
// rules between the three fields, the calendar and the up-down control (which field it serves,
// its range, the step past its limits), overwrite typing, the buttons and the result text.
#pragma once

#include "app/Form.h"
#include "calendar/DateFields.h"
#include "calendar/DateSettings.h"
#include "calendar/MonthCalendar.h"
#include "platform/MessageBox.h"

#include <string>
#include <string_view>

namespace tolmo {

const TFormDesc& DateDialogForm();

inline constexpr const char* kDateDialogHelp =
    "日付を挿入・・・[Return]、又は[Ctrl]+[D]\r\nキャンセル・・・[Esc]\r\n\r\n"
    "[↑][↓]キーで、日付を変更できます。";

class TDateDialogModel : public TFormModel {
  public:
    // asker tells what cannot be taken (a date out of range, a wrong date).
    TDateDialogModel(TAsker& asker, const THidukeOptions& options, int32_t today);

    // The dialog's calendar; its day changes write the fields.
    TBrMCalendar Calendar1;

    // On first show: the holiday file, then the preset date (or today) into the fields. False
    // when the date cannot be written: the message is shown and the dialog is to close.
    bool Open();
    // A field received the focus: the up-down control serves it from now on.
    void Entered(const std::string& field);
    // A character typed into field with the caret at `caret` and selLen characters selected from
    // selStart (offsets in bytes): a digit overwrites from the caret, anything else is dropped.
    // Returns the caret after it.
    int Type(const std::string& field, char ch, int caret, int selStart, int selLen);
    // The same with the key's text and offsets in UTF-16 units, as the field control counts
    // them. Returns the caret after it in those units, or -1 when the key types no character
    // (empty text, a control character) and the control handles it itself.
    int TypeKey(const std::string& field, std::u16string_view key, int caret, int selStart,
                int selLen);
    // A key released in field: the up-down position follows the field's number.
    void KeyReleased(const std::string& field);
    // Up (+1) or Down (-1) in a field: a step of the up-down when it serves that field.
    void ArrowKey(const std::string& field, int dir);
    // Ctrl+Left (-1) or Ctrl+Right (+1) in a field: the neighbouring field, "" past the ends.
    static std::string NeighbourField(const std::string& field, int dir);
    // The focused field is drawn light cyan with blue digits; the others in the window's colours.
    struct TFieldColors {
        TColor Base, Text;
    };
    static TFieldColors FocusedFieldColors() { return {RGBColor(0xB9, 0xFF, 0xFF), clBlue}; }
    // The up-down control's own arrows. It never wraps: a step past its range steps the date.
    void Step(int dir);
    const std::string& UpDownField() const { return upDownField_; } // "" detached
    int UpDownPosition() const { return position_; }
    int UpDownMax() const { return max_; }

    // Return or Ctrl+D: false, with a message, while the fields name no date.
    bool CanAccept() const;
    // The date text in the user's style; empty when cancelled or the fields name no date.
    std::string Result(bool cancelled) const;

    void Changed(const std::string& name) override; // a field edited otherwise (paste, Delete)
    void Clicked(const std::string& name) override; // the month and year buttons

  private:
    std::string field(const char* name) const { return Text(name); }
    // Writes a field as the control would (cut to its length) and runs its change rules.
    void setField(const std::string& name, std::string text);
    void fieldChanged(const std::string& name);
    void calendarChanged(int32_t y, int m, int d);
    void atLimit();

    TAsker& asker_;
    THidukeOptions options_;
    THidukeField mode_ = THidukeField::Day;
    std::string upDownField_;
    int min_ = 1, max_ = 31, position_ = 1;
    bool writingFields_ = false;   // fields are being written from the calendar
    bool settingCalendar_ = false; // the calendar is being set from the fields
    bool placing_ = false;         // a typed digit is being placed
};

} // namespace tolmo
