// Keyboard navigation between the controls of a dialog-like window.
#pragma once

#include "platform/window/WindowTypes.h"

HWND GetNextDlgTabItem(HWND dialog, HWND control, bool previous);
HWND GetNextDlgGroupItem(HWND dialog, HWND control, bool previous);
// Handles the message for the dialog (navigation keys, or processing it normally when
// it is for one of its windows); answers false when the message is not the dialog's.
bool IsDialogMessage(HWND dialog, MSG& msg);
