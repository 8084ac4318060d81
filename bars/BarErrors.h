// Errors the bar manager raises; each carries its message text.
#pragma once

#include "platform/core/Exception.h"

class EzqBarError : public Exception {
    using Exception::Exception;
};
