// Services of the desktop: screen, clipboard, sounds and the desktop's document opener.
#pragma once

#include "platform/window/WindowTypes.h"

TRect GetScreenRect();
TRect GetWorkArea();
// Pixels per logical inch of the screen (96 when the display does not say).
int GetScreenPixelsPerInch();

bool OpenClipboardText(std::string& text);
bool SetClipboardText(const std::string& text);
bool ClipboardHasText();

bool MessageBeep(UINT type);
// Plays a named system sound ("MenuPopup", "MenuCommand"); silent where the desktop has none.
bool PlaySystemSound(const std::string& alias);
// Opens a document or web address with the desktop's handler.
bool ShellOpen(const std::string& target);
