// Screen, clipboard, sounds and the desktop's opener, answered by the back end.
#include "platform/window/WindowSystem_p.h"

using namespace ws;

TRect GetScreenRect()
{
    return S().backend ? S().backend->ScreenRect() : TRect(0, 0, 1024, 768);
}

TRect GetWorkArea()
{
    return S().backend ? S().backend->WorkArea() : GetScreenRect();
}

int GetScreenPixelsPerInch()
{
    return S().backend ? S().backend->PixelsPerInch() : 96;
}

bool OpenClipboardText(std::string& text)
{
    if (!S().backend)
        return false;
    text = S().backend->ClipboardText();
    return true;
}

bool SetClipboardText(const std::string& text)
{
    if (!S().backend)
        return false;
    S().backend->SetClipboardText(text);
    return true;
}

bool ClipboardHasText()
{
    return S().backend && !S().backend->ClipboardText().empty();
}

bool MessageBeep(UINT type)
{
    if (S().backend)
        S().backend->Beep(type);
    return true;
}

bool PlaySystemSound(const std::string& alias)
{
    return S().backend && S().backend->PlaySystemSound(alias);
}

bool ShellOpen(const std::string& target)
{
    return S().backend && S().backend->OpenUrl(target);
}
