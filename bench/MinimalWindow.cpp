// The smallest program of our toolkit that shows one empty window: the limit the
// demonstration program's start-up time is measured against. It ends once the
// window's first frame is on the screen.
#include "platform/controls/Application.h"
#include "platform/window/WinApi.h"

int main(int argc, char** argv)
{
    TApplication app;
    app.Initialize(argc, argv);
    auto* form = app.CreateForm<TForm>();
    form->SetCaption("Empty");
    form->SetBounds(100, 100, 400, 300);
    form->Show();
    app.ProcessMessages();
    for (HWND h : GetTopLevelWindows())
        RedrawWindow(h, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    FlushWindow(form->Handle());
    return 0;
}
