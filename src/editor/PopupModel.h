// The editor's own popup menu: captions, shortcut texts, and which items are enabled and
// checked in the editor's present state. The widget builds its menu from this each time.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class TEditorPopupCommand {
    None,
    PutMark,  // Arg = mark 0..9
    JumpMark, // Arg = mark 0..9
    Undo,
    Redo,
    Cut,
    Copy,
    Paste,
    BoxPaste,
    Delete,
    SelectAll,
    BoxSelect,
};

struct TEditorPopupItem {
    std::string Caption;  // UTF-8; "-" is a separator
    std::string ShortCut; // shortcut text shown beside the caption, "" for none
    TEditorPopupCommand Command = TEditorPopupCommand::None;
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

std::vector<TEditorPopupItem> BuildEditorPopupMenu(const TEditorPopupState& s);
