#include "editors/MaskEditKeys.h"

#include "platform/core/VirtualKeys.h"

TzqMaskKeyResult MaskEditKeyDown(TzqMaskEditState& State, WORD Key, TShiftState Shift, bool CanModify)
{
    using F = TShiftStateFlag;
    const bool shift = Shift.contains(F::ssShift);
    const bool ctrl = Shift.contains(F::ssCtrl);
    const bool alt = Shift.contains(F::ssAlt);
    TzqMaskKeyResult result;
    if ((ctrl && !alt && Key == 'V') || (shift && !ctrl && !alt && Key == VK_INSERT)) {
        result.Action = TzqMaskKeyAction::PostPaste;
        return result;
    }
    // Alt bypasses the mask's rules; without positions there are none.
    if (alt || State.Mask().Empty())
        return result;

    result.Action = TzqMaskKeyAction::Consumed;
    switch (Key) {
    case VK_LEFT:
    case VK_RIGHT:
        if (ctrl)
            result.Action = TzqMaskKeyAction::RecheckOnKeyUp;
        else
            State.Move(Key == VK_LEFT ? TzqMaskMove::Left : TzqMaskMove::Right, shift);
        return result;
    case VK_UP:
    case VK_DOWN: return result;
    case VK_HOME:
    case VK_END: State.Move(Key == VK_HOME ? TzqMaskMove::Home : TzqMaskMove::End, shift); return result;
    case VK_BACK:
        if (CanModify)
            result.Changed = State.Backspace();
        return result;
    case VK_DELETE:
        if (shift || ctrl)
            break; // Shift+Delete cuts, Ctrl+Delete is the control's
        if (CanModify)
            result.Changed = State.Delete();
        return result;
    default: break;
    }
    result.Action = TzqMaskKeyAction::PassOn;
    return result;
}
