// Web and mail addresses in a page's text without a window: the address under a caret position
// (a wrapped one goes on at the start of the next row), when the pointer is looked at again,
// which clicks open an address, and the browser's messages.
#pragma once

#include "app/Settings.h"
#include "app/ShellUtil.h"
#include "editor/EditorCore.h"
#include "editor/Geometry.h"
#include "platform/MessageBox.h"

#include <functional>
#include <string>

struct TAddressToken {
    int kind = 0;     // toUrl, toMail, or 0 for none
    std::string text; // the address as written (ASCII)
};
// The address token at a caret position of the text; none past the text's rows.
TAddressToken AddressAtPos(TEditorCore& c, TEditorPos pos);
// The one under a pixel of the control laid out by m; none over the bars and the ruler.
TAddressToken AddressAtPixel(TEditorCore& c, const TEditorMetrics& m, int x, int y);

// The hand pointer over addresses. The text is looked at again only after the pointer moved 8
// pixels across or 4 down, or came from another control.
class TAddressPointer {
  public:
    struct Result {
        bool Hand = false; // show the hand
        bool Left = false; // the hand just went: give the control its pointer back
    };
    // lookup says whether an address lies under the pointer; asked only when needed.
    Result Moved(const void* control, int x, int y, const std::function<bool()>& lookup);

  private:
    const void* last_ = nullptr;
    int x_ = 0, y_ = 0;
    bool hand_ = false;
};

// Whether a left-button release (single) or double click without modifiers opens the address:
// "isClick" chooses which of the two does, and a release that ended a drag (the mouse moved
// further than dragDistance since the press) is no click.
bool OpensAddress(bool single, bool isClick, int movedSincePress, int dragDistance);

// The message that stops opening an address in the configured browser; empty for Ok.
std::string BrowserCheckMessage(TProgramCheck check);
// The program a web address is opened with: the browser of the options (isBrowser), found in
// path when named without a folder, or "" for the desktop's own handler. False, after telling
// the user why, when the configured browser cannot be used.
bool AddressProgram(TAsker& asker, const TSettings& settings, const std::string& path,
                    std::string* program);
