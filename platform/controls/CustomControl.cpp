#include "platform/controls/CustomControl.h"

#include "platform/drawing/Canvas.h"
#include "platform/drawing/Region.h"
#include "platform/window/WinApi.h"

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner), m_canvas(std::make_unique<TCanvas>()) {}

TCustomControl::~TCustomControl()
{
    if (m_canvasBound)
        ReleaseWindowCanvas(*m_canvas, true);
}

void TCustomControl::WMPaint(TMessage& Message)
{
    const HWND h = Handle();
    const TRegion update = GetUpdateRegion(h);
    PAINTSTRUCT ps;
    BeginPaint(h, ps);
    const bool nested = m_canvasBound;
    if (nested)
        ReleaseWindowCanvas(*m_canvas, false);
    BindWindowCanvas(*m_canvas, h, &update);
    m_canvasBound = true;
    struct Unbind {
        TCustomControl* self;
        ~Unbind()
        {
            ReleaseWindowCanvas(*self->m_canvas, false);
            self->m_canvasBound = false;
        }
    } unbind{this};
    m_canvas->SetFont(*Font());
    Paint();
    PaintControls(*m_canvas);
    EndPaint(h, ps);
    (void)nested;
}

void TCustomControl::PaintWindow(HDC dc)
{
    Paint();
}

bool TCustomControl::BeginCanvasDraw()
{
    if (m_drawDepth++ > 0)
        return m_canvasBound;
    if (!HandleAllocated() || m_canvasBound)
        return m_canvasBound;
    m_canvasBound = BindWindowCanvas(*m_canvas, Handle(), nullptr);
    return m_canvasBound;
}

void TCustomControl::EndCanvasDraw()
{
    if (m_drawDepth == 0 || --m_drawDepth > 0)
        return;
    if (m_canvasBound) {
        ReleaseWindowCanvas(*m_canvas, true);
        m_canvasBound = false;
    }
}

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner)
{
    m_controlStyle.exclude(TControlStyleFlag::csSetCaption);
}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::PaintOnParent(TCanvas& canvas)
{
    m_canvas = &canvas;
    struct Reset {
        TCanvas*& c;
        ~Reset() { c = nullptr; }
    } reset{m_canvas};
    Paint();
}
