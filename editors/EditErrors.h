// The error an editor raises for a value it does not accept.
#pragma once

#include "platform/core/Exception.h"

class EzqEditInvalidInput : public Exception {
public:
    using Exception::Exception;
};

// The message of a value refused without a text of the validator's own.
inline constexpr const char* SzqEditInvalidInput = "Invalid input value. Use escape key to abandon changes";
