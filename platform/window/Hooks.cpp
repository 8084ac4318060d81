// Thread hooks: chains of procedures that see (and may swallow) messages before windows do.
#include "platform/window/WindowSystem_p.h"

#include <algorithm>

using namespace ws;

namespace {

int g_hookCallDepth = 0;

void PurgeRemovedHooks()
{
    if (g_hookCallDepth > 0)
        return;
    auto& hooks = S().hooks;
    hooks.erase(std::remove_if(hooks.begin(), hooks.end(), [](const auto& h) { return h->removed; }), hooks.end());
}

// The first live hook of `type` after position `start` in the chain (newest first).
Hook* NextHook(int type, size_t start)
{
    auto& hooks = S().hooks;
    for (size_t i = start; i < hooks.size(); ++i)
        if (!hooks[i]->removed && hooks[i]->type == type)
            return hooks[i].get();
    return nullptr;
}

LRESULT Invoke(Hook* hook, int code, WPARAM wParam, LPARAM lParam)
{
    if (!hook)
        return 0;
    ++g_hookCallDepth;
    struct Leave {
        ~Leave()
        {
            --g_hookCallDepth;
            PurgeRemovedHooks();
        }
    } leave;
    HOOKPROC proc = hook->proc;
    return proc(code, wParam, lParam);
}

} // namespace

HHOOK SetWindowsHookEx(int idHook, HOOKPROC proc)
{
    auto& s = S();
    auto hook = std::make_unique<Hook>();
    hook->handle = reinterpret_cast<HHOOK>(s.nextHook++);
    hook->type = idHook;
    hook->proc = std::move(proc);
    const HHOOK handle = hook->handle;
    s.hooks.insert(s.hooks.begin(), std::move(hook));
    return handle;
}

bool UnhookWindowsHookEx(HHOOK handle)
{
    for (auto& h : S().hooks)
        if (h->handle == handle && !h->removed) {
            h->removed = true;
            PurgeRemovedHooks();
            return true;
        }
    return false;
}

LRESULT CallNextHookEx(HHOOK handle, int nCode, WPARAM wParam, LPARAM lParam)
{
    auto& hooks = S().hooks;
    for (size_t i = 0; i < hooks.size(); ++i)
        if (hooks[i]->handle == handle)
            return Invoke(NextHook(hooks[i]->type, i + 1), nCode, wParam, lParam);
    return 0;
}

namespace ws {

bool HasHooks(int type)
{
    return NextHook(type, 0) != nullptr;
}

LRESULT CallHooks(int type, int code, WPARAM wParam, LPARAM lParam)
{
    return Invoke(NextHook(type, 0), code, wParam, lParam);
}

} // namespace ws
