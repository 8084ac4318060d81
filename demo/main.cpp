// The demonstration program: the org chart of the table ARBOLO.DB beside the program (or,
// installed, of the user's copy of the demonstration table: demo/DemoTableFolder.h).
//   velmora-demo                       shows the window (a display is needed)
//   velmora-demo --render-png FILE     renders the main window into FILE without a display
//   velmora-demo --render-options-png FILE   the same for the Options dialog
//   velmora-demo --export FILE          writes the table's whole chart (FILE.png, .svg or .pdf) and ends
//                                       (no display needed; with --full-expand every branch)
//   velmora-demo --full-expand          starts with every branch expanded (a picture
//                                       rendered so shows the top of the organisation)
//   velmora-demo --zoom                 starts with the chart shrunk to fit the window
//   velmora-demo --quit-when-shown      ends once the first frame is on the screen (start-up timing)
//   velmora-demo --startup-report       the same, printing the time to that frame and the memory in use
// For tests driving the program through the screen, VELMORA_GEOMETRY_DUMP=FILE makes the
// shown window write where its bar buttons and side-bar items are, in screen pixels.
#include "bars/Bar.h"
#include "bars/BarButton.h"
#include "bars/BarItemLink.h"
#include "bars/BarItemLinks.h"
#include "bars/BarManager.h"
#include "bars/Bars.h"
#include "demo/MainForm.h"
#include "demo/OptionsForm.h"
#include "dborgchart/DbOrgChart.h"
#include "platform/data/Table.h"
#include "platform/controls/Application.h"
#include "platform/core/Exception.h"
#include "platform/controls/BitBtn.h"
#include "platform/controls/MessageBoxForm.h"
#include "platform/controls/SpinEdit.h"
#include "platform/drawing/Bitmap.h"
#include "platform/window/Backend.h"
#include "platform/window/WinApi.h"
#include "sidebar/SideBar.h"
#include "sidebar/SideBarItem.h"
#include "sidebar/SideBarViewInfo.h"
#include "sidebar/SideItemViewInfo.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <fstream>
#include <string>
#include <sys/resource.h>

