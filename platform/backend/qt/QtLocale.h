// The desktop's locale as the platform's locale settings (platform/core/Locale.h).
#pragma once

#include "platform/core/Locale.h"

// Reads the desktop's current locale.
TLocaleSettings DesktopLocale();
// Installs the desktop's locale now and again whenever the desktop reports a change.
void FollowDesktopLocale();
