#include "platform/controls/PopupList.h"

#include "platform/controls/TextMeasure.h"
#include "platform/core/Exception.h"
#include "platform/core/VirtualKeys.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/Brush.h"
#include "platform/drawing/Pen.h"
#include "platform/window/WinApi.h"

#include <algorithm>

namespace {

constexpr int kFrame = 3;          // raised edge and a pixel of air
constexpr int kTextLeft = 18;      // room for a check mark column, as menus have
constexpr int kTextRight = 12;
constexpr int kShortCutGap = 24;
constexpr int kSeparatorHeight = 8;

// The caption without & markers ("&&" is a literal ampersand).
std::string StripAccelerator(const std::string& caption)
{
    std::string out;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size())
            ++i;
        out += caption[i];
    }
    return out;
}

// The upper-case letter after a single &, or 0.
char AcceleratorOf(const std::string& caption)
{
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        const char c = caption[i + 1];
        return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
    return 0;
}

// The check mark of a checked item, 7 by 7 pixels.
constexpr const char* kCheckMark[7] = {
    "......#", ".....##", "#...###", "##.###.", "#####..", ".###...", "..#....",
};

// A check mark, or the dot of a radio item, centred in the rectangle.
void DrawItemMark(TCanvas* c, const TRect& r, bool radio, TColor color)
{
    const int cx = r.Left + r.Width() / 2, cy = r.Top + r.Height() / 2;
    if (radio) {
        // The canvas tools are put back: the captions are drawn with them.
        TPen pen;
        TBrush brush;
        pen.Assign(*c->Pen());
        brush.Assign(*c->Brush());
        c->Pen()->SetColor(color);
        c->Brush()->SetColor(color);
        c->Brush()->SetStyle(TBrushStyle::bsSolid);
        c->Ellipse(cx - 3, cy - 3, cx + 3, cy + 3);
        c->SetPen(pen);
        c->SetBrush(brush);
        return;
    }
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 7; ++x)
            if (kCheckMark[y][x] == '#')
                c->SetPixel(cx - 3 + x, cy - 3 + y, color);
}

} // namespace

TPopupList::TPopupList(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetVisible(false);
    SetParentFont(false);
    SetParentColor(false);
    SetColor(clMenu);
    m_controlStyle.exclude(TControlStyleFlag::csCaptureMouse);
    m_controlStyle.exclude(TControlStyleFlag::csClickEvents);
    m_controlStyle.exclude(TControlStyleFlag::csDoubleClicks);
}

TPopupList::~TPopupList()
{
    // Closed quietly: whoever would hear OnClose may be going away with us.
    OnClose = nullptr;
    CloseUp();
}

void TPopupList::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP | WS_CLIPSIBLINGS;
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE | WS_EX_TOPMOST;
    Params.WindowClassStyle = 0;
    Params.WinClassName = "TPopupList";
    // Owned by the window of whoever opened the menu, so that it stays above it.
    Params.WndParent = m_ownerWindow && IsWindow(m_ownerWindow) ? GetAncestorTopLevel(m_ownerWindow) : nullptr;
    if (!Params.WndParent)
        if (auto* owner = dynamic_cast<TWinControl*>(Owner()); owner && owner->HandleAllocated())
            Params.WndParent = GetAncestorTopLevel(owner->Handle());
}

void TPopupList::SetOwnerWindow(HWND value)
{
    if (value == m_ownerWindow)
        return;
    m_ownerWindow = value;
    if (HandleAllocated() && !m_open)
        RecreateWnd();
}

void TPopupList::Clear()
{
    m_items.clear();
    m_hot = -1;
    Invalidate();
}

int TPopupList::Add(const TPopupItem& item)
{
    m_items.push_back(item);
    return Count() - 1;
}

void TPopupList::AddSeparator()
{
    TPopupItem item;
    item.Separator = true;
    item.Enabled = false;
    m_items.push_back(item);
}

const TPopupItem& TPopupList::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw EInvalidOperation("Menu index out of bounds (" + std::to_string(index) + ")");
    return m_items[static_cast<size_t>(index)];
}

void TPopupList::SetItemEnabled(int index, bool value)
{
    Items(index); // range check
    m_items[static_cast<size_t>(index)].Enabled = value;
    Invalidate();
}

