// A text that cannot be read as the value asked for, or a value that cannot be written
// in the form asked for (a date outside the years 1 to 9999).
#pragma once

#include "platform/core/Exception.h"

class EConvertError : public Exception {
    using Exception::Exception;
};
