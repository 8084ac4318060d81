// The edit-mask engine: formatting and stripping values of a 14-position phone mask
// (target: a million values a second or more), and typing into a 200-position mask,
// one key at a time as the editor hands them on (target: under 0.2 ms a key).
#include "editors/EditMask.h"
#include "editors/InplaceMaskEdit.h"
#include "editors/MaskEditState.h"
#include "editors/CustomzqContainer.h"
#include "platform/backend/headless/HeadlessDriver.h"
#include "platform/controls/Application.h"
#include "platform/controls/Form.h"
#include "platform/core/VirtualKeys.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

std::vector<std::u32string> PhoneValues()
{
    std::vector<std::u32string> values;
    for (int i = 0; i < 1024; ++i) {
        std::u32string v;
        unsigned n = 5550000000u + unsigned(i) * 7919u;
        for (int k = 0; k < 10; ++k, n /= 10)
            v.insert(v.begin(), char32_t(U'0' + n % 10));
        values.push_back(v);
    }
    return values;
}

void BM_FormatAndStripPhone(benchmark::State& state)
{
    const TzqEditMask mask("(999) 000-0000;1;_", TLocaleSettings{});
    const std::vector<std::u32string> values = PhoneValues();
    size_t i = 0;
    for (auto _ : state) {
        const std::u32string text = mask.Format(values[i++ & 1023]);
        benchmark::DoNotOptimize(mask.Value(text));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FormatAndStripPhone);

void BM_FormatAndStripPhoneWithoutLiterals(benchmark::State& state)
{
    const TzqEditMask mask("(999) 000-0000;0;_", TLocaleSettings{});
    const std::vector<std::u32string> values = PhoneValues();
    size_t i = 0;
    for (auto _ : state) {
        const std::u32string text = mask.Format(values[i++ & 1023]);
        benchmark::DoNotOptimize(mask.Value(text));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FormatAndStripPhoneWithoutLiterals);

// A 200-position mask of digit groups between literals; each key typed, and the text
// and value read back the way the editor shows them after every key.
void BM_TypeInto200PositionMask(benchmark::State& state)
{
    std::string pattern;
    for (int i = 0; i < 40; ++i)
        pattern += "0000-";
    const TzqEditMask mask(pattern + ";1;_", TLocaleSettings{});
    TzqMaskEditState edit(mask);
    int typed = 0;
    for (auto _ : state) {
        if (edit.Cursor() >= mask.Length())
            edit.Clear();
        edit.Type(char32_t(U'0' + typed++ % 10));
        benchmark::DoNotOptimize(edit.TextUtf8());
        benchmark::DoNotOptimize(edit.FirstInvalidPosition());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TypeInto200PositionMask)->Repetitions(5)->ReportAggregatesOnly(true);

// A host whose values may be edited.
class TBenchHost : public TCustomzqContainer {
public:
    using TCustomzqContainer::TCustomzqContainer;
    bool CanEditModify() override { return true; }
    bool CanEditAcceptKey(char32_t) override { return true; }
};

// The same 200-position mask typed into a mask editor shown over a host on a shown
// form: each key goes through the window system as a key press and a character, the
// editor applies it, the edit window takes the new text and repaints.
void BM_TypeIntoMaskedEditorWindow(benchmark::State& state)
{
    THeadlessDriver driver;
    TApplication app;
    int argc = 0;
    app.Initialize(argc, nullptr, true);
    auto* form = new TForm(&app);
    form->SetBounds(0, 0, 1600, 120);
    auto* host = new TBenchHost(form);
    host->SetParent(form);
    host->SetBounds(0, 0, 1600, 100);
    form->Show();
    driver.Pump();
    std::string pattern;
    for (int i = 0; i < 40; ++i)
        pattern += "0000-";
    auto* edit = static_cast<TzqInplaceMaskEdit*>(host->EditorOfClass(TzqInplaceMaskEdit::StaticClass()));
    edit->SetEditMask(pattern + ";1;_");
    host->PrepareEditor(edit);
    host->LoadEditor(edit, Variant());
    host->SetActiveEdit(edit);
    edit->ShowAt(TRect(10, 10, 1500, 28));
    driver.Pump();
    driver.PressKey(VK_HOME);
    driver.Pump();
    int typed = 0;
    for (auto _ : state) {
        if (edit->CursorPosition() >= edit->MaskLength()) {
            state.PauseTiming();
            driver.PressKey(VK_HOME);
            driver.Pump();
            state.ResumeTiming();
        }
        driver.Type(std::string(1, char('0' + typed++ % 10)));
        driver.Pump();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TypeIntoMaskedEditorWindow)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

BENCHMARK_MAIN();
