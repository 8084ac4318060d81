// Inspector benchmarks on a shown 300 x 600 inspector holding 10,000 rows in 100
// categories: measuring the metrics, applying a layout stream that orders and nests all
// 10,100 rows (two streams in turn, so every run really reorders), and the relayout
// after one row's height changed.
#include "inspector/CustomzqInspectorControl.h"
#include "inspector/InspectorLayoutData.h"
#include "inspector/InspectorTextRow.h"
#include "platform/backend/headless/HeadlessDriver.h"
#include "platform/controls/Application.h"
#include "platform/controls/Form.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kCategories = 100;
constexpr int kRowsPerCategory = 100;

struct Window {
    THeadlessDriver driver;
    std::unique_ptr<TApplication> app;
    TForm* form = nullptr;
    TCustomzqInspectorControl* inspector = nullptr;
    std::vector<TzqInspectorTextRow*> categories;
    std::vector<TzqInspectorTextRow*> rows;

    Window()
    {
        app = std::make_unique<TApplication>();
        int argc = 0;
        app->Initialize(argc, nullptr, true);
        form = new TForm(app.get());
        form->SetBorderStyle(TFormBorderStyle::bsNone);
        form->SetBounds(0, 0, 300, 600);
        inspector = new TCustomzqInspectorControl(form);
        inspector->SetName("Inspector1");
        inspector->SetParent(form);
        inspector->SetBounds(0, 0, 300, 600);
        form->Show();
        driver.Pump();
        inspector->BeginUpdate();
        for (int c = 0; c < kCategories; ++c) {
            auto* category = new TzqInspectorTextRow(form);
            category->SetName("Category" + std::to_string(c));
            category->SetCaption("Category " + std::to_string(c));
            category->SetIsCategory(true);
            category->SetInspector(inspector);
            categories.push_back(category);
            for (int r = 0; r < kRowsPerCategory; ++r) {
                auto* row = new TzqInspectorTextRow(form);
                row->SetName("Row" + std::to_string(c) + "_" + std::to_string(r));
                row->SetCaption("Property " + std::to_string(r));
                row->SetText("Value " + std::to_string(c * kRowsPerCategory + r));
                row->SetInspector(inspector);
                rows.push_back(row);
            }
        }
        inspector->EndUpdate();
        inspector->ApplyLayoutData(Layout(false));
        driver.PaintAll();
    }

    // Every category with its rows below it, expanded; reversed: the categories and
    // their rows in the opposite order.
    TzqInspectorLayoutData Layout(bool reversed) const
    {
        TzqInspectorLayoutData data;
        data.HasExpandedSection = true;
        for (int i = 0; i < kCategories; ++i) {
            const int c = reversed ? kCategories - 1 - i : i;
            data.Nodes.push_back({categories[static_cast<size_t>(c)]->Name(), kRowsPerCategory});
            for (int j = 0; j < kRowsPerCategory; ++j) {
                const int r = reversed ? kRowsPerCategory - 1 - j : j;
                data.Nodes.push_back({rows[static_cast<size_t>(c * kRowsPerCategory + r)]->Name(), 0});
            }
            data.Expanded.push_back(categories[static_cast<size_t>(c)]->Name());
        }
        return data;
    }
};

void BM_Metrics(benchmark::State& state)
{
    Window window;
    for (auto _ : state)
        window.inspector->RefreshMetrics();
    state.counters["lines"] = window.inspector->LineCount();
}
BENCHMARK(BM_Metrics)->Unit(benchmark::kMillisecond);

void BM_ApplyStream(benchmark::State& state)
{
    Window window;
    const std::vector<uint8_t> streams[2] = {WriteInspectorLayout(window.Layout(true)),
                                             WriteInspectorLayout(window.Layout(false))};
    int turn = 0;
    for (auto _ : state) {
        window.inspector->ReadData(streams[turn]);
        turn ^= 1;
    }
    state.counters["bytes"] = static_cast<double>(streams[0].size());
}
BENCHMARK(BM_ApplyStream)->Unit(benchmark::kMillisecond);

void BM_RelayoutAfterOneRowHeight(benchmark::State& state)
{
    Window window;
    TzqInspectorTextRow* row = window.rows[5000];
    const int standard = window.inspector->RowHeight();
    bool tall = false;
    for (auto _ : state) {
        tall = !tall;
        row->SetRowHeight(tall ? standard + 20 : standard);
    }
}
BENCHMARK(BM_RelayoutAfterOneRowHeight)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
