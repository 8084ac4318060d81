#include "bars/BarMenuChain.h"

#include "bars/CustomBarControl.h"
#include "platform/window/WinApi.h"

#include <algorithm>

namespace {

struct Chain {
    std::vector<TCustomzqBarControl*> windows;
    bool expanded = false;
};

Chain& C()
{
    static Chain chain;
    return chain;
}

} // namespace

namespace TzqBarMenuChain {

const std::vector<TCustomzqBarControl*>& Windows()
{
    return C().windows;
}

TCustomzqBarControl* Root()
{
    return C().windows.empty() ? nullptr : C().windows.front();
}

TCustomzqBarControl* Head()
{
    return C().windows.empty() ? nullptr : C().windows.back();
}

bool Active()
{
    return !C().windows.empty();
}

bool Contains(HWND Window)
{
    for (HWND w = Window; w; w = GetParent(w))
        for (TCustomzqBarControl* control : C().windows)
            if (control->HandleAllocated() && control->Handle() == w)
                return true;
    return false;
}

TzqBarManager* Manager()
{
    return Root() ? Root()->BarManager() : nullptr;
}

bool Expanded()
{
    return C().expanded;
}

void SetExpanded(bool value)
{
    C().expanded = value;
}

void Join(TCustomzqBarControl* Control)
{
    auto& windows = C().windows;
    if (std::find(windows.begin(), windows.end(), Control) != windows.end())
        return;
    if (windows.empty())
        C().expanded = false;
    windows.push_back(Control);
}

void Leave(TCustomzqBarControl* Control)
{
    auto& windows = C().windows;
    windows.erase(std::remove(windows.begin(), windows.end(), Control), windows.end());
}

} // namespace TzqBarMenuChain
