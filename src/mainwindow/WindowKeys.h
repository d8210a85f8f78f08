// The keys the main window sees before its controls do, without a window: the function-key
// captions that follow Shift and Ctrl, Ctrl+Left/Right switching pages (the page change runs
// once the keys are let go), the path shown while Ctrl is held, the Insert/Delete clipboard keys,
// and what a window that loses or regains the focus owes the keys let go elsewhere. Also the
// jump column's shown state, which follows the page's stored wish and the window's height.
#pragma once

#include "mainwindow/CommandTable.h"
#include "mainwindow/FunctionBar.h"

#include <string>

// The keys that matter here; everything else is Other.
enum class TWindowKey { Other, Left, Right, Up, Down, Shift, Control, Insert, Delete, LockKey };

// The window key of a key code of the command tables (tkey); Other for the rest.
TWindowKey WindowKeyOf(int tableKey);

struct TWindowKeyEvent {
    TWindowKey Key = TWindowKey::Other;
    bool Press = true;
    bool Shift = false, Ctrl = false, Alt = false; // held with the key (before it for Shift/Ctrl)
    bool AutoRepeat = false;
};
// The event of a key code and modifiers (TKeyModifier) of the command tables.
TWindowKeyEvent WindowKeyEventOf(int tableKey, unsigned modifiers, bool press, bool autoRepeat);

// What the window does about a key; the defaults do nothing.
struct TWindowKeyAction {
    bool Consumed = false;                                        // the key goes no further
    bool CaptionsChanged = false;                                 // show the bar's captions again
    enum class Path { Keep, Show, Clear } PathPanel = Path::Keep; // the page's path in panel 6
    int SwitchTo = -1;                                            // the page to activate, -1 none
    TWindowCommand Run = TWindowCommand::None; // a command to run through its rules
    bool RefreshLocks = false;
    bool PageChange = false; // the page-change handling of a finished page switch
};

class TWindowKeys {
  public:
    explicit TWindowKeys(TFunctionKeyBar& bar) : bar_(bar) {}
    TWindowKeyAction Key(const TWindowKeyEvent& e, bool barShown, int pageCount, int activePage);
    // The window was deactivated (keys let go there never arrive) or activated with Shift/Ctrl
    // held as given.
    TWindowKeyAction Activation(bool active, bool shiftHeld, bool ctrlHeld, bool barShown);

  private:
    TFunctionKeyBar& bar_;
    bool switched_ = false; // a Ctrl+arrow page switch waits for its page change
};

// The jump column is shown when the active page wants it and the window is high enough. Each
// call returns whether it shows now.
class TJumpColumnState {
  public:
    bool Shown() const { return shown_; }
    bool Toggle();                             // the user's toggle: also the page's new wish
    bool Apply(bool wanted, int windowHeight); // a page's stored wish
    bool Resized(int windowHeight);            // hides below the height, shows again above

  private:
    bool shown_ = false, wanted_ = false;
};
