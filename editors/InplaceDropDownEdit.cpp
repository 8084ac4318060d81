// TzqInplaceDropDownEdit: buttons, the mouse on them, the keys that open and close the
// drop-down, the keys and the wheel while it is open, and its placement.
#include "editors/InplaceDropDownEdit.h"

#include "editors/CustomzqContainer.h"
#include "editors/EditButtonPainter.h"
#include "editors/EditMessages.h"
#include "editors/PopupFrame.h"
#include "platform/core/VirtualKeys.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/SystemMetrics.h"
#include "platform/window/WinApi.h"

#include <algorithm>

// ---- The class ----

TzqInplaceEdit* TzqInplaceDropDownEditClass::Create(TComponent* AOwner) const
{
    return new TzqInplaceDropDownEdit(AOwner);
}

TzqEditViewDataClass TzqInplaceDropDownEditClass::GetViewDataClass() const
{
    return &NewViewDataOf<TzqDropDownEditViewData>;
}

namespace {

// The width the buttons take at the right and at the left.
void ButtonExtents(const TzqDropDownEditViewData& data, int& right, int& left)
{
    right = left = 0;
    if (data.HideButtons)
        return;
    const int count = std::clamp(data.ButtonCount, 0, TzqDropDownEditViewData::MaxButtons);
    for (int i = 0; i < count; ++i) {
        const int w = std::max(0, data.Buttons[size_t(i)].Width);
        (data.Buttons[size_t(i)].LeftAligned ? left : right) += w;
    }
}

TzqButtonSymbol SymbolOf(TzqEditButtonKind kind)
{
    switch (kind) {
    case TzqEditButtonKind::bkEllipsis: return TzqButtonSymbol::bsEllipsis;
    case TzqEditButtonKind::bkGlyph: return TzqButtonSymbol::bsGlyph;
    case TzqEditButtonKind::bkDown: break;
    }
    return TzqButtonSymbol::bsDownArrow;
}

} // namespace

void TzqInplaceDropDownEditClass::CalcViewInfo(const TzqEditViewData& ViewData, bool AutoHeight,
                                               TzqEditViewInfo& ViewInfo) const
{
    TzqInplaceMaskEditClass::CalcViewInfo(ViewData, AutoHeight, ViewInfo);
    const auto* data = dynamic_cast<const TzqDropDownEditViewData*>(&ViewData);
    if (!data)
        return;
    int right = 0, left = 0;
    ButtonExtents(*data, right, left);
    TRect& c = ViewInfo.ClientRect;
    c.Left = std::min(c.Left + left, c.Right);
    c.Right = std::max(c.Right - right, c.Left);
}

TRect TzqInplaceDropDownEditClass::ButtonRect(const TzqEditViewInfo& ViewInfo, const TzqDropDownEditViewData& ViewData,
                                              int Index)
{
    if (ViewData.HideButtons || Index < 0 || Index >= std::min(ViewData.ButtonCount, TzqDropDownEditViewData::MaxButtons))
        return TRect();
    int right = 0, left = 0;
    ButtonExtents(ViewData, right, left);
    const TRect& c = ViewInfo.ClientRect;
    int xRight = c.Right, xLeft = c.Left - left;
    for (int i = 0; i < ViewData.ButtonCount; ++i) {
        const TzqEditButtonViewInfo& b = ViewData.Buttons[size_t(i)];
        const int w = std::max(0, b.Width);
        int& x = b.LeftAligned ? xLeft : xRight;
        if (i == Index)
            return TRect(x, c.Top, x + w, c.Bottom);
        x += w;
    }
    return TRect();
}

int TzqInplaceDropDownEditClass::ButtonAt(const TzqEditViewInfo& ViewInfo, const TzqDropDownEditViewData& ViewData,
                                          TPoint Point)
{
    for (int i = 0; i < std::min(ViewData.ButtonCount, TzqDropDownEditViewData::MaxButtons); ++i)
        if (ButtonRect(ViewInfo, ViewData, i).Contains(Point))
            return i;
    return -1;
}

