#include "platform/controls/ListBox.h"

#include "platform/controls/TextMeasure.h"
#include "platform/core/Utf8.h"
#include "platform/core/VirtualKeys.h"
#include "platform/drawing/Canvas.h"
#include "platform/window/WinApi.h"

#include <algorithm>

// The list box's items: every change updates the list box.
class TListBoxStrings : public TStringList {
public:
    explicit TListBoxStrings(TCustomListBox* owner) : m_owner(owner) {}
    uint32_t Bits(int index) const { return ItemState(index); }
    void SetBits(int index, uint32_t bits) { SetItemState(index, bits); }

protected:
    void Changed() override
    {
        if (UpdateCount() == 0)
            m_owner->ListChanged();
        TStringList::Changed();
    }

private:
    TCustomListBox* m_owner;
};

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TCustomControl(AOwner), m_items(std::make_unique<TListBoxStrings>(this))
{
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
    m_controlStyle.exclude(TControlStyleFlag::csClickEvents);
    m_controlStyle.include(TControlStyleFlag::csOpaque);
}

TCustomListBox::~TCustomListBox() = default;

void TCustomListBox::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.WinClassName = "TListBox";
    Params.Style |= WS_VSCROLL;
    if (Ctl3D())
        Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
        Params.Style |= WS_BORDER;
}

void TCustomListBox::WindowCreated()
{
    TCustomControl::WindowCreated();
    UpdateScrollBar();
}

TStrings* TCustomListBox::Items() const
{
    return m_items.get();
}

void TCustomListBox::SetItems(const TStrings& value)
{
    m_items->Assign(value);
}

int TCustomListBox::Count() const
{
    return m_items->Count();
}

void TCustomListBox::Clear()
{
    m_items->Clear();
}

bool TCustomListBox::Sorted() const
{
    return m_items->Sorted();
}

void TCustomListBox::SetSorted(bool value)
{
    m_items->SetSorted(value);
}

uint32_t TCustomListBox::ItemBits(int index) const
{
    return m_items->Bits(index);
}

void TCustomListBox::SetItemBits(int index, uint32_t bits)
{
    m_items->SetBits(index, bits);
}

void TCustomListBox::ListChanged()
{
    // Selection and focus travel with their items: find them again.
    m_itemIndex = -1;
    for (int i = 0; i < Count(); ++i)
        if (ItemBits(i) & kCaretBit) {
            m_itemIndex = i;
            break;
        }
    if (m_anchor >= Count())
        m_anchor = -1;
    m_heightsValid = false;
    m_topIndex = std::clamp(m_topIndex, 0, MaxTopIndex());
    UpdateScrollBar();
    Invalidate();
    ItemsChanged();
}

// ---- Heights and scrolling ----

int TCustomListBox::ItemHeight() const
{
    return m_itemHeight > 0 ? m_itemHeight : FontLineHeight(*Font());
}

void TCustomListBox::SetItemHeight(int value)
{
    value = std::max(0, value);
    if (value == m_itemHeight)
        return;
    m_itemHeight = value;
    m_heightsValid = false;
    UpdateScrollBar();
    Invalidate();
}

void TCustomListBox::SetStyle(TListBoxStyle value)
{
    if (value == m_style)
        return;
    m_style = value;
    m_heightsValid = false;
    UpdateScrollBar();
    Invalidate();
}

void TCustomListBox::FontChanged()
{
    TCustomControl::FontChanged();
    m_heightsValid = false;
    UpdateScrollBar();
}

void TCustomListBox::Resize()
{
    TCustomControl::Resize();
    m_topIndex = std::clamp(m_topIndex, 0, MaxTopIndex());
    UpdateScrollBar();
}

void TCustomListBox::MeasureItem(int Index, int& Height)
{
    if (OnMeasureItem)
        OnMeasureItem(this, Index, Height);
}

void TCustomListBox::UpdateHeights()
{
    if (m_heightsValid && static_cast<int>(m_heights.size()) == Count())
        return;
    const int fixed = std::max(1, ItemHeight());
    m_heights.assign(static_cast<size_t>(Count()), fixed);
    if (m_style == TListBoxStyle::lbOwnerDrawVariable)
        for (int i = 0; i < Count(); ++i) {
            int h = fixed;
            MeasureItem(i, h);
            // A zero or negative height would make items impossible to reach.
            m_heights[static_cast<size_t>(i)] = std::clamp(h, 1, 255);
        }
    m_heightsValid = true;
}

