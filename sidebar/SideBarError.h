// The side bar's error: raised with the system's message, the operation leaving
// everything as it was.
#pragma once

#include "platform/core/Exception.h"

class EzqSideBarError : public Exception {
public:
    using Exception::Exception;
};