void TzqInplaceDropDownEditClass::DrawBorder(HDC DC, const TzqEditViewInfo& ViewInfo,
                                             const TzqEditViewData& ViewData) const
{
    TzqInplaceMaskEditClass::DrawBorder(DC, ViewInfo, ViewData);
    const auto* data = dynamic_cast<const TzqDropDownEditViewData*>(&ViewData);
    if (!DC || !data || data->HideButtons)
        return;
    for (int i = 0; i < std::min(data->ButtonCount, TzqDropDownEditViewData::MaxButtons); ++i) {
        const TzqEditButtonViewInfo& b = data->Buttons[size_t(i)];
        const TRect r = ButtonRect(ViewInfo, *data, i);
        TzqEditButtonLook look;
        look.Style = data->ButtonStyle;
        look.Pressed = b.Pressed || data->PressedButton == i;
        look.Hot = data->HotButton == i;
        look.Enabled = data->Enabled;
        look.BorderColor = data->BorderColor;
        look.SeparatorLeft = !b.LeftAligned;
        const TzqButtonSymbol symbol = SymbolOf(b.Kind);
        TBitmap* glyph = b.Glyph ? b.Glyph : data->Glyph;
        if (data->ButtonTransparent && !look.Pressed && !look.Hot) {
            // Transparent buttons show only their symbol on the editor's background.
            FillRectColor(DC, r, data->BkColor);
            DrawEditButtonSymbol(DC, r, symbol, clBtnText, data->Enabled, look.Style, glyph);
            continue;
        }
        DrawEditButton(DC, r, look, symbol, glyph);
    }
}

// ---- The editor ----

TzqInplaceDropDownEdit::TzqInplaceDropDownEdit(TComponent* AOwner) : TzqInplaceMaskEdit(AOwner) {}

TzqInplaceDropDownEdit::~TzqInplaceDropDownEdit()
{
    BeforeDestruction();
    if (HandleAllocated() && GetCapture() == Handle())
        ReleaseCapture();
}

const TzqInplaceEditClass& TzqInplaceDropDownEdit::StaticClass()
{
    static const TzqInplaceDropDownEditClass instance;
    return instance;
}

const TzqInplaceEditClass& TzqInplaceDropDownEdit::EditClass() const
{
    return StaticClass();
}

void TzqInplaceDropDownEdit::SetDropDownRows(int Value)
{
    m_dropDownRows = std::max(1, Value);
}

void TzqInplaceDropDownEdit::SetDropDownWidth(int Value)
{
    m_dropDownWidth = std::max(0, Value);
}

void TzqInplaceDropDownEdit::SetPopupBorder(TzqPopupBorder Value)
{
    if (IsValidOrdinal(Value))
        m_popupBorder = Value;
}

TzqPopupBorder TzqInplaceDropDownEdit::ResolvedPopupBorder()
{
    if (m_popupBorder != TzqPopupBorder::pbDefault)
        return m_popupBorder;
    const TzqEditBorderStyle border = Style()->BorderStyle();
    if (Container())
        return Container()->GetPopupBorder(border);
    switch (border) {
    case TzqEditBorderStyle::xbsSingle:
    case TzqEditBorderStyle::xbs3D:
        return TzqPopupBorder::pbSingle;
    case TzqEditBorderStyle::xbsFlat:
        return TzqPopupBorder::pbFlat;
    default:
        return TzqPopupBorder::pbFrame3D;
    }
}

void TzqInplaceDropDownEdit::SetButtonGlyph(const TBitmap* Value)
{
    if (!Value || Value->Empty()) {
        m_glyph.reset();
    } else {
        m_glyph = std::make_unique<TBitmap>();
        m_glyph->Assign(*Value);
    }
    StyleChanged();
}

// ---- Buttons ----

