// The context menu of the text editors: its nine items with their command numbers, and
// which of them are enabled for the editor's state when the menu is shown. The editor
// makes the menu once (a TPopupMenu) and asks TextEditMenuEnabled before every showing.
#pragma once

#include <array>

enum TzqTextEditCommand : int {
    tecUndo = -1,
    tecRedo = -2,
    tecCut = -3,
    tecCopy = -4,
    tecPaste = -5,
    tecDelete = -6,
    tecSelectAll = -7,
    // A separator has no command.
    tecNone = 0,
};

struct TzqTextEditMenuItem {
    const char* Caption; // "-": a separator
    TzqTextEditCommand Command;
};

constexpr std::array<TzqTextEditMenuItem, 9> TextEditMenuItems{{
    {"&Undo", tecUndo},
    {"&Redo", tecRedo},
    {"-", tecNone},
    {"Cu&t", tecCut},
    {"&Copy", tecCopy},
    {"&Paste", tecPaste},
    {"&Delete", tecDelete},
    {"-", tecNone},
    {"Select &All", tecSelectAll},
}};

// What the editor reports when its menu is about to show.
struct TzqTextEditMenuState {
    bool CanUndo = false;
    bool CanRedo = false;
    // The selection's and the whole text's length in characters.
    int SelLength = 0;
    int TextLength = 0;
    bool CanEditText = true;
    bool HasPasswordChar = false;
    bool WindowExists = true;
    // The edit control can paste what the clipboard holds (EM_CANPASTE).
    bool CanPaste = false;
};

// Whether the item of `command` is enabled; separators answer true.
bool TextEditMenuEnabled(TzqTextEditCommand command, const TzqTextEditMenuState& state);
