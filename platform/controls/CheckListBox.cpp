#include "platform/controls/CheckListBox.h"

#include "platform/drawing/Canvas.h"
#include "platform/window/WinApi.h"

#include <algorithm>

namespace {

// The item bits past the list box's own: two for the check state, one for disabled.
constexpr uint32_t kStateShift = 2; // kItemUser is bit 2
constexpr uint32_t kStateMask = 3u << kStateShift;
constexpr uint32_t kDisabledBit = 1u << (kStateShift + 2);
constexpr int kBoxSize = 13;

void CheckIndex(const TCustomListBox* list, int index)
{
    if (index < 0 || index >= list->Count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

} // namespace

TCheckListBox::TCheckListBox(TComponent* AOwner) : TCustomListBox(AOwner)
{
    static_assert((1u << kStateShift) == kItemUser, "check bits follow the list box's own");
}

TCheckBoxState TCheckListBox::State(int index) const
{
    CheckIndex(this, index);
    return static_cast<TCheckBoxState>((ItemBits(index) & kStateMask) >> kStateShift);
}

void TCheckListBox::SetState(int index, TCheckBoxState value)
{
    CheckIndex(this, index);
    const uint32_t bits = (ItemBits(index) & ~kStateMask) | (static_cast<uint32_t>(value) << kStateShift);
    if (bits == ItemBits(index))
        return;
    SetItemBits(index, bits);
    const TRect r = CheckRect(index);
    if (HandleAllocated() && !r.IsEmpty())
        InvalidateRect(Handle(), &r, false);
}

bool TCheckListBox::ItemEnabled(int index) const
{
    CheckIndex(this, index);
    return (ItemBits(index) & kDisabledBit) == 0;
}

void TCheckListBox::SetItemEnabled(int index, bool value)
{
    CheckIndex(this, index);
    SetItemBits(index, value ? ItemBits(index) & ~kDisabledBit : ItemBits(index) | kDisabledBit);
    Invalidate();
}

TRect TCheckListBox::CheckRect(int index)
{
    const TRect item = ItemRect(index);
    if (item.IsEmpty())
        return item;
    return TRect(item.Left, item.Top, item.Left + item.Height(), item.Bottom);
}

void TCheckListBox::DrawItem(int Index, TRect Rect, TOwnerDrawState State)
{
    TCanvas* c = Canvas();
    TRect zone(Rect.Left, Rect.Top, Rect.Left + Rect.Height(), Rect.Bottom);
    FillRectColor(c, zone, Color());
    const int size = std::min(kBoxSize, zone.Height());
    TRect box = TRect::FromSize(zone.Left + (zone.Width() - size) / 2, zone.Top + (zone.Height() - size) / 2, size, size);
    unsigned state = DFCS_BUTTONCHECK | DFCS_FLAT;
    switch (this->State(Index)) {
    case TCheckBoxState::cbChecked:
        state |= DFCS_CHECKED;
        break;
    case TCheckBoxState::cbGrayed:
        state = DFCS_BUTTON3STATE | DFCS_CHECKED | DFCS_FLAT;
        break;
    default:
        break;
    }
    if (!ItemEnabled(Index) || !Enabled())
        state |= DFCS_INACTIVE;
    c->DrawFrameControl(box, DFC_BUTTON, state);
    Rect.Left = zone.Right;
    if (!ItemEnabled(Index))
        c->Font()->SetColor(clGrayText);
    TCustomListBox::DrawItem(Index, Rect, State);
}

void TCheckListBox::ToggleByUser(int index)
{
    if (index < 0 || index >= Count())
        return;
    if (!ItemEnabled(index)) {
        MessageBeep(0);
        return;
    }
    switch (State(index)) {
    case TCheckBoxState::cbUnchecked:
        SetState(index, m_allowGrayed ? TCheckBoxState::cbGrayed : TCheckBoxState::cbChecked);
        break;
    case TCheckBoxState::cbGrayed:
        SetState(index, TCheckBoxState::cbChecked);
        break;
    case TCheckBoxState::cbChecked:
        SetState(index, TCheckBoxState::cbUnchecked);
        break;
    }
    if (OnClickCheck)
        OnClickCheck(this);
}

void TCheckListBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomListBox::MouseDown(Button, Shift, X, Y);
    if (Button != TMouseButton::mbLeft)
        return;
    const int index = ItemAtPos({X, Y}, true);
    if (index >= 0 && CheckRect(index).Contains(X, Y))
        ToggleByUser(index);
}

void TCheckListBox::KeyPress(char32_t& Key)
{
    if (Key == U' ') {
        ToggleByUser(ItemIndex());
        Key = 0;
        return;
    }
    TCustomListBox::KeyPress(Key);
}
