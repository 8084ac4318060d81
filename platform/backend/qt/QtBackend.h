// The Qt back end: every top-level window is a Qt window with a backing store, input
// arrives from Qt as raw input, and the clock is the monotonic clock.
#pragma once

#include "platform/window/Backend.h"

#include <memory>

// Creates the Qt application object (when none exists) and the back end. Answers null
// when no display can be opened.
std::unique_ptr<TWindowBackend> CreateQtBackend(int& argc, char** argv);
// True when a display (X11 or Wayland) seems to be available.
bool DisplayAvailable();
