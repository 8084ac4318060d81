// Frames drawn by a worker thread (the menu animation): the worker draws into a bitmap
// of its own and hands the finished frame over; the user-interface thread copies it
// into the window and shows it. Nothing of the window system is touched off its thread.
#include "platform/window/WindowSystem_p.h"

#include "platform/drawing/Bitmap_p.h"
#include "platform/drawing/Canvas.h"

#include <QImage>

#include <mutex>
#include <vector>

using namespace ws;

namespace {

struct PendingFrame {
    HWND hwnd;
    QImage image;
    TPoint clientPos;
};

std::mutex g_framesMutex;
std::vector<PendingFrame> g_frames;

} // namespace

void PresentWorkerFrame(HWND hwnd, const TBitmap& frame, TPoint clientPos)
{
    {
        std::lock_guard lock(g_framesMutex);
        g_frames.push_back({hwnd, BitmapImage(const_cast<TBitmap&>(frame)).copy(), clientPos});
    }
    PostMessage(hwnd, WM_WORKERFRAME, 0, 0);
}

namespace ws {

void ApplyWorkerFrames(HWND hwnd)
{
    std::vector<PendingFrame> mine;
    {
        std::lock_guard lock(g_framesMutex);
        for (auto it = g_frames.begin(); it != g_frames.end();) {
            if (it->hwnd == hwnd) {
                mine.push_back(std::move(*it));
                it = g_frames.erase(it);
            } else {
                ++it;
            }
        }
    }
    if (mine.empty() || !Find(hwnd))
        return;
    for (PendingFrame& f : mine) {
        TBitmap bitmap;
        BitmapImage(bitmap) = f.image;
        HDC dc = GetDC(hwnd);
        if (!dc)
            return;
        dc->Draw(f.clientPos.X, f.clientPos.Y, &bitmap);
        ReleaseDC(hwnd, dc);
    }
}

} // namespace ws