void TzqInplaceDropDownEdit::CalcButtons(TzqDropDownEditViewData& ViewData)
{
    ViewData.ButtonCount = 1;
    ViewData.HideButtons = Style()->ButtonTransparence() == TzqEditButtonTransparence::ebtHideInactive &&
                           !ViewData.Focused && !Hot();
    ViewData.Glyph = m_glyph.get();
    TzqEditButtonViewInfo& button = ViewData.Buttons[0];
    button.Kind = m_glyph ? TzqEditButtonKind::bkGlyph : TzqEditButtonKind::bkDown;
    button.Glyph = m_glyph.get();
    button.LeftAligned = false;
    button.Pressed = m_pressedButton == 0;
    button.Width = GetButtonWidth(ViewData, 0);
    ViewData.HotButton = m_hotButton;
    ViewData.PressedButton = m_pressedButton;
}

int TzqInplaceDropDownEdit::GetButtonWidth(const TzqDropDownEditViewData& ViewData, int Index)
{
    const bool flatOrSimple = ViewData.ButtonStyle == TzqEditButtonViewStyle::btsFlat ||
                              ViewData.ButtonStyle == TzqEditButtonViewStyle::btsSimple;
    const TzqEditButtonViewInfo& button = ViewData.Buttons[size_t(std::clamp(Index, 0, 7))];
    if (button.Kind == TzqEditButtonKind::bkGlyph && button.Glyph && !button.Glyph->Empty()) {
        int width = button.Glyph->Width() + 2;
        if (flatOrSimple)
            width += 1;
        else if (ViewData.ButtonStyle == TzqEditButtonViewStyle::bts3D)
            width += 2;
        return width;
    }
    return GetSystemMetrics(SM_CXVSCROLL) - (flatOrSimple ? 1 : 0);
}

std::unique_ptr<TzqEditViewData> TzqInplaceDropDownEdit::CreateViewData(bool IsPaintCopy)
{
    std::unique_ptr<TzqEditViewData> data = TzqInplaceMaskEdit::CreateViewData(IsPaintCopy);
    if (auto* dropDown = dynamic_cast<TzqDropDownEditViewData*>(data.get()))
        CalcButtons(*dropDown);
    return data;
}

void TzqInplaceDropDownEdit::CurrentViewInfo(TzqDropDownEditViewData*& Data, TzqEditViewInfo& Info,
                                             std::unique_ptr<TzqEditViewData>& Holder)
{
    Holder = CreateViewData(false);
    Data = dynamic_cast<TzqDropDownEditViewData*>(Holder.get());
    if (HandleAllocated()) {
        const TRect window = WindowRect(Handle());
        Holder->Bounds = TRect(0, 0, window.Width(), window.Height());
    }
    EditClass().CalcViewInfo(*Holder, false, Info);
}

