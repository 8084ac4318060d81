#include "platform/settings/SettingsError.h"

#include <iostream>

namespace {

std::function<void(const std::string&)>& Handler()
{
    static std::function<void(const std::string&)> handler;
    return handler;
}

} // namespace

void ReportSettingsProblem(const std::string& message)
{
    if (Handler())
        Handler()(message);
    else
        std::cerr << message << '\n';
}

void SetSettingsProblemHandler(std::function<void(const std::string&)> handler)
{
    Handler() = std::move(handler);
}

std::string QuotedName(std::string_view name)
{
    constexpr size_t kShown = 80;
    if (name.size() <= kShown)
        return "'" + std::string(name) + "'";
    return "'" + std::string(name.substr(0, kShown)) + "...'";
}
