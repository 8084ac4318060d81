// The window system's whole public interface.
#pragma once

#include "platform/window/Cursors.h"
#include "platform/window/DialogNavigation.h"
#include "platform/window/Input.h"
#include "platform/window/KeyScan.h"
#include "platform/window/MessageLoop.h"
#include "platform/window/Painting.h"
#include "platform/window/ScrollBars.h"
#include "platform/window/SystemServices.h"
#include "platform/window/Windows.h"