void TzqInplaceDropDownEdit::RepaintButtons()
{
    if (HandleAllocated())
        RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

void TzqInplaceDropDownEdit::SetHotButton(int Index)
{
    if (m_hotButton == Index)
        return;
    m_hotButton = Index;
    RepaintButtons();
}

void TzqInplaceDropDownEdit::ReleasePressedButton()
{
    if (m_pressedButton < 0)
        return;
    m_pressedButton = -1;
    if (HandleAllocated() && GetCapture() == Handle())
        ReleaseCapture();
    RepaintButtons();
}

// ---- Operations ----

void TzqInplaceDropDownEdit::PositionPopup(TWinControl* Control, bool KeepWidth)
{
    if (!Control || !HandleAllocated())
        return;
    TRect r = WindowRect(Handle());
    std::unique_ptr<TzqEditViewData> data = CreateViewData(false);
    data->Bounds = TRect(0, 0, r.Width(), r.Height());
    TzqEditViewInfo info;
    // The area inside the editor's frame, buttons included.
    EditClass().TzqInplaceEditClass::CalcViewInfo(*data, false, info);
    const int left = r.Left;
    r.Left = left + info.ClientRect.Left;
    r.Right = left + info.ClientRect.Right;
    int width = r.Width();
    if (KeepWidth)
        width = std::max(width, Control->Width());
    if (data->BorderStyle == TzqEditBorderStyle::xbsSingle || data->BorderStyle == TzqEditBorderStyle::xbsNone)
        --r.Bottom;
    TPoint pos;
    switch (m_popupAlignment) {
    case TAlignment::taRightJustify:
        pos.X = r.Right - width;
        break;
    case TAlignment::taCenter:
        pos.X = r.Left + (r.Width() - width) / 2;
        break;
    default:
        pos.X = r.Left;
        break;
    }
    pos.Y = r.Bottom;
    AdjustPopupPosition(pos, width, Control->Height(), r.Height());
    Control->SetBounds(pos.X, pos.Y, width, Control->Height());
}

void TzqInplaceDropDownEdit::CloseUp(bool) {}

void TzqInplaceDropDownEdit::ButtonDown(bool FromText, int Index)
{
    if (HandleAllocated() && GetFocus() != Handle())
        ::SetFocus(Handle());
    if (!HandleAllocated() || GetFocus() != Handle())
        return;
    if (!FromText) {
        // A second press on the button of an open drop-down closes it.
        const bool wasOpen = m_droppedDown;
        if (wasOpen)
            CloseUp(false);
        m_pressedButton = Index;
        SetCapture(Handle());
        RepaintButtons();
        if (wasOpen)
            return;
    }
    if (!m_droppedDown)
        PostMessage(Handle(), ZQM_DROPDOWN);
}

void TzqInplaceDropDownEdit::ButtonClick(int) {}

void TzqInplaceDropDownEdit::DoCloseUp(std::string& Value, bool& Accept)
{
    if (OnCloseUp)
        OnCloseUp(this, Value, Accept);
}

void TzqInplaceDropDownEdit::HandleDropDownKey(WORD& Key, TShiftState Shift)
{
    const bool alt = Shift.contains(TShiftStateFlag::ssAlt);
    if (((Key == VK_DOWN || Key == VK_UP) && alt) || (Key == VK_F4 && !alt)) {
        if (m_droppedDown)
            CloseUp(true);
        else
            DropDown();
        Key = 0;
        return;
    }
    if (m_droppedDown && !alt && (Key == VK_RETURN || Key == VK_ESCAPE)) {
        if (Key == VK_RETURN && HandleAllocated())
            RemovePendingMessage(Handle(), WM_CHAR);
        CloseUp(Key == VK_RETURN);
        Key = 0;
    }
}

void TzqInplaceDropDownEdit::Step(int, bool) {}

void TzqInplaceDropDownEdit::DropDown() {}

void TzqInplaceDropDownEdit::DoDropDown()
{
    if (OnDropDownNotify)
        OnDropDownNotify(this);
    if (OnDropDown)
        OnDropDown(this);
}

void TzqInplaceDropDownEdit::SearchText(const std::string&) {}

bool TzqInplaceDropDownEdit::HandlesMouseWheel()
{
    return true;
}

void TzqInplaceDropDownEdit::HostMouseDown(int X, int Y)
{
    if (!HandleAllocated() || !Parent() || !Parent()->HandleAllocated())
        return;
    TPoint screen(X, Y);
    ::ClientToScreen(Parent()->Handle(), screen);
    TzqDropDownEditViewData* data = nullptr;
    TzqEditViewInfo info;
    std::unique_ptr<TzqEditViewData> holder;
    CurrentViewInfo(data, info, holder);
    const int index =
        data ? TzqInplaceDropDownEditClass::ButtonAt(info, *data, screen - WindowRect(Handle()).TopLeft()) : -1;
    if (index < 0)
        return;
    m_hotButton = index;
    ButtonDown(false, index);
}

void TzqInplaceDropDownEdit::HostClick()
{
    if (ImmediateDrop() && !m_droppedDown)
        DropDown();
}

void TzqInplaceDropDownEdit::AfterShow()
{
    TzqInplaceMaskEdit::AfterShow();
    if (m_immediatePopup && !m_droppedDown)
        DropDown();
}

void TzqInplaceDropDownEdit::HandleKillFocus(TMessage& Message)
{
    ReleasePressedButton();
    TzqInplaceMaskEdit::HandleKillFocus(Message);
    if (m_droppedDown)
        CloseUp(false);
}

// ---- Keys ----

void TzqInplaceDropDownEdit::KeyDown(WORD& Key, TShiftState Shift)
{
    HandleDropDownKey(Key, Shift);
    if (Key == 0)
        return;
    TzqInplaceMaskEdit::KeyDown(Key, Shift);
}

void TzqInplaceDropDownEdit::KeyPress(char32_t& Key)
{
    TzqInplaceMaskEdit::KeyPress(Key);
}

bool TzqInplaceDropDownEdit::RouteKeyToDropDown(TMessage& Message)
{
    TWinControl* target = m_dropDownWindow;
    if (!m_droppedDown || !m_popupKeys || !target || !target->HandleAllocated())
        return false;
    const bool isKeyDown = Message.Msg == WM_KEYDOWN || Message.Msg == WM_SYSKEYDOWN;
    if (isKeyDown) {
        // The keys that open and close the drop-down come first.
        WORD key = WORD(Message.WParam);
        HandleDropDownKey(key, KeyDataToShiftState(Message.LParam));
        if (key == 0 || !m_droppedDown) {
            Message.Result = 0;
            return true;
        }
    }
    if (!m_incrementalKeys) {
        if (isKeyDown || Message.Msg == WM_CHAR) {
            Message.Result = SendMessage(target->Handle(), Message.Msg == WM_SYSKEYDOWN ? WM_KEYDOWN : Message.Msg,
                                         Message.WParam, Message.LParam);
            return true;
        }
        return false;
    }
    if (Message.Msg == WM_CHAR)
        return false; // typed into the text, then searched for
    if (!isKeyDown)
        return false;
    switch (WORD(Message.WParam)) {
    case VK_BACK:
    case VK_DELETE:
        return false;
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_RIGHT:
        if (IsNativeEdit())
            return false;
        [[fallthrough]];
    case VK_PRIOR:
    case VK_NEXT:
    case VK_UP:
    case VK_DOWN:
        Message.Result = SendMessage(target->Handle(), WM_KEYDOWN, Message.WParam, Message.LParam);
        return true;
    case VK_F4:
        // Alt+F4 keeps its meaning for the window.
        return false;
    default:
        Message.Result = 0;
        return true;
    }
}

// ---- Messages ----

void TzqInplaceDropDownEdit::HitTest(TMessage& Message)
{
    TzqInplaceMaskEdit::WndProc(Message);
    if (Message.Result == HTCLIENT || Message.Result == HTNOWHERE) {
        if (Message.Result == HTCLIENT)
            SetHotButton(-1);
        return;
    }
    TzqDropDownEditViewData* data = nullptr;
    TzqEditViewInfo info;
    std::unique_ptr<TzqEditViewData> holder;
    CurrentViewInfo(data, info, holder);
    const TPoint p = PointFromLParam(Message.LParam) - WindowRect(Handle()).TopLeft();
    const int index = data ? TzqInplaceDropDownEditClass::ButtonAt(info, *data, p) : -1;
    SetHotButton(index);
    Message.Result = HTBORDER;
}

void TzqInplaceDropDownEdit::NonClientButtonDown(TMessage& Message)
{
    TzqDropDownEditViewData* data = nullptr;
    TzqEditViewInfo info;
    std::unique_ptr<TzqEditViewData> holder;
    CurrentViewInfo(data, info, holder);
    const TPoint p = PointFromLParam(Message.LParam) - WindowRect(Handle()).TopLeft();
    const int index = data ? TzqInplaceDropDownEditClass::ButtonAt(info, *data, p) : -1;
    Message.Result = 0;
    if (index < 0)
        return;
    m_hotButton = index;
    ButtonDown(false, index);
}

bool TzqInplaceDropDownEdit::PassPressToDropDown(TMessage& Message)
{
    const bool buttonHeld = m_pressedButton >= 0 || (ImmediateDrop() && (Message.WParam & MK_LBUTTON));
    if (!m_droppedDown || !buttonHeld || !m_dropDownWindow || !m_dropDownWindow->HandleAllocated())
        return false;
    const TPoint screen = ClientToScreen(PointFromLParam(Message.LParam));
    if (!WindowRect(m_dropDownWindow->Handle()).Contains(screen))
        return false;
    HWND under = WindowFromPoint(screen);
    if (!under || (under != m_dropDownWindow->Handle() && !IsChild(m_dropDownWindow->Handle(), under)))
        return false;
    ReleasePressedButton();
    if (GetCapture() == Handle())
        ReleaseCapture();
    TPoint local = screen;
    ::ScreenToClient(under, local);
    SendMessage(under, WM_LBUTTONDOWN, MK_LBUTTON, LParamFromPoint(local));
    return true;
}

void TzqInplaceDropDownEdit::ButtonUp(TMessage& Message)
{
    const int index = m_pressedButton;
    ReleasePressedButton();
    TzqDropDownEditViewData* data = nullptr;
    TzqEditViewInfo info;
    std::unique_ptr<TzqEditViewData> holder;
    CurrentViewInfo(data, info, holder);
    // The release point in window coordinates (the message has client ones).
    const TPoint screen = ClientToScreen(PointFromLParam(Message.LParam));
    const TPoint p = screen - WindowRect(Handle()).TopLeft();
    if (data && TzqInplaceDropDownEditClass::ButtonAt(info, *data, p) == index)
        ButtonClick(index);
}

void TzqInplaceDropDownEdit::MouseWheel(TMessage& Message)
{
    const int delta = static_cast<int16_t>(HiWord(Message.WParam));
    Message.Result = 1;
    if (m_droppedDown && m_dropDownWindow && m_dropDownWindow->HandleAllocated()) {
        SendMessage(m_dropDownWindow->Handle(), WM_VSCROLL, delta > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
        return;
    }
    if (delta != 0)
        Step(delta > 0 ? -1 : 1, false);
}

void TzqInplaceDropDownEdit::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_NCHITTEST:
        HitTest(Message);
        return;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        NonClientButtonDown(Message);
        return;
    case WM_NCMOUSEMOVE:
        // The pointer over the border: told when it leaves, to let go of the hot button.
        if (!m_trackingLeave && HandleAllocated()) {
            TRACKMOUSEEVENT tme;
            tme.dwFlags = TME_LEAVE;
            tme.hwndTrack = Handle();
            m_trackingLeave = TrackMouseEvent(tme);
        }
        break;
    case WM_MOUSELEAVE:
        m_trackingLeave = false;
        SetHotButton(-1);
        break;
    case WM_MOUSEMOVE:
        if (PassPressToDropDown(Message))
            return;
        if (m_pressedButton >= 0) {
            Message.Result = 0;
            return;
        }
        break;
    case WM_LBUTTONUP:
        if (m_pressedButton >= 0) {
            ButtonUp(Message);
            Message.Result = 0;
            return;
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        TzqInplaceMaskEdit::WndProc(Message);
        if (ImmediateDrop())
            ButtonDown(true, -1);
        return;
    case WM_CANCELMODE:
    case WM_CAPTURECHANGED:
        if (m_pressedButton >= 0 && (Message.Msg == WM_CANCELMODE || !HandleAllocated() ||
                                     reinterpret_cast<HWND>(Message.LParam) != Handle())) {
            m_pressedButton = -1;
            RepaintButtons();
        }
        break;
    case WM_MOUSEWHEEL:
        MouseWheel(Message);
        return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_CHAR: {
        if (RouteKeyToDropDown(Message))
            return;
        const std::string before = m_droppedDown && m_incrementalKeys ? Text() : std::string();
        const bool searching = m_droppedDown && m_incrementalKeys &&
                               (Message.Msg == WM_CHAR || Message.WParam == VK_BACK || Message.WParam == VK_DELETE);
        TzqInplaceMaskEdit::WndProc(Message);
        if (searching && m_droppedDown && Text() != before)
            SearchText(Text());
        return;
    }
    case WM_GETDLGCODE:
        TzqInplaceMaskEdit::WndProc(Message);
        Message.Result |= DLGC_WANTALLKEYS;
        return;
    case ZQM_DROPDOWN:
        if (!m_droppedDown)
            DropDown();
        Message.Result = 0;
        return;
    case ZQM_CLOSEUP:
        m_droppedDown = false;
        Message.Result = 0;
        return;
    default:
        break;
    }
    TzqInplaceMaskEdit::WndProc(Message);
}
