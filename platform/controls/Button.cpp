#include "platform/controls/Button.h"

#include "platform/core/VirtualKeys.h"
#include "platform/drawing/Canvas.h"
#include "platform/window/WinApi.h"

TButton::TButton(TComponent* AOwner) : TPushControl(AOwner)
{
    SetBounds(0, 0, 75, 25);
    SetParentColor(false);
    SetColor(clBtnFace);
    m_controlStyle.exclude(TControlStyleFlag::csDoubleClicks);
}

void TButton::CreateParams(TCreateParams& Params)
{
    TPushControl::CreateParams(Params);
    Params.WindowClassStyle = 0; // a quick second press is a second click
    Params.WinClassName = "TButton";
}

void TButton::SetDefault(bool value)
{
    if (value == m_default)
        return;
    m_default = value;
    Invalidate();
}

bool TButton::ShowsDefaultFrame() const
{
    if (Focused())
        return true;
    if (!m_default)
        return false;
    const HWND focus = GetFocus();
    TWinControl* focused = focus ? TWinControl::FindControl(focus) : nullptr;
    return !dynamic_cast<TButton*>(focused);
}

void TButton::Click()
{
    if (TCustomForm* form = GetParentForm(this); form && m_modalResult != mrNone)
        form->SetModalResult(m_modalResult);
    TPushControl::Click();
}

void TButton::PaintContent(TRect rect, bool pressed)
{
    TCanvas* c = Canvas();
    c->SetBkMode(TRANSPARENT);
    c->Font()->Assign(*Font());
    if (!Enabled())
        c->Font()->SetColor(clGrayText);
    if (pressed)
        rect = rect.Offset(1, 1);
    TRect r = rect;
    c->DrawText(Caption(), r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

void TButton::Paint()
{
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    if (ShowsDefaultFrame()) {
        FrameRectColor(c, r, clWindowFrame);
        r = r.Inflate(-1, -1);
    }
    if (Pressed()) {
        FrameRectColor(c, r, clBtnShadow);
        FillRectColor(c, r.Inflate(-1, -1), clBtnFace);
    } else {
        c->DrawEdge(r, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_SOFT);
    }
    TRect content = ClientRect().Inflate(-4, -4);
    PaintContent(content, Pressed());
    if (Focused()) {
        const TColor text = c->SetTextColor(clBlack);
        const TColor back = c->SetBkColor(clWhite);
        c->DrawFocusRect(ClientRect().Inflate(-4, -4));
        c->SetTextColor(text);
        c->SetBkColor(back);
    }
}

void TButton::CMDialogKey(TMessage& Message)
{
    const WORD key = static_cast<WORD>(Message.WParam);
    const bool enter = key == VK_RETURN && (m_default || Focused());
    const bool escape = key == VK_ESCAPE && m_cancel;
    if ((enter || escape) && CanFocus()) {
        // Enter on another focused button belongs to that button.
        if (key == VK_RETURN && !Focused()) {
            const HWND focus = GetFocus();
            TWinControl* focused = focus ? TWinControl::FindControl(focus) : nullptr;
            if (dynamic_cast<TButton*>(focused)) {
                Message.Result = 0;
                return;
            }
        }
        Click();
        Message.Result = 1;
        return;
    }
    TPushControl::CMDialogKey(Message);
}

void TButton::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_GETDLGCODE:
        Message.Result = (m_default ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON) | DLGC_BUTTON;
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TPushControl::WndProc(Message);
        // The default frame moves with the focus among the form's buttons.
        if (TCustomForm* form = GetParentForm(this)) {
            std::vector<TWinControl*> controls;
            form->GetTabOrderList(controls);
            for (TWinControl* c : controls)
                if (dynamic_cast<TButton*>(c))
                    c->Invalidate();
        }
        return;
    case WM_ERASEBKGND:
        Message.Result = 1;
        return;
    default:
        TPushControl::WndProc(Message);
        return;
    }
}
