#include "platform/controls/MessageBoxForm.h"

#include "platform/controls/Button.h"
#include "platform/controls/Label.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/window/WinApi.h"

#include <algorithm>
#include <vector>

namespace {

TMessageBoxHandler& Handler()
{
    static TMessageBoxHandler handler;
    return handler;
}

// The icon of a message box, drawn in the classic manner.
class TMessageIcon : public TGraphicControl {
public:
    TMessageIcon(TComponent* owner, UINT kind) : TGraphicControl(owner), m_kind(kind) { SetBounds(0, 0, 32, 32); }

protected:
    void Paint() override
    {
        TCanvas* c = Canvas();
        c->Pen()->SetColor(clBlack);
        c->SetBkMode(TRANSPARENT);
        c->Font()->SetName("Arial");
        c->Font()->SetHeight(-22);
        c->Font()->SetStyle(TFontStyles{TFontStyle::fsBold});
        TRect r(0, 0, 32, 32);
        switch (m_kind) {
        case MB_ICONERROR:
            c->Brush()->SetColor(clRed);
            c->Ellipse(1, 1, 31, 31);
            c->Pen()->SetColor(clWhite);
            c->Pen()->SetWidth(3);
            c->MoveTo(10, 10);
            c->LineTo(22, 22);
            c->MoveTo(22, 10);
            c->LineTo(10, 22);
            c->Pen()->SetWidth(1);
            break;
        case MB_ICONEXCLAMATION: {
            c->Brush()->SetColor(clYellow);
            const TPoint tri[3] = {{16, 1}, {31, 30}, {1, 30}};
            c->Polygon(tri, 3);
            c->Font()->SetColor(clBlack);
            TRect t(0, 8, 32, 30);
            c->DrawText("!", t, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
            break;
        }
        default: {
            c->Brush()->SetColor(m_kind == MB_ICONQUESTION ? clWhite : clBlue);
            c->Ellipse(1, 1, 31, 31);
            c->Font()->SetColor(m_kind == MB_ICONQUESTION ? clBlue : clWhite);
            c->Font()->SetName(m_kind == MB_ICONQUESTION ? "Arial" : "Times New Roman");
            c->DrawText(m_kind == MB_ICONQUESTION ? "?" : "i", r, DT_CENTER | DT_SINGLELINE | DT_VCENTER);
            break;
        }
        }
    }

private:
    UINT m_kind;
};

struct ButtonSpec {
    const char* caption;
    int result;
};

std::vector<ButtonSpec> ButtonsFor(UINT flags)
{
    switch (flags & 0xF) {
    case MB_OKCANCEL:
        return {{"OK", IDOK}, {"Cancel", IDCANCEL}};
    case MB_ABORTRETRYIGNORE:
        return {{"&Abort", IDABORT}, {"&Retry", IDRETRY}, {"&Ignore", IDIGNORE}};
    case MB_YESNOCANCEL:
        return {{"&Yes", IDYES}, {"&No", IDNO}, {"Cancel", IDCANCEL}};
    case MB_YESNO:
        return {{"&Yes", IDYES}, {"&No", IDNO}};
    case MB_RETRYCANCEL:
        return {{"&Retry", IDRETRY}, {"Cancel", IDCANCEL}};
    default:
        return {{"OK", IDOK}};
    }
}

// The answer Esc gives: Cancel where there is one, OK for a lone OK, none otherwise.
int EscapeResult(UINT flags)
{
    switch (flags & 0xF) {
    case MB_OK:
        return IDOK;
    case MB_OKCANCEL:
    case MB_YESNOCANCEL:
    case MB_RETRYCANCEL:
        return IDCANCEL;
    default:
        return 0;
    }
}

} // namespace

void SetMessageBoxHandler(TMessageBoxHandler handler)
{
    Handler() = std::move(handler);
}

const TMessageBoxHandler& MessageBoxHandler()
{
    return Handler();
}

int RunMessageBoxForm(const std::string& text, const std::string& caption, UINT flags)
{
    if (Handler())
        return Handler()(text, caption, flags);

    TForm form(nullptr);
    form.SetBorderStyle(TFormBorderStyle::bsDialog);
    form.SetPosition(TPosition::poScreenCenter);
    form.SetCaption(caption);
    TFont font;
    font.SetName("MS Sans Serif");
    font.SetHeight(-11);
    form.SetFont(font);

    const UINT iconKind = flags & 0xF0;
    int textLeft = 12;
    if (iconKind) {
        auto* icon = new TMessageIcon(&form, iconKind);
        icon->SetParent(&form);
        icon->SetBounds(12, 12, 32, 32);
        textLeft = 56;
    }
    auto* label = new TLabel(&form);
    label->SetParent(&form);
    label->SetShowAccelChar(false);
    label->SetLeft(textLeft);
    label->SetTop(14);
    label->SetCaption(text);
    const int maxText = std::max(200, GetScreenRect().Width() * 5 / 8);
    if (label->Width() > maxText) {
        label->SetAutoSize(false);
        label->SetWidth(maxText);
        label->SetWordWrap(true);
        label->SetAutoSize(true);
        label->AdjustBounds();
    }

    const auto specs = ButtonsFor(flags);
    const int buttonWidth = 75, buttonHeight = 23, gap = 6;
    const int buttonsWidth = static_cast<int>(specs.size()) * buttonWidth + (static_cast<int>(specs.size()) - 1) * gap;
    const int clientWidth = std::max(textLeft + label->Width() + 12, buttonsWidth + 24);
    const int textBottom = std::max(label->Top() + label->Height(), iconKind ? 44 : 0);
    const int buttonTop = textBottom + 14;
    form.SetClientWidth(clientWidth);
    form.SetClientHeight(buttonTop + buttonHeight + 12);

    const size_t defaultIndex = std::min<size_t>((flags >> 8) & 0xF, specs.size() - 1);
    const int escape = EscapeResult(flags);
    int x = (clientWidth - buttonsWidth) / 2;
    TButton* first = nullptr;
    for (size_t i = 0; i < specs.size(); ++i) {
        auto* b = new TButton(&form);
        b->SetParent(&form);
        b->SetBounds(x, buttonTop, buttonWidth, buttonHeight);
        b->SetCaption(specs[i].caption);
        b->SetModalResult(specs[i].result);
        b->SetDefault(i == defaultIndex);
        b->SetCancel(specs[i].result == escape);
        if (i == defaultIndex)
            first = b;
        x += buttonWidth + gap;
    }
    if (first)
        form.SetActiveControl(first);
    const int result = form.ShowModal();
    return result == mrNone ? (escape ? escape : specs.front().result) : result;
}
