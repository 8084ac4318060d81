#include "platform/controls/ControlTypes.h"

#include "platform/core/Messages.h"
#include "platform/core/VirtualKeys.h"
#include "platform/window/Input.h"

TShiftState ShiftStateFromMouseFlags(WPARAM flags)
{
    TShiftState s;
    if (flags & MK_SHIFT)
        s.include(TShiftStateFlag::ssShift);
    if (flags & MK_CONTROL)
        s.include(TShiftStateFlag::ssCtrl);
    if (flags & MK_LBUTTON)
        s.include(TShiftStateFlag::ssLeft);
    if (flags & MK_RBUTTON)
        s.include(TShiftStateFlag::ssRight);
    if (flags & MK_MBUTTON)
        s.include(TShiftStateFlag::ssMiddle);
    if (GetKeyState(VK_MENU) < 0)
        s.include(TShiftStateFlag::ssAlt);
    return s;
}

TShiftState KeyboardShiftState()
{
    TShiftState s;
    if (GetKeyState(VK_SHIFT) < 0)
        s.include(TShiftStateFlag::ssShift);
    if (GetKeyState(VK_CONTROL) < 0)
        s.include(TShiftStateFlag::ssCtrl);
    if (GetKeyState(VK_MENU) < 0)
        s.include(TShiftStateFlag::ssAlt);
    if (GetKeyState(VK_LBUTTON) < 0)
        s.include(TShiftStateFlag::ssLeft);
    if (GetKeyState(VK_RBUTTON) < 0)
        s.include(TShiftStateFlag::ssRight);
    if (GetKeyState(VK_MBUTTON) < 0)
        s.include(TShiftStateFlag::ssMiddle);
    return s;
}

TShiftState KeyDataToShiftState(LPARAM keyData)
{
    TShiftState s;
    if (GetKeyState(VK_SHIFT) < 0)
        s.include(TShiftStateFlag::ssShift);
    if (GetKeyState(VK_CONTROL) < 0)
        s.include(TShiftStateFlag::ssCtrl);
    if (keyData & KF_ALTDOWN_LPARAM)
        s.include(TShiftStateFlag::ssAlt);
    return s;
}
