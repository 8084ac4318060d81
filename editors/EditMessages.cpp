#include "editors/EditMessages.h"

#include "platform/window/MessageLoop.h"

void RemovePendingMessage(HWND Window, UINT Message)
{
    MSG msg;
    if (PeekMessage(msg, Window, Message, Message, PM_REMOVE) && msg.message == WM_QUIT)
        PostQuitMessage(static_cast<int>(msg.wParam));
}
