// Dialogs as data: the controls of a window (kind, object name, caption, where each sits, its
// range and choices), and TFormModel, the state a dialog's rules keep for its controls (values,
// texts, choices, enabled and visible) with the list of what the rules changed since the window
// last looked. The window builds itself from the description and forwards the user's changes.
#pragma once

#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <vector>

enum class TCtl : unsigned char {
    Box,       // a nested layout without a widget of its own (container)
    Group,     // a captioned frame (container); with fRadios its radio buttons form one choice
    Panel,     // a plain widget (container)
    Tabs,      // pages with tabs (container of Page)
    Stack,     // pages without tabs, one shown (container of Page)
    Page,      // a page of Tabs or Stack (container); Caption is the tab's text
    Label,     // text; Int unused, Text the caption
    Edit,      // one-line text field
    Memo,      // read-only text of several lines
    Spin,      // number field, Min..Max
    Check,     // check box, Int 0 or 1
    Radio,     // radio button of the enclosing choice group
    Combo,     // drop-down list, Int the item index, Text the item's text
    ComboEdit, // editable drop-down, Text the field
    Button,
    ToolButton,
    ColorButton, // Int the colour value; Min 1 allows "no colour"
    List,        // a list of Items, Int the current row
    Slot,        // a widget the dialog makes itself (a calendar, a palette)
    Stretch,     // box: stretch of Max; grid: row Row (Col < 0) or column Col (Row < 0) stretch Max
    Spacing,     // box: fixed space of Max pixels
};

enum class TLay : unsigned char { VBox, HBox, Grid, Form, Fixed };

enum TCtlFlag : unsigned {
    fHidden = 1,      // not shown (a page: its tab not shown)
    fDefault = 2,     // the button Return presses
    fReadOnly = 4,    // a field that shows but does not take typing
    fFlat = 8,        // a group without its frame, a tool button without its edge
    fRadios = 16,     // a group (or box) whose radio buttons are one choice, Int its index
    fAlignRight = 32, // placed at the right of its cell
    fAlignVCenter = 64,
    fDisabled = 128,
    fDoubleClick = 256, // a spin field reports double-clicks as clicks
    fNoFocus = 512,
    fFixedSize = 1024, // the window keeps its size (search dialogs)
};

// One control. In a Grid container Row/Col/RowSpan/ColSpan give the cell; in a Fixed container
// Row/Col are y/x and RowSpan/ColSpan height/width (0: the control's own size). In a box the order
// of the description is the order on screen and Stretch the control's share of the free space; in
// a Form container Label is the caption of the row (empty: the control spans the row).
struct TControl {
    TCtl Kind;
    const char* Name = "";    // object name; containers need one to be referred to
    const char* Caption = ""; // text shown (for Combo the first choice is Items)
    const char* Parent = "";  // the container's name; "" for the window itself
    int Row = 0, Col = 0, RowSpan = 1, ColSpan = 1;
    int Min = 0, Max = 0;     // spin range; Stretch and Spacing use Max
    const char* Items = "";   // choices of a Combo or of a fRadios group, separated by '|'
    TLay Layout = TLay::VBox; // of a container
    unsigned Flags = 0;
    int Stretch = 0;
    const char* Label = ""; // Form row caption
    const char* Buddy = ""; // a label's field (its mnemonic focuses it)
    const char* Hint = "";  // the tool tip
};
using TFormDesc = std::vector<TControl>;
// The control with a Label: outside a Form container only what a screen reader calls it.
inline TControl Labelled(TControl c, const char* label) {
    c.Label = label;
    return c;
}

// The choices of an Items string.
std::vector<std::string> SplitItems(std::string_view items);
// Kinds that hold other controls; of these, pages (of Tabs and Stack) get no layout of their
// parent's, and a caption is the text of every other kind but the drop-downs and colour buttons.
bool HoldsControls(TCtl kind);
bool LaysOutChildren(TCtl kind);
bool CaptionIsText(TCtl kind);
// The name a screen reader gives control i: its row caption (Label), else the caption of the
// label that focuses it, else, for a field or a button without a caption, the text of the label
// before it in its container (in a grid, on its row). Mnemonic marks are dropped; empty when the
// control names itself (a captioned button or box) or no label is found.
std::string AccessibleNameOf(const TFormDesc& desc, std::size_t i);
// A control in a grid cell (row, col) spanning rowSpan x colSpan cells.
TControl GridCell(TCtl kind, const char* name, const char* caption, const char* parent, int row = 0,
                  int col = 0, int rowSpan = 1, int colSpan = 1, unsigned flags = 0);
// A control at x, y of size w x h in a Fixed container (0: the control's own size).
TControl FixedCell(TCtl kind, const char* name, const char* caption, const char* parent, int x,
                   int y, int w = 0, int h = 0, unsigned flags = 0);
// A fixed-layout text label at x, y (width 0: its own).
TControl FixedLabel(const char* parent, const char* caption, int x, int y, int w = 0);

// The tab step steps to from current (+1 next, -1 previous), passing over tabs not shown.
int NextVisible(const std::vector<bool>& visible, int current, int step);

// What the rules keep for one control.
struct TControlState {
    int Int = 0;
    std::string Text;
    std::vector<std::string> Items;
    bool Enabled = true;
    bool Visible = true;
};

// The state of a dialog's controls and its rules. The window writes what the user did with the
// User* calls, then calls Changed or Clicked; what the rules set is reported by TakeChanged.
class TFormModel {
  public:
    enum TWhat : unsigned { wInt = 1, wText = 2, wItems = 4, wEnabled = 8, wVisible = 16 };

    virtual ~TFormModel() = default;
    // The user changed the value of name (already stored).
    virtual void Changed(const std::string& name) { (void)name; }
    // The user pressed the button name (or double-clicked a field that reports it).
    virtual void Clicked(const std::string& name) { (void)name; }

    int Int(const std::string& name) const;
    bool Checked(const std::string& name) const { return Int(name) != 0; }
    const std::string& Text(const std::string& name) const;
    const std::vector<std::string>& Items(const std::string& name) const;
    // A list's chosen item (its text when the rules set no items).
    const std::string& Choice(const std::string& name) const;
    bool Enabled(const std::string& name) const;
    bool Visible(const std::string& name) const;

    void SetInt(const std::string& name, int v);
    void SetChecked(const std::string& name, bool v) { SetInt(name, v ? 1 : 0); }
    void SetText(const std::string& name, const std::string& t);
    void SetItems(const std::string& name, std::vector<std::string> items);
    void SetEnabled(const std::string& name, bool v);
    void SetVisible(const std::string& name, bool v);
    // The same state for several controls.
    void SetEnabled(std::initializer_list<const char*> names, bool v);

    // The window's side: a value the user changed (not reported back by TakeChanged).
    void UserInt(const std::string& name, int v) { state_[name].Int = v; }
    void UserText(const std::string& name, const std::string& t) { state_[name].Text = t; }

    // The value a control starts with, unless the model holds one for it already: a label's or
    // field's caption, a number field's value nearest 0, a drop-down list's first choice, no
    // choice of a radio group, a check box off, a colour button black.
    void Seed(const TControl& c);

    // Names whose state the rules changed since the last call, with what changed.
    std::map<std::string, unsigned> TakeChanged();
    const TControlState* Find(const std::string& name) const;

  private:
    std::map<std::string, TControlState> state_;
    std::map<std::string, unsigned> changed_;
};
