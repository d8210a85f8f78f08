// The main window's key preview and the jump column's shown state.
#include "mainwindow/WindowKeys.h"

#include "editor/Commands.h"

#include <utility>

namespace {

const std::pair<int, TWindowKey> kKeys[] = {
    {tkey::Left, TWindowKey::Left},      {tkey::Right, TWindowKey::Right},
    {tkey::Up, TWindowKey::Up},          {tkey::Down, TWindowKey::Down},
    {tkey::Insert, TWindowKey::Insert},  {tkey::Delete, TWindowKey::Delete},
    {tkey::Shift, TWindowKey::Shift},    {tkey::Control, TWindowKey::Control},
    {tkey::LockKey, TWindowKey::LockKey}};

// The command a key runs by the table's second keys, with or without Alt.
TWindowCommand SecondKeyCommand(TWindowKey k, bool shift, bool ctrl) {
    const unsigned mods = (shift ? unsigned(kmShift) : 0u) | (ctrl ? unsigned(kmCtrl) : 0u);
    for (const auto& [key, w] : kKeys)
        if (w == k) return CommandOfSecondKey(KeyText(key, mods));
    return TWindowCommand::None;
}

} // namespace

TWindowKey WindowKeyOf(int tableKey) {
    for (const auto& [key, w] : kKeys)
        if (key == tableKey) return w;
    return TWindowKey::Other;
}

TWindowKeyEvent WindowKeyEventOf(int tableKey, unsigned modifiers, bool press, bool autoRepeat) {
    return {WindowKeyOf(tableKey),   press,     bool(modifiers & kmShift), bool(modifiers & kmCtrl),
            bool(modifiers & kmAlt), autoRepeat};
}

TWindowKeyAction TWindowKeys::Key(const TWindowKeyEvent& e, bool barShown, int pageCount,
                                  int activePage) {
    using K = TWindowKey;
    TWindowKeyAction a;
    bool shift = e.Shift, ctrl = e.Ctrl;
    if (e.Key == K::Shift) shift = e.Press;
    if (e.Key == K::Control) ctrl = e.Press;
    const bool horizontal = e.Key == K::Left || e.Key == K::Right;
    if (e.Press) {
        a.CaptionsChanged = bar_.KeyDown(shift, ctrl, barShown);
        if (ctrl && barShown)
            a.PathPanel = horizontal || activePage < 0 ? TWindowKeyAction::Path::Clear
                                                       : TWindowKeyAction::Path::Show;
        a.RefreshLocks = true; // after every key that reaches the window
        if (ctrl && !shift && !e.Alt && horizontal) {
            if (pageCount > 0) {
                const int step = e.Key == K::Right ? 1 : pageCount - 1;
                a.SwitchTo = (activePage + step) % pageCount;
                switched_ = true;
            }
            a.Consumed = true;
            return a;
        }
        // The commands' second keys (Ctrl+Ins, Shift+Ins, Shift+Del), with or without Alt.
        a.Run = SecondKeyCommand(e.Key, shift, ctrl);
        a.Consumed = a.Run != TWindowCommand::None;
        return a;
    }
    if (bar_.KeyUp(shift, ctrl)) {
        a.CaptionsChanged = true;
        a.PathPanel = TWindowKeyAction::Path::Clear;
    }
    // The page change runs once the switching keys are let go, not per repeat.
    const bool arrow = horizontal || e.Key == K::Up || e.Key == K::Down;
    if (switched_ && !e.AutoRepeat && (arrow || e.Key == K::Control)) {
        switched_ = false;
        a.PageChange = true;
    }
    a.RefreshLocks = e.Key == K::LockKey; // the lock state changes as the key is let go
    return a;
}

TWindowKeyAction TWindowKeys::Activation(bool active, bool shiftHeld, bool ctrlHeld,
                                         bool barShown) {
    TWindowKeyAction a;
    if (!active) {
        a.CaptionsChanged = bar_.Reset();
        a.PathPanel = TWindowKeyAction::Path::Clear;
        a.PageChange = switched_;
        switched_ = false;
        return a;
    }
    a.CaptionsChanged = bar_.KeyDown(shiftHeld, ctrlHeld, barShown);
    a.RefreshLocks = true;
    return a;
}

bool TJumpColumnState::Toggle() {
    shown_ = wanted_ = !shown_;
    return shown_;
}

bool TJumpColumnState::Apply(bool wanted, int windowHeight) {
    wanted_ = wanted;
    shown_ = wanted && windowHeight >= kJumpColumnMinWindowHeight;
    return shown_;
}

bool TJumpColumnState::Resized(int windowHeight) {
    const bool high = windowHeight >= kJumpColumnMinWindowHeight;
    if (!high)
        shown_ = false;
    else if (wanted_)
        shown_ = true;
    return shown_;
}