int TPopupList::IndexOfCaption(const std::string& text) const
{
    for (int i = 0; i < Count(); ++i)
        if (!m_items[static_cast<size_t>(i)].Separator && StripAccelerator(m_items[static_cast<size_t>(i)].Caption) == text)
            return i;
    return -1;
}

int TPopupList::ItemHeight(int index) const
{
    return m_items[static_cast<size_t>(index)].Separator ? kSeparatorHeight : m_textHeight + 6;
}

TRect TPopupList::ItemRect(int index) const
{
    int y = kFrame;
    for (int i = 0; i < index && i < Count(); ++i)
        y += ItemHeight(i);
    if (index < 0 || index >= Count())
        return TRect();
    return TRect(kFrame, y, Width() - kFrame, y + ItemHeight(index));
}

int TPopupList::ItemAt(int X, int Y) const
{
    for (int i = 0; i < Count(); ++i)
        if (ItemRect(i).Contains(X, Y))
            return m_items[static_cast<size_t>(i)].Separator ? -1 : i;
    return -1;
}

TSize TPopupList::MeasureMenu() const
{
    TFont bold;
    bold.Assign(*Font());
    bold.SetStyle(bold.Style() + TFontStyle::fsBold);
    int captionWidth = 0, shortCutWidth = 0, height = 2 * kFrame;
    for (int i = 0; i < Count(); ++i) {
        const TPopupItem& item = m_items[static_cast<size_t>(i)];
        height += ItemHeight(i);
        if (item.Separator)
            continue;
        captionWidth = std::max(captionWidth, MeasureText(item.Default ? bold : *Font(), StripAccelerator(item.Caption)).cx);
        if (!item.ShortCut.empty())
            shortCutWidth = std::max(shortCutWidth, MeasureText(*Font(), item.ShortCut).cx);
    }
    const int width = 2 * kFrame + kTextLeft + captionWidth + (shortCutWidth ? kShortCutGap + shortCutWidth : 0) + kTextRight;
    return {width, height};
}

void TPopupList::Popup(TPoint screenPt)
{
    if (m_open)
        CloseUp();
    if (m_items.empty())
        return;
    m_textHeight = FontLineHeight(*Font());
    const TSize size = MeasureMenu();
    // Kept on the screen: flipped to the left of or above the point when it would
    // run off the right or bottom edge.
    const TRect screen = MonitorWorkAreaAt(screenPt);
    int x = screenPt.X, y = screenPt.Y;
    if (x + size.cx > screen.Right)
        x = std::max(screen.Left, x - size.cx);
    if (y + size.cy > screen.Bottom)
        y = std::max(screen.Top, y - size.cy);
    SetBounds(x, y, size.cx, size.cy);
    m_hot = -1;
    HandleNeeded();
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetVisible(true);
    m_open = true;
    SetCapture(Handle());
    m_keyHook = SetWindowsHookEx(WH_KEYBOARD, [this](int code, WPARAM wParam, LPARAM lParam) -> LRESULT {
        const HHOOK self = m_keyHook;
        if (code != HC_ACTION || !m_open)
            return CallNextHookEx(self, code, wParam, lParam);
        // Every key belongs to the open menu; key-ups are simply swallowed.
        if (!(lParam & KF_UP_LPARAM))
            HandleKey(static_cast<WORD>(wParam));
        return 1;
    });
    Invalidate();
}

void TPopupList::CloseUp()
{
    if (!m_open)
        return;
    m_open = false;
    m_hot = -1;
    if (m_keyHook) {
        UnhookWindowsHookEx(m_keyHook);
        m_keyHook = nullptr;
    }
    if (HandleAllocated() && GetCapture() == Handle())
        ReleaseCapture();
    SetVisible(false);
    if (OnClose)
        OnClose(this);
}

void TPopupList::SetHot(int index)
{
    if (index == m_hot)
        return;
    m_hot = index;
    Invalidate();
}

