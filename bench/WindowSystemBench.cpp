// Window system: posting and dispatching messages through the queue, and the CPU an
// idle program uses while it waits for input (none: the loop blocks, it does not poll).
#include "platform/backend/headless/HeadlessDriver.h"
#include "platform/backend/qt/QtBackend.h"
#include "platform/window/WinApi.h"

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <chrono>
#include <cstdio>

namespace {

HWND CountingWindow(long& counter)
{
    WNDCLASS wc;
    wc.lpszClassName = "BenchCounter";
    wc.lpfnWndProc = [&counter](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
        if (m == WM_USER)
            ++counter;
        return DefWindowProc(h, m, w, l);
    };
    RegisterClass(wc);
    return CreateWindowEx(0, "BenchCounter", "", WS_POPUP, 0, 0, 10, 10, nullptr);
}

// One million messages posted, then retrieved and dispatched by the normal loop calls.
void BM_PostAndDispatchOneMillion(benchmark::State& state)
{
    THeadlessDriver driver;
    long counter = 0;
    HWND hwnd = CountingWindow(counter);
    for (auto _ : state) {
        counter = 0;
        for (int i = 0; i < 1000000; ++i)
            PostMessage(hwnd, WM_USER, static_cast<WPARAM>(i), 0);
        MSG msg;
        while (PeekMessage(msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(msg);
            DispatchMessage(msg);
        }
        if (counter != 1000000)
            state.SkipWithError("messages were lost");
    }
    state.SetItemsProcessed(state.iterations() * 1000000);
}
BENCHMARK(BM_PostAndDispatchOneMillion)->Unit(benchmark::kMillisecond);

// Sent messages go straight to the procedure.
void BM_SendMessage(benchmark::State& state)
{
    THeadlessDriver driver;
    long counter = 0;
    HWND hwnd = CountingWindow(counter);
    for (auto _ : state)
        SendMessage(hwnd, WM_USER);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SendMessage);

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// With a display: a shown window, a loop waiting for input for two seconds of wall time.
void ReportIdleCpu(int argc, char** argv)
{
    if (!DisplayAvailable()) {
        std::printf("idle CPU: no display (run under xvfb-run to measure it)\n");
        return;
    }
    SetWindowBackend(CreateQtBackend(argc, argv));
    WNDCLASS wc;
    wc.lpszClassName = "BenchIdle";
    wc.hbrBackground = 0xC0C0C0;
    RegisterClass(wc);
    HWND hwnd = CreateWindowEx(0, "BenchIdle", "Idle", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 200, nullptr);
    // A timer two seconds away ends the wait; nothing else happens meanwhile.
    bool done = false;
    SetTimer(nullptr, 0, 2000, [&](HWND, UINT, uintptr_t, DWORD) { done = true; });
    ProcessPendingMessages();
    const double cpu0 = CpuSeconds();
    const auto wall0 = std::chrono::steady_clock::now();
    RunMessageLoop([&] { return done; });
    const double cpu = CpuSeconds() - cpu0;
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall0).count();
    std::printf("idle CPU: %.1f ms of CPU in %.2f s of waiting (%.2f%%)\n", cpu * 1000, wall, 100 * cpu / wall);
    DestroyWindow(hwnd);
    ShutdownWindowSystem();
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    ReportIdleCpu(argc, argv);
    return 0;
}
