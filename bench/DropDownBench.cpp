// An image editor of 1,000 values over a cell of a shown window: opening its list
// (filled, sized, placed and painted), one key that moves the open list's selection
// and repaints (target: under 16 ms a step), and one wheel step of the closed editor.
#include "editors/CustomzqContainer.h"
#include "editors/InplaceImageEdit.h"
#include "editors/InplacePopupControl.h"
#include "platform/backend/headless/HeadlessDriver.h"
#include "platform/controls/Application.h"
#include "platform/controls/Form.h"
#include "platform/core/VirtualKeys.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/ImageList.h"
#include "platform/window/WinApi.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

class THost : public TCustomzqContainer {
public:
    using TCustomzqContainer::TCustomzqContainer;
    bool CanEditModify() override { return true; }
};

// A shown window with an image editor of 1,000 values open over a cell.
struct TWindow {
    THeadlessDriver driver;
    std::unique_ptr<TApplication> app = std::make_unique<TApplication>();
    TForm* form = nullptr;
    THost* host = nullptr;
    TzqInplaceImageEdit* edit = nullptr;
    TImageList images{16, 16};

    TWindow()
    {
        int argc = 0;
        app->Initialize(argc, nullptr, true);
        form = new TForm(app.get());
        form->SetBounds(0, 0, 400, 300);
        host = new THost(form);
        host->SetParent(form);
        host->SetBounds(0, 0, 400, 300);
        form->Show();
        for (int i = 0; i < 16; ++i) {
            TBitmap picture(16, 16);
            FillRectColor(picture.Canvas(), TRect(0, 0, 16, 16), TColor(i * 0x0F0F0F));
            images.Add(&picture, nullptr);
        }
        edit = static_cast<TzqInplaceImageEdit*>(host->EditorOfClass(TzqInplaceImageEdit::StaticClass()));
        for (int i = 0; i < 1000; ++i) {
            edit->Values()->Add(std::to_string(i));
            edit->Descriptions()->Add("Value number " + std::to_string(i));
            edit->ImageIndexes()->Add(std::to_string(i % 16));
        }
        edit->SetDefaultImages(false);
        edit->SetImages(&images);
        edit->SetShowDescription(true);
        host->PrepareEditor(edit);
        host->LoadEditor(edit, Variant("500"));
        host->SetActiveEdit(edit);
        edit->ShowAt(TRect(20, 20, 220, 38));
        driver.Pump();
        driver.PaintAll();
    }
    ~TWindow() { edit->SetImages(nullptr); }
    void Key(WORD vk, unsigned modifiers = THeadlessDriver::None)
    {
        driver.PressKey(vk, modifiers);
        driver.Pump();
        driver.PaintAll();
    }
};

void BM_OpenImageListOf1000(benchmark::State& state)
{
    TWindow w;
    for (auto _ : state) {
        w.Key(VK_F4);
        state.PauseTiming();
        w.Key(VK_ESCAPE);
        state.ResumeTiming();
    }
    state.SetLabel("open, filled, placed and painted");
}
BENCHMARK(BM_OpenImageListOf1000)->Unit(benchmark::kMillisecond);

void BM_StepOpenImageListOf1000ByKey(benchmark::State& state)
{
    TWindow w;
    w.Key(VK_F4);
    bool down = true;
    int steps = 0;
    for (auto _ : state) {
        // Down to the end and back up, one key a step.
        w.Key(down ? VK_DOWN : VK_UP);
        if (++steps % 400 == 0)
            down = !down;
    }
    state.SetLabel("one key moving the selection, repainted");
}
BENCHMARK(BM_StepOpenImageListOf1000ByKey)->Unit(benchmark::kMillisecond);

void BM_StepClosedImageEditOf1000ByWheel(benchmark::State& state)
{
    TWindow w;
    const TPoint at = w.driver.ToScreen(w.edit->Handle(), TPoint(10, 5));
    int steps = 0;
    for (auto _ : state) {
        w.driver.Wheel(at, (steps++ / 400) % 2 ? 120 : -120);
        w.driver.PaintAll();
    }
    state.SetLabel("one value further, repainted");
}
BENCHMARK(BM_StepClosedImageEditOf1000ByWheel)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
