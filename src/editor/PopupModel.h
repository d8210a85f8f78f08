// The editor's own popup menu: captions, shortcut texts (from the key table), and which items are
// enabled and checked in the editor's present state. The widget builds its menu from this each
// time and runs the items' commands through Execute.
#pragma once

#include "editor/Commands.h"

#include <cstdint>
#include <string>
#include <vector>

class TEditorCore;

struct TEditorPopupItem {
    std::string Caption;  // UTF-8; "-" is a separator
    std::string ShortCut; // shortcut text shown beside the caption, "" for none
    TEditorCommand Command = TEditorCommand::None;
    int Arg = 0;
    bool Enabled = true;
    bool Checked = false;
    std::vector<TEditorPopupItem> Items; // sub-menu
};

struct TEditorPopupState {
    bool CanUndo = false, CanRedo = false, ReadOnly = false;
    bool Selected = false; // a non-empty selection
    bool ClipboardHasText = false;
    bool TextNotEmpty = false;
    bool BoxMode = false;
    std::uint16_t MarksInList = 0; // rm0..rm15 present anywhere in the text
};
// The state of a control's core, with whether the clipboard holds text.
TEditorPopupState PopupStateOf(const TEditorCore& core, bool clipboardHasText);

std::vector<TEditorPopupItem> BuildEditorPopupMenu(const TEditorPopupState& s);
