// Errors of the settings stores. Each message names the file, key or value concerned.
#pragma once

#include "platform/core/Exception.h"

#include <functional>
#include <string>
#include <string_view>

class ESettingsError : public Exception {
    using Exception::Exception;
};

// A registry request that cannot be carried out: a value missing or of another type, a
// key that cannot be created, a store file that cannot be written.
class ERegistryException : public ESettingsError {
    using ESettingsError::ESettingsError;
};

// An INI file that cannot be read or written, or a name or value it cannot hold.
class EIniFileException : public ESettingsError {
    using ESettingsError::ESettingsError;
};

// Problems that cannot be raised where they happen: a store file that cannot be parsed
// (it is then read as empty and kept as a backup) or a write-back in a destructor that
// failed. They go to the handler; without one they are written to the standard error.
void ReportSettingsProblem(const std::string& message);
// Installs the handler (an empty function restores the default).
void SetSettingsProblemHandler(std::function<void(const std::string&)> handler);

// A name as it can stand in a message: cut after 80 bytes.
std::string QuotedName(std::string_view name);
