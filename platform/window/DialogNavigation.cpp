// Dialog navigation: Tab and Shift+Tab between tab stops, arrows within a group, Enter
// and Esc for the default and cancel commands, each unless the focused control asks
// for the key through WM_GETDLGCODE.
#include "platform/window/DialogNavigation.h"
#include "platform/window/WindowSystem_p.h"

#include "platform/core/VirtualKeys.h"

#include <algorithm>

using namespace ws;

namespace {

bool IsTabStop(const Window* w)
{
    return (w->style & WS_TABSTOP) && (w->style & WS_VISIBLE) && !(w->style & WS_DISABLED);
}

// Controls of the dialog in z-order, descending into control parents.
void Collect(Window* parent, std::vector<Window*>& out)
{
    for (Window* c : parent->children) {
        if (!(c->style & WS_VISIBLE) || (c->style & WS_DISABLED))
            continue;
        out.push_back(c);
        if (c->exStyle & WS_EX_CONTROLPARENT)
            Collect(c, out);
    }
}

void TranslateAndDispatch(MSG& msg)
{
    TranslateMessage(msg);
    DispatchMessage(msg);
}

} // namespace

HWND GetNextDlgTabItem(HWND dialog, HWND control, bool previous)
{
    Window* d = Find(dialog);
    if (!d)
        return nullptr;
    std::vector<Window*> all;
    Collect(d, all);
    std::vector<Window*> stops;
    std::copy_if(all.begin(), all.end(), std::back_inserter(stops), IsTabStop);
    if (stops.empty())
        return nullptr;
    auto it = std::find_if(stops.begin(), stops.end(), [&](Window* w) { return w->handle == control; });
    if (it == stops.end())
        return previous ? stops.back()->handle : stops.front()->handle;
    const size_t i = static_cast<size_t>(it - stops.begin());
    const size_t n = stops.size();
    return stops[previous ? (i + n - 1) % n : (i + 1) % n]->handle;
}

HWND GetNextDlgGroupItem(HWND dialog, HWND control, bool previous)
{
    Window* c = Find(control);
    if (!c || !c->IsChild())
        return nullptr;
    // A group runs from a WS_GROUP sibling to the sibling before the next WS_GROUP.
    auto& siblings = c->parent->children;
    auto pos = std::find(siblings.begin(), siblings.end(), c);
    auto groupStart = pos;
    while (groupStart != siblings.begin() && !((*groupStart)->style & WS_GROUP))
        --groupStart;
    auto groupEnd = pos + 1;
    while (groupEnd != siblings.end() && !((*groupEnd)->style & WS_GROUP))
        ++groupEnd;
    std::vector<Window*> group;
    for (auto it = groupStart; it != groupEnd; ++it)
        if (((*it)->style & WS_VISIBLE) && !((*it)->style & WS_DISABLED))
            group.push_back(*it);
    auto it = std::find(group.begin(), group.end(), c);
    if (group.empty() || it == group.end())
        return control;
    const size_t i = static_cast<size_t>(it - group.begin());
    const size_t n = group.size();
    return group[previous ? (i + n - 1) % n : (i + 1) % n]->handle;
}

bool IsDialogMessage(HWND dialog, MSG& msg)
{
    if (!msg.hwnd || (msg.hwnd != dialog && !IsChild(dialog, msg.hwnd)))
        return false;
    if (msg.message != WM_KEYDOWN && msg.message != WM_CHAR) {
        TranslateAndDispatch(msg);
        return true;
    }
    const LRESULT code = SendMessage(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
    if (code & DLGC_WANTMESSAGE) {
        TranslateAndDispatch(msg);
        return true;
    }
    if (msg.message == WM_KEYDOWN) {
        const bool shift = GetKeyState(VK_SHIFT) < 0;
        switch (msg.wParam) {
        case VK_TAB:
            if (!(code & DLGC_WANTTAB)) {
                if (HWND next = GetNextDlgTabItem(dialog, msg.hwnd, shift))
                    SetFocus(next);
                return true;
            }
            break;
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
            if (!(code & DLGC_WANTARROWS)) {
                const bool back = msg.wParam == VK_LEFT || msg.wParam == VK_UP;
                if (HWND next = GetNextDlgGroupItem(dialog, msg.hwnd, back))
                    SetFocus(next);
                return true;
            }
            break;
        case VK_RETURN:
            SendMessage(dialog, WM_COMMAND, MakeWParam(IDOK, 0), 0);
            return true;
        case VK_ESCAPE:
            SendMessage(dialog, WM_COMMAND, MakeWParam(IDCANCEL, 0), 0);
            return true;
        default:
            break;
        }
    } else if (msg.message == WM_CHAR) {
        // The character of a navigation key the control did not want is dropped: the
        // key-down already did its work.
        const bool tab = msg.wParam == '\t' && !(code & (DLGC_WANTTAB | DLGC_WANTCHARS));
        const bool enterOrEsc = (msg.wParam == '\r' || msg.wParam == 0x1B) && !(code & (DLGC_WANTALLKEYS | DLGC_WANTCHARS));
        if (tab || enterOrEsc)
            return true;
    }
    TranslateAndDispatch(msg);
    return true;
}
