#include "editors/TextEditMenu.h"

bool TextEditMenuEnabled(TzqTextEditCommand command, const TzqTextEditMenuState& s)
{
    const bool selected = s.SelLength > 0;
    switch (command) {
    case tecUndo: return s.CanUndo;
    case tecRedo: return s.CanRedo;
    // A password's characters never leave the editor.
    case tecCut: return selected && s.CanEditText && !s.HasPasswordChar;
    case tecCopy: return selected && !s.HasPasswordChar;
    case tecPaste: return s.WindowExists && s.CanEditText && s.CanPaste;
    case tecDelete: return selected && s.CanEditText;
    case tecSelectAll: return s.SelLength != s.TextLength;
    case tecNone: return true;
    }
    return false;
}
