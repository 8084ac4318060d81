// A program of its own using the org chart component from an installed VelmoraOrgChart:
// a window with a chart of six nodes built in code.
//   orgchart-example                      shows the window (a display is needed)
//   orgchart-example --render-png FILE    draws the window into FILE without a display
#include <orgchart/OrgChart.h>
#include <platform/controls/Application.h>
#include <platform/controls/Form.h>
#include <platform/drawing/Bitmap.h>
#include <platform/window/Backend.h>
#include <platform/window/WinApi.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

class TExampleForm : public TForm {
public:
    explicit TExampleForm(TComponent* AOwner) : TForm(AOwner)
    {
        SetCaption("Org chart example");
        SetBounds(100, 100, 640, 400);
        SetColor(clWindow);

        Chart = new TzqOrgChart(this);
        Chart->SetParent(this);
        Chart->SetAlign(TAlign::alClient);
        Chart->SetDefaultNodeWidth(110);
        Chart->SetDefaultNodeHeight(46);
        Chart->SetOptions(TzqOcOptions{TzqOcOption::ocSelect, TzqOcOption::ocFocus, TzqOcOption::ocButtons,
                                       TzqOcOption::ocEdit, TzqOcOption::ocCanDrag, TzqOcOption::ocInsDel});
        Chart->SetEditMode(TzqOcEditMode{TzqOcEditModeFlag::emCenter, TzqOcEditModeFlag::emVCenter,
                                         TzqOcEditModeFlag::emWrap});

        TzqOcNode* board = AddNode(nullptr, "Board", RGB(0xF2, 0xB1, 0x34));
        AddNode(board, "Research", RGB(0x8E, 0xC5, 0xFF));
        AddNode(board, "Sales", RGB(0x9B, 0xE3, 0x9B));
        TzqOcNode* operations = AddNode(board, "Operations", RGB(0xFF, 0xA8, 0xA8));
        AddNode(operations, "Plant", RGB(0xD9, 0xC2, 0xFF));
        AddNode(operations, "Logistics", RGB(0xFF, 0xE0, 0x8A));
        Chart->FullExpand();
    }

    TzqOrgChart* Chart = nullptr;

private:
    TzqOcNode* AddNode(TzqOcNode* parent, const std::string& caption, TColor color)
    {
        TzqOcNode* node = Chart->AddChild(parent, 0);
        node->SetText(caption);
        node->SetColor(color);
        node->SetShape(TzqOcShape::shRectangle);
        return node;
    }
};

int SavePicture(TCustomForm* form, const std::string& path)
{
    for (HWND h : GetTopLevelWindows())
        RedrawWindow(h, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    const TBitmap* surface = WindowSurface(form->Handle());
    if (!surface || !surface->SaveToPngFile(path)) {
        std::fprintf(stderr, "Could not write %s\n", path.c_str());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    std::string png;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--render-png") == 0)
            png = argv[i + 1];

    TApplication app;
    app.Initialize(argc, argv, !png.empty());
    app.SetTitle("Org chart example");
    auto* form = app.CreateForm<TExampleForm>();
    if (png.empty()) {
        app.Run();
        return 0;
    }
    form->Show();
    app.ProcessMessages();
    return SavePicture(form, png);
}