int TCustomListBox::HeightOf(int index)
{
    UpdateHeights();
    return m_heights[static_cast<size_t>(index)];
}

int TCustomListBox::MaxTopIndex()
{
    const int clientH = ClientHeight();
    int used = 0;
    int top = Count();
    while (top > 0 && used + HeightOf(top - 1) <= clientH) {
        used += HeightOf(top - 1);
        --top;
    }
    // An item taller than the window may still be scrolled to.
    if (top == Count() && top > 0)
        --top;
    return top;
}

int TCustomListBox::VisibleCount()
{
    int n = 0, y = 0;
    for (int i = m_topIndex; i < Count(); ++i) {
        y += HeightOf(i);
        if (y > ClientHeight())
            break;
        ++n;
    }
    return std::max(1, n);
}

void TCustomListBox::UpdateScrollBar()
{
    if (!HandleAllocated())
        return;
    const int maxTop = MaxTopIndex();
    SCROLLINFO si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMin = 0;
    si.nMax = std::max(0, Count() - 1);
    si.nPage = static_cast<UINT>(std::max(1, Count() - maxTop));
    si.nPos = m_topIndex;
    SetScrollInfo(Handle(), SB_VERT, si, true);
}

void TCustomListBox::SetTopIndex(int value)
{
    value = std::clamp(value, 0, MaxTopIndex());
    if (value == m_topIndex)
        return;
    m_topIndex = value;
    UpdateScrollBar();
    Invalidate();
}

void TCustomListBox::MakeVisible(int index)
{
    if (index < 0 || index >= Count())
        return;
    if (index < m_topIndex) {
        SetTopIndex(index);
        return;
    }
    // Scroll down until the item's bottom is inside the client area.
    int top = m_topIndex;
    auto bottomOf = [&](int t) {
        int y = 0;
        for (int i = t; i <= index; ++i)
            y += HeightOf(i);
        return y;
    };
    while (top < index && bottomOf(top) > ClientHeight())
        ++top;
    SetTopIndex(top);
}

void TCustomListBox::Scroll(int code)
{
    SCROLLINFO si;
    si.fMask = SIF_ALL;
    GetScrollInfo(Handle(), SB_VERT, si);
    switch (code) {
    case SB_LINEUP:
        SetTopIndex(m_topIndex - 1);
        break;
    case SB_LINEDOWN:
        SetTopIndex(m_topIndex + 1);
        break;
    case SB_PAGEUP:
        SetTopIndex(m_topIndex - std::max(1, VisibleCount() - 1));
        break;
    case SB_PAGEDOWN:
        SetTopIndex(m_topIndex + std::max(1, VisibleCount() - 1));
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        SetTopIndex(si.nTrackPos);
        break;
    case SB_TOP:
        SetTopIndex(0);
        break;
    case SB_BOTTOM:
        SetTopIndex(Count());
        break;
    default:
        break;
    }
}

bool TCustomListBox::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
    if (TCustomControl::DoMouseWheel(Shift, WheelDelta, MousePos))
        return true;
    SetTopIndex(m_topIndex - WheelDelta / 120 * 3);
    return true;
}

TRect TCustomListBox::ItemRect(int index)
{
    if (index < m_topIndex || index >= Count())
        return TRect();
    int y = 0;
    for (int i = m_topIndex; i < index; ++i) {
        y += HeightOf(i);
        if (y >= ClientHeight())
            return TRect();
    }
    return TRect(0, y, ClientWidth(), y + HeightOf(index));
}

int TCustomListBox::ItemAtPos(TPoint pos, bool existing)
{
    if (pos.X < 0 || pos.X >= ClientWidth() || pos.Y < 0) {
        if (existing)
            return -1;
    }
    int y = 0;
    for (int i = m_topIndex; i < Count(); ++i) {
        const int h = HeightOf(i);
        if (pos.Y >= y && pos.Y < y + h)
            return i;
        y += h;
    }
    return existing ? -1 : Count() - 1;
}

// ---- Selection ----

void TCustomListBox::SetCaret(int index)
{
    for (int i = 0; i < Count(); ++i)
        SetItemBits(i, ItemBits(i) & ~kCaretBit);
    if (index >= 0 && index < Count())
        SetItemBits(index, ItemBits(index) | kCaretBit);
    m_itemIndex = index >= 0 && index < Count() ? index : -1;
}

