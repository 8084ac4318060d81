// Fonts and text need a running graphics system. The Qt back end starts its own
// application object when it shows windows; everything else (tests, off-screen
// rendering, benchmarks) calls EnsureGraphicsSystem() before drawing text.
#pragma once

// Starts the graphics system when none is running: uses the QT_QPA_PLATFORM
// environment value when set, else the headless "offscreen" platform. Safe to call
// any number of times.
void EnsureGraphicsSystem();
