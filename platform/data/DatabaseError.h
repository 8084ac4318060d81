// Errors of the dataset layer. Every message is a complete sentence meant for the
// user: the application's message loop shows it as it is.
#pragma once

#include "platform/core/Exception.h"

// A dataset, field or table request that cannot be carried out.
class EDatabaseError : public Exception {
    using Exception::Exception;
};

// A variant value that cannot be converted to the requested type.
class EVariantError : public Exception {
    using Exception::Exception;
};

// A filter text that is not a valid filter expression.
class EFilterError : public EDatabaseError {
    using EDatabaseError::EDatabaseError;
};
