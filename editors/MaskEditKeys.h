// The keys of a masked editor: what a key press does to the mask's editing state before
// (or instead of) the edit control seeing it. The editor's KeyDown calls
// MaskEditKeyDown and acts on the answer; the rules live here so they can be checked
// without a window.
#pragma once

#include "editors/MaskEditState.h"
#include "platform/controls/ControlTypes.h"

enum class TzqMaskKeyAction {
    // The key goes on to the edit control; the cursor is re-checked afterwards.
    PassOn,
    // Handled here; the edit control does not see it.
    Consumed,
    // Ctrl+V or Shift+Insert: consumed, and a paste message is to be posted.
    PostPaste,
    // Ctrl+Left or Ctrl+Right: moves natively; the cursor is re-checked on release.
    RecheckOnKeyUp,
};

struct TzqMaskKeyResult {
    TzqMaskKeyAction Action = TzqMaskKeyAction::PassOn;
    // The text changed (Delete, Backspace).
    bool Changed = false;
};

// `canModify`: the value may be modified now (Delete and Backspace change nothing
// otherwise, but are still consumed).
TzqMaskKeyResult MaskEditKeyDown(TzqMaskEditState& State, WORD Key, TShiftState Shift, bool CanModify);