namespace {

int SavePicture(TCustomForm* form, const std::string& path)
{
    for (HWND h : GetTopLevelWindows())
        RedrawWindow(h, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    const TBitmap* surface = WindowSurface(form->Handle());
    if (!surface || !surface->SaveToPngFile(path)) {
        std::fprintf(stderr, "Could not write %s\n", path.c_str());
        return 1;
    }
    std::printf("Wrote %s\n", path.c_str());
    return 0;
}

// Fully expanded, the drawing is far wider than the window: the picture shows the top
// of the organisation, the selected first node in the middle of the window's width.
void ShowTopOfOrganisation(TzqDbOrgChart* tree)
{
    TzqOcNode* top = tree->Selected();
    if (!top)
        return;
    const TRect slot = tree->NodeSlotRect(top);
    if (slot.IsEmpty())
        return;
    const int64_t middle = int64_t(tree->LeftPos()) + (int64_t(slot.Left) + slot.Right) / 2;
    tree->ScrollTo(middle - tree->ClientWidth() / 2, 0);
}

// Resident memory of the process in KiB, from the kernel's account of it.
long ResidentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return -1;
}

// Processor time the process has used so far (user and system), in milliseconds: the
// figure that other work on the machine does not inflate.
long long ProcessorMilliseconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto ms = [](const timeval& t) { return static_cast<long long>(t.tv_sec) * 1000 + t.tv_usec / 1000; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// Writes "<place>.<name> <left> <top> <width> <height>" in screen pixels for every button
// of the docked bars (place "menubar" or "toolbar", the item's name) and every item of
// the side bar's active group (place "sidebar", the item's Tag); while the Options
// dialog is shown, its line width and OK button (place "options").
void DumpGeometry(const std::string& path)
{
    std::ofstream out(path, std::ios::trunc);
    auto write = [&](const std::string& name, const TWinControl* control, const TRect& r) {
        const TPoint p = control->ClientToScreen(TPoint(r.Left, r.Top));
        out << name << ' ' << p.X << ' ' << p.Y << ' ' << r.Width() << ' ' << r.Height() << '\n';
    };
    TzqBars* bars = MainForm->zqBarManager1->Bars();
    for (int b = 0; b < bars->Count(); ++b) {
        TzqBar* bar = bars->Items(b);
        const auto* control = dynamic_cast<const TWinControl*>(bar->Control());
        if (!control)
            continue;
        const std::string place = bar->IsMainMenu() ? "menubar." : "toolbar.";
        for (int i = 0; i < bar->ItemLinks()->Count(); ++i) {
            TzqBarItemLink* link = bar->ItemLinks()->Items(i);
            if (!link->ItemRect().IsEmpty())
                write(place + link->Item()->Name(), control, link->ItemRect());
        }
    }
    TzqSideBar* side = MainForm->SideBar;
    side->CalculateLayout();
    for (int i = 0; i < side->ViewInfo()->ItemCount(); ++i) {
        const TzqSideItemViewInfo& item = side->ViewInfo()->Items(i);
        write("sidebar." + std::to_string(item.Item->Tag()), side, item.ImageFrame);
    }
    if (OptionsForm && OptionsForm->Visible()) {
        for (TWinControl* control : std::initializer_list<TWinControl*>{OptionsForm->seLineWidth, OptionsForm->BitBtn2})
            write("options." + control->Name(), control, control->ClientRect());
    }
}

// Writes the chart's picture for --export; 0 when written, 1 with the reason on the
// error output.
int ExportChart(TzqDbOrgChart* chart, const std::string& file)
{
    try {
        const double scale = chart->ExportToFile(file);
        if (scale < 1.0)
            std::printf("The chart was scaled to %.1f %% of its size to fit the picture.\n", scale * 100.0);
        return 0;
    } catch (const Exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
}

} // namespace

int main(int argc, char** argv)
{
    const auto started = std::chrono::steady_clock::now();
    std::string windowPng;
    std::string optionsPng;
    std::string exportFile;
    bool fullExpand = false;
    bool zoom = false;
    bool quitWhenShown = false;
    bool startupReport = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--render-png") == 0 && i + 1 < argc)
            windowPng = argv[++i];
        else if (std::strcmp(argv[i], "--render-options-png") == 0 && i + 1 < argc)
            optionsPng = argv[++i];
        else if (std::strcmp(argv[i], "--export") == 0 && i + 1 < argc)
            exportFile = argv[++i];
        else if (std::strcmp(argv[i], "--full-expand") == 0)
            fullExpand = true;
        else if (std::strcmp(argv[i], "--zoom") == 0)
            zoom = true;
        else if (std::strcmp(argv[i], "--quit-when-shown") == 0)
            quitWhenShown = true;
        else if (std::strcmp(argv[i], "--startup-report") == 0)
            quitWhenShown = startupReport = true;
    }
    const bool headless = !windowPng.empty() || !optionsPng.empty() || !exportFile.empty();
    if (headless) {
        // Nobody is there to read a message box: messages go to the error output.
        SetMessageBoxHandler([](const std::string& text, const std::string& caption, UINT) {
            std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
            return IDOK;
        });
    }

    TApplication app;
    app.Initialize(argc, argv, headless);
    if (headless) {
        // No one to answer a message box: a message is written to standard error, and
        // the picture is made all the same.
        SetMessageBoxHandler([](const std::string& text, const std::string&, UINT) {
            std::fprintf(stderr, "%s\n", text.c_str());
            return IDOK;
        });
    }
    app.SetTitle("VelmoraOrgChart Demo");
    app.CreateForm<TMainForm>();
    app.CreateForm<TOptionsForm>();
    if (fullExpand)
        MainForm->Tree->FullExpand();
    if (zoom) {
        MainForm->bbZoom->SetDown(true);
        MainForm->bbZoomClick(MainForm->bbZoom);
    }
    if (quitWhenShown) {
        // Shown, painted and presented: the first frame is on the screen.
        MainForm->Show();
        app.ProcessMessages();
        for (HWND h : GetTopLevelWindows())
            RedrawWindow(h, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        FlushWindow(MainForm->Handle());
        if (startupReport) {
            const auto shown = std::chrono::steady_clock::now();
            std::printf("first frame after %lld ms (%lld ms of processor time), %ld KiB resident, %d nodes\n",
                        static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(shown - started).count()),
                        ProcessorMilliseconds(), ResidentKiB(), MainForm->Tree->Count());
            std::fflush(stdout);
            // Closing the table frees the chart's nodes and the records.
            const auto closing = std::chrono::steady_clock::now();
            MainForm->Table->Close();
            std::printf("table closed and chart freed in %lld ms\n",
                        static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                                   std::chrono::steady_clock::now() - closing)
                                                   .count()));
            std::fflush(stdout);
        }
        return 0;
    }
    if (headless) {
        MainForm->Show();
        app.ProcessMessages();
        if (fullExpand) {
            ShowTopOfOrganisation(MainForm->Tree);
            app.ProcessMessages();
        }
        int result = 0;
        if (!windowPng.empty())
            result |= SavePicture(MainForm, windowPng);
        if (!optionsPng.empty()) {
            OptionsForm->Show();
            app.ProcessMessages();
            result |= SavePicture(OptionsForm, optionsPng);
        }
        if (!exportFile.empty())
            result |= ExportChart(MainForm->Tree, exportFile);
        return result;
    }
    if (const char* dump = std::getenv("VELMORA_GEOMETRY_DUMP"); dump && *dump) {
        app.ProcessMessages();
        DumpGeometry(dump);
        // Again each time the Options dialog comes up, with its controls.
        OptionsForm->OnActivate = [path = std::string(dump), activate = OptionsForm->OnActivate](TObject* sender) {
            if (activate)
                activate(sender);
            DumpGeometry(path);
        };
    }
    app.Run();
    return 0;
}