void TCustomListBox::SetItemIndex(int value)
{
    if (value < -1 || value >= Count())
        value = -1;
    if (!m_multiSelect) {
        for (int i = 0; i < Count(); ++i)
            SetItemBits(i, ItemBits(i) & ~kSelectedBit);
        if (value >= 0)
            SetItemBits(value, ItemBits(value) | kSelectedBit);
    }
    SetCaret(value);
    m_anchor = value;
    if (value >= 0)
        MakeVisible(value);
    Invalidate();
}

void TCustomListBox::SetMultiSelect(bool value)
{
    if (value == m_multiSelect)
        return;
    m_multiSelect = value;
    // Back to one selection: the focused item keeps it.
    if (!value)
        SetItemIndex(m_itemIndex);
}

bool TCustomListBox::Selected(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return (ItemBits(index) & kSelectedBit) != 0;
}

void TCustomListBox::SetSelected(int index, bool value)
{
    if (index < 0 || index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    if (!m_multiSelect) {
        if (value)
            SetItemIndex(index);
        else if (index == m_itemIndex)
            SetItemIndex(-1);
        return;
    }
    SetItemBits(index, value ? ItemBits(index) | kSelectedBit : ItemBits(index) & ~kSelectedBit);
    Invalidate();
}

int TCustomListBox::SelCount() const
{
    int n = 0;
    for (int i = 0; i < Count(); ++i)
        if (ItemBits(i) & kSelectedBit)
            ++n;
    return n;
}

void TCustomListBox::SelectAll()
{
    if (!m_multiSelect)
        return;
    for (int i = 0; i < Count(); ++i)
        SetItemBits(i, ItemBits(i) | kSelectedBit);
    Invalidate();
}

void TCustomListBox::ClearSelection()
{
    if (!m_multiSelect) {
        SetItemIndex(-1);
        return;
    }
    for (int i = 0; i < Count(); ++i)
        SetItemBits(i, ItemBits(i) & ~kSelectedBit);
    Invalidate();
}

void TCustomListBox::SelectRange(int from, int to, bool keepOthers)
{
    if (from > to)
        std::swap(from, to);
    for (int i = 0; i < Count(); ++i) {
        const bool inRange = i >= from && i <= to;
        uint32_t bits = ItemBits(i);
        if (inRange)
            bits |= kSelectedBit;
        else if (!keepOthers)
            bits &= ~kSelectedBit;
        SetItemBits(i, bits);
    }
}

std::vector<uint32_t> TCustomListBox::SelectionSnapshot() const
{
    std::vector<uint32_t> bits;
    bits.reserve(static_cast<size_t>(Count()));
    for (int i = 0; i < Count(); ++i)
        bits.push_back(ItemBits(i) & (kSelectedBit | kCaretBit));
    return bits;
}

bool TCustomListBox::SelectionSnapshotDiffers(const std::vector<uint32_t>& before) const
{
    return SelectionSnapshot() != before;
}

void TCustomListBox::SelectByUser(int index, TShiftState Shift)
{
    if (index < 0 || index >= Count())
        return;
    const std::vector<uint32_t> before = SelectionSnapshot();
    if (!m_multiSelect) {
        SetItemIndex(index);
    } else {
        const bool ctrl = Shift.contains(TShiftStateFlag::ssCtrl);
        if (Shift.contains(TShiftStateFlag::ssShift) && m_anchor >= 0) {
            SelectRange(m_anchor, index, ctrl);
        } else if (ctrl) {
            SetItemBits(index, ItemBits(index) ^ kSelectedBit);
            m_anchor = index;
        } else {
            SelectRange(index, index, false);
            m_anchor = index;
        }
        SetCaret(index);
        MakeVisible(index);
        Invalidate();
    }
    if (SelectionSnapshotDiffers(before))
        Click();
}

// ---- Painting ----

void TCustomListBox::DrawItem(int Index, TRect Rect, TOwnerDrawState State)
{
    TCanvas* c = Canvas();
    if (OnDrawItem && m_style != TListBoxStyle::lbStandard) {
        OnDrawItem(this, Index, Rect, State);
        return;
    }
    c->FillRect(Rect);
    TRect text = Rect;
    text.Left += 2;
    c->DrawText(m_items->Strings(Index), text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void TCustomListBox::Paint()
{
    TCanvas* c = Canvas();
    const TRect client = ClientRect();
    int y = 0;
    for (int i = m_topIndex; i < Count() && y < client.Bottom; ++i) {
        const TRect r(0, y, client.Right, y + HeightOf(i));
        TOwnerDrawState state;
        const bool selected = (ItemBits(i) & kSelectedBit) != 0;
        if (selected)
            state.include(TOwnerDrawStateFlag::odSelected);
        if (!Enabled())
            state.include(TOwnerDrawStateFlag::odDisabled);
        const bool focusedItem = Focused() && i == m_itemIndex;
        if (focusedItem)
            state.include(TOwnerDrawStateFlag::odFocused);
        c->Font()->Assign(*Font());
        c->Brush()->SetColor(selected ? clHighlight : Color());
        if (selected)
            c->Font()->SetColor(clHighlightText);
        else if (!Enabled())
            c->Font()->SetColor(clGrayText);
        c->SetBkMode(TRANSPARENT);
        DrawItem(i, r, state);
        if (focusedItem) {
            c->SetTextColor(clBlack);
            c->SetBkColor(clWhite);
            c->DrawFocusRect(r);
        }
        y = r.Bottom;
    }
    if (y < client.Bottom)
        FillRectColor(c, TRect(0, y, client.Right, client.Bottom), Color());
}

// ---- Keyboard and mouse ----

void TCustomListBox::KeyDown(WORD& Key, TShiftState Shift)
{
    TCustomControl::KeyDown(Key, Shift);
    if (Count() == 0)
        return;
    const int page = std::max(1, VisibleCount() - 1);
    const int current = m_itemIndex;
    int target;
    switch (Key) {
    case VK_UP:
        target = current < 0 ? 0 : current - 1;
        break;
    case VK_DOWN:
        target = current < 0 ? 0 : current + 1;
        break;
    case VK_HOME:
        target = 0;
        break;
    case VK_END:
        target = Count() - 1;
        break;
    case VK_PRIOR:
        target = current - page;
        break;
    case VK_NEXT:
        target = current + page;
        break;
    case VK_SPACE:
        if (m_multiSelect && current >= 0) {
            SelectByUser(current, TShiftState{TShiftStateFlag::ssCtrl});
            Key = 0;
        }
        return;
    default:
        return;
    }
    Key = 0;
    target = std::clamp(target, 0, Count() - 1);
    // Without Shift a multiple selection moves like a single one.
    SelectByUser(target, Shift - TShiftStateFlag::ssCtrl);
}

void TCustomListBox::KeyPress(char32_t& Key)
{
    TCustomControl::KeyPress(Key);
    if (Key < 0x20 || Count() == 0)
        return;
    // The next item (after the focused one, round the end) starting with the letter.
    const char32_t wanted = ToLowerChar(Key);
    for (int step = 1; step <= Count(); ++step) {
        const int i = (std::max(m_itemIndex, -1) + step) % Count();
        const std::u32string text = Utf8ToUtf32(m_items->Strings(i));
        if (!text.empty() && ToLowerChar(text[0]) == wanted) {
            SelectByUser(i, {});
            break;
        }
    }
    Key = 0;
}

void TCustomListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == TMouseButton::mbLeft) {
        if (CanFocus() && !Focused())
            SetFocus();
        const int index = ItemAtPos({X, Y}, true);
        if (index >= 0 && !Shift.contains(TShiftStateFlag::ssDouble))
            SelectByUser(index, Shift);
        m_tracking = true;
    }
    TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomListBox::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    if (!m_tracking || Count() == 0)
        return;
    // Dragging past an edge scrolls one item at a time.
    if (Y < 0 && m_topIndex > 0)
        SetTopIndex(m_topIndex - 1);
    else if (Y >= ClientHeight() && m_topIndex < MaxTopIndex())
        SetTopIndex(m_topIndex + 1);
    const int y = std::clamp(Y, 0, std::max(0, ClientHeight() - 1));
    const int index = ItemAtPos({std::clamp(X, 0, std::max(0, ClientWidth() - 1)), y}, false);
    if (index >= 0 && index != m_itemIndex)
        SelectByUser(index, m_multiSelect ? TShiftState{TShiftStateFlag::ssShift} : TShiftState{});
}

void TCustomListBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Button == TMouseButton::mbLeft)
        m_tracking = false;
    TCustomControl::MouseUp(Button, Shift, X, Y);
}

void TCustomListBox::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_GETDLGCODE:
        Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
        return;
    case WM_VSCROLL:
        Scroll(LoWord(Message.WParam));
        return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TCustomControl::WndProc(Message);
        Invalidate();
        return;
    case WM_CANCELMODE:
        m_tracking = false;
        break;
    case WM_ERASEBKGND:
        Message.Result = 1;
        return;
    default:
        break;
    }
    TCustomControl::WndProc(Message);
}
