// Errors are exceptions carrying the system's message text; the application's
// message loop shows the text in a message box and goes on.
#pragma once

#include <stdexcept>
#include <string>

class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};

// Reading or writing a stream failed ("Stream read error", "Stream write error").
class EStreamError : public Exception {
    using Exception::Exception;
};

// A platform request that cannot be carried out (bad handle, bad argument).
class EPlatformError : public Exception {
    using Exception::Exception;
};

// An operation the object cannot do in its current state.
class EInvalidOperation : public Exception {
    using Exception::Exception;
};
