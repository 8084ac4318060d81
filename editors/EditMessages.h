// Private messages between drop-down editors and their popups.
#pragma once

#include "platform/core/Messages.h"
#include "platform/window/WindowTypes.h"

enum : UINT {
    // Posted to the editor every time its popup closes.
    ZQM_CLOSEUP = WM_APP + 0x65,
    // Posted to the editor when one of its buttons is pressed: open the drop-down.
    ZQM_DROPDOWN = WM_APP + 0x66,
};

// Removes the first pending message of that number for the window from the queue. A
// quit it takes out is posted again with its exit code, so the program still ends.
void RemovePendingMessage(HWND Window, UINT Message);
