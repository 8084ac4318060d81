#include "platform/core/Locale.h"

#include <utility>
#include <vector>

namespace {

struct LocaleState {
    TLocaleSettings settings;
    std::vector<std::pair<int, std::function<void()>>> listeners;
    int nextId = 1;
};

LocaleState& State()
{
    static LocaleState state;
    return state;
}

} // namespace

const TLocaleSettings& Locale()
{
    return State().settings;
}

void SetLocale(const TLocaleSettings& settings)
{
    LocaleState& s = State();
    if (s.settings == settings)
        return;
    s.settings = settings;
    // A listener may remove itself or add others while being told: work on a copy.
    const auto listeners = s.listeners;
    for (const auto& [id, listener] : listeners)
        listener();
}

int AddLocaleListener(std::function<void()> listener)
{
    LocaleState& s = State();
    s.listeners.emplace_back(s.nextId, std::move(listener));
    return s.nextId++;
}

void RemoveLocaleListener(int id)
{
    auto& list = State().listeners;
    std::erase_if(list, [id](const auto& entry) { return entry.first == id; });
}