void TPopupList::MoveHot(int direction)
{
    // Separators are passed over; the highlight wraps round the ends.
    int i = m_hot;
    for (int step = 0; step < Count(); ++step) {
        i = i < 0 ? (direction > 0 ? 0 : Count() - 1) : (i + direction + Count()) % Count();
        if (!m_items[static_cast<size_t>(i)].Separator) {
            SetHot(i);
            return;
        }
    }
}

void TPopupList::Choose(int index)
{
    if (index < 0 || index >= Count())
        return;
    const TPopupItem item = m_items[static_cast<size_t>(index)];
    if (item.Separator || !item.Enabled)
        return;
    CloseUp();
    if (item.OnClick)
        item.OnClick();
}

bool TPopupList::HandleKey(WORD key)
{
    switch (key) {
    case VK_UP:
        MoveHot(-1);
        return true;
    case VK_DOWN:
        MoveHot(+1);
        return true;
    case VK_RETURN:
        Choose(m_hot);
        return true;
    case VK_ESCAPE:
    case VK_MENU:
    case VK_F10:
        CloseUp();
        return true;
    default:
        break;
    }
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) {
        for (int i = 0; i < Count(); ++i)
            if (AcceleratorOf(m_items[static_cast<size_t>(i)].Caption) == static_cast<char>(key)) {
                Choose(i);
                return true;
            }
    }
    return false;
}

void TPopupList::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    // A press outside the menu closes it; the press itself is spent on that.
    if (m_open && !ClientRect().Contains(X, Y))
        CloseUp();
}

void TPopupList::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    if (m_open)
        SetHot(ItemAt(X, Y));
}

void TPopupList::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (m_open && ClientRect().Contains(X, Y))
        Choose(ItemAt(X, Y));
}

void TPopupList::Paint()
{
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    FillRectColor(c, r, clMenu);
    c->DrawEdge(r, EDGE_RAISED, BF_RECT);
    c->Font()->Assign(*Font());
    c->SetBkMode(TRANSPARENT);
    for (int i = 0; i < Count(); ++i) {
        const TPopupItem& item = m_items[static_cast<size_t>(i)];
        TRect ir = ItemRect(i);
        if (item.Separator) {
            TRect line(ir.Left + 1, ir.Top + ir.Height() / 2 - 1, ir.Right - 1, ir.Top + ir.Height() / 2 + 1);
            c->DrawEdge(line, EDGE_ETCHED, BF_TOP);
            continue;
        }
        const bool hot = i == m_hot;
        if (hot)
            FillRectColor(c, ir, clHighlight);
        TRect text(ir.Left + kTextLeft, ir.Top, ir.Right - kTextRight, ir.Bottom);
        TFontStyles style = Font()->Style();
        c->Font()->SetStyle(item.Default ? style + TFontStyle::fsBold : style);
        const TRect markRect(ir.Left, ir.Top, ir.Left + kTextLeft, ir.Bottom);
        auto drawTexts = [&](TColor color, int dx, int dy) {
            c->Font()->SetColor(color);
            if (item.Checked)
                DrawItemMark(c, markRect.Offset(dx, dy), item.Radio, color);
            TRect t = text.Offset(dx, dy);
            c->DrawText(item.Caption, t, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
            if (!item.ShortCut.empty()) {
                TRect s = text.Offset(dx, dy);
                c->DrawText(item.ShortCut, s, DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
            }
        };
        if (!item.Enabled) {
            // Grayed in the classic way: a highlight copy under a shadow copy, or
            // plain gray text on the highlight bar.
            if (!hot)
                drawTexts(clBtnHighlight, 1, 1);
            drawTexts(clGrayText, 0, 0);
        } else {
            drawTexts(hot ? clHighlightText : clMenuText, 0, 0);
        }
    }
}

void TPopupList::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_CAPTURECHANGED:
        TCustomControl::WndProc(Message);
        // Someone else took the mouse: the menu gives up.
        if (m_open && GetCapture() != Handle())
            CloseUp();
        return;
    case WM_CANCELMODE:
        CloseUp();
        Message.Result = 0;
        return;
    case WM_MOUSEACTIVATE:
        Message.Result = MA_NOACTIVATE;
        return;
    case WM_ERASEBKGND:
        Message.Result = 1;
        return;
    default:
        TCustomControl::WndProc(Message);
        return;
    }
}
