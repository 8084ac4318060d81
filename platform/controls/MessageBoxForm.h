// The application's message box: an icon, the text, and the buttons of the flags
// (OK, OK/Cancel, Yes/No, Yes/No/Cancel, Retry/Cancel, Abort/Retry/Ignore), with the
// default button chosen by MB_DEFBUTTONn.
#pragma once

#include "platform/controls/Form.h"

#include <functional>
#include <string>

// Shows the message box modally and answers the button pressed (IDOK, IDNO ...).
int RunMessageBoxForm(const std::string& text, const std::string& caption, UINT flags);

// Lets tests (and other front ends) answer message boxes instead of showing them; the
// handler gets text, caption and flags and answers the button. Null restores showing.
using TMessageBoxHandler = std::function<int(const std::string& text, const std::string& caption, UINT flags)>;
void SetMessageBoxHandler(TMessageBoxHandler handler);
const TMessageBoxHandler& MessageBoxHandler();
