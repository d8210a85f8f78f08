// What a mouse press on the page tabs does, without a window: the right button asks to close
// the tab (Ctrl held tells the page book), Shift+Ctrl with the left or middle button arms the drag
// of the active page onto another tab, and a left click on another tab first runs the page
// book's page-changing handling.
#pragma once

enum class TTabButton { Left, Middle, Right, Other };

enum class TTabPress {
    RightClick, // on a tab: the page book's right-click (close) handling
    Swallow,    // the right button beside the tabs: nothing
    ArmDrag,    // wait for the mouse to move far enough, then drag the active page
    Changing,   // the page-changing handling, then the bar's own click
    Default,    // the bar's own click
};

TTabPress TabPressAction(TTabButton button, bool shift, bool ctrl, int index, int current);
