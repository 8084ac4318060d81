// The demonstration program. Until the chart window is assembled it shows a sample
// window of the platform's controls.
#include "platform/controls/Application.h"
#include "platform/controls/Button.h"
#include "platform/controls/Label.h"
#include "platform/drawing/Bitmap.h"
#include "platform/window/Backend.h"
#include "platform/window/WinApi.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

class TSampleForm : public TForm {
public:
    explicit TSampleForm(TComponent* owner) : TForm(owner)
    {
        SetCaption("VelmoraOrgChart Demo");
        SetPosition(TPosition::poScreenCenter);
        SetBounds(0, 0, 420, 220);
        TFont f;
        f.SetName("MS Sans Serif");
        f.SetHeight(-11);
        SetFont(f);
        auto* label = new TLabel(this);
        label->SetParent(this);
        label->SetBounds(16, 16, 380, 60);
        label->SetAutoSize(false);
        label->SetWordWrap(true);
        label->SetCaption("The organisation chart editor is being assembled. This window shows the platform it runs on.");
        auto* close = new TButton(this);
        close->SetParent(this);
        close->SetCaption("&Close");
        close->SetBounds(160, 120, 75, 25);
        close->SetDefault(true);
        close->OnClick = [this](TObject*) { Close(); };
    }
};

// Renders the main window into a PNG without a display.
int RenderToPng(TApplication& app, const std::string& path)
{
    TCustomForm* form = app.MainForm();
    form->Show();
    app.ProcessMessages();
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

} // namespace

int main(int argc, char** argv)
{
    std::string png;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--render-png") == 0 && i + 1 < argc)
            png = argv[++i];

    TApplication app;
    app.Initialize(argc, argv, !png.empty());
    app.SetTitle("VelmoraOrgChart Demo");
    app.CreateForm<TSampleForm>();
    if (!png.empty())
        return RenderToPng(app, png);
    app.Run();
    return 0;
}
