// The demonstration window's Add Node command from the pointer to the disk: a left click
// on the toolbar's "Add Node" button, carried as input through the window system, the
// bar and the command, until the new record is committed to the table file (the click
// returns only then). On the demonstration table and on a generated table of 10,000
// records, the window shown and painted after every click as a program has it.
// Prints the median, the 90th percentile and the worst time of 200 clicks.
//   main_form_bench [build/demo]    (the folder holding ARBOLO.DB and about.html)
#include "TableGenerator.h"

#include "bars/Bar.h"
#include "bars/BarButton.h"
#include "bars/BarItemLink.h"
#include "bars/BarItemLinks.h"
#include "bars/BarManager.h"
#include "dborgchart/DbOrgChart.h"
#include "demo/MainForm.h"
#include "demo/OptionsForm.h"
#include "platform/backend/headless/HeadlessDriver.h"
#include "platform/controls/Application.h"
#include "platform/controls/MessageBoxForm.h"
#include "platform/data/Table.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kClicks = 200;

void Measure(const char* what, const fs::path& folder)
{
    THeadlessDriver driver;
    TMainForm::SetProgramFolderForTests(folder.string() + "/");
    TApplication app;
    int argc = 0;
    app.Initialize(argc, nullptr, true);
    app.CreateForm<TMainForm>();
    app.CreateForm<TOptionsForm>();
    MainForm->Show();
    driver.PaintAll();

    TzqBar* toolbar = MainForm->zqBarManager1->BarByCaption("OrgChart Toolbar");
    TzqBarItemLink* link = toolbar->ItemLinks()->Items(0);
    const TRect r = link->ItemRect();
    const TPoint middle((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
    auto* bar = dynamic_cast<TWinControl*>(toolbar->Control());
    const int before = MainForm->Tree->Count();

    std::vector<double> ms;
    for (int i = 0; i < kClicks; ++i) {
        MainForm->Tree->SetSelected(MainForm->Tree->Items(0));
        driver.PaintAll();
        const auto start = std::chrono::steady_clock::now();
        driver.ClickAt(bar->Handle(), middle);
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        driver.PaintAll();
    }
    // Every click made its node (and its record: a command that cannot write adds none).
    const int added = MainForm->Tree->Count() - before;
    std::sort(ms.begin(), ms.end());
    std::printf("%-28s %d clicks, %d nodes added: median %.2f ms, 90th percentile %.2f ms, worst %.2f ms\n", what,
                kClicks, added, ms[ms.size() / 2], ms[ms.size() * 9 / 10], ms.back());
    TMainForm::SetProgramFolderForTests({});
}

} // namespace

int main(int argc, char** argv)
{
    const fs::path demo = argc > 1 ? argv[1] : "build/demo";
    const fs::path work = fs::temp_directory_path() / ("velmora-main-form-bench-" + std::to_string(getpid()));
    fs::create_directories(work / "demo");
    fs::create_directories(work / "large");
    fs::copy_file(demo / "ARBOLO.DB", work / "demo" / "ARBOLO.DB");
    TTableGeneratorOptions options;
    options.RecordCount = 10000;
    options.Shape = TTreeShape::RandomTree;
    options.Keys = TKeyOrder::Shuffled;
    GenerateTable((work / "large" / "ARBOLO.DB").string(), options);
    SetMessageBoxHandler([](const std::string& text, const std::string&, UINT) {
        std::fprintf(stderr, "%s\n", text.c_str());
        return IDOK;
    });

    Measure("demonstration table:", work / "demo");
    Measure("10,000 records:", work / "large");
    fs::remove_all(work);
    return 0;
}
