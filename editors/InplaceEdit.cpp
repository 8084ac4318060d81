// TzqInplaceEdit: value, undo point, validation, keys, showing over a cell and the view
// data. Window messages are handled in InplaceEditMessages.cpp, the class-level drawing
// in InplaceEditClass.cpp.
#include "editors/InplaceEdit.h"

#include "editors/CustomzqContainer.h"
#include "editors/EditErrors.h"
#include "editors/EditStyleController.h"
#include "editors/SharedBrushes.h"
#include "platform/core/VirtualKeys.h"
#include "platform/drawing/Region.h"
#include "platform/window/WinApi.h"

namespace {

// Keeps the key lock raised while a key is handed to the host, however that ends.
class TKeyLock {
public:
    explicit TKeyLock(int32_t& counter) : m_counter(counter) { ++m_counter; }
    ~TKeyLock() { --m_counter; }
    TKeyLock(const TKeyLock&) = delete;
    TKeyLock& operator=(const TKeyLock&) = delete;

private:
    int32_t& m_counter;
};

// Keys whose press leaves the value: it is checked first.
bool IsValidatingKey(WORD key)
{
    switch (key) {
    case VK_TAB:
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_UP:
    case VK_DOWN:
    case VK_INSERT:
        return true;
    default:
        return false;
    }
}

bool HasShiftKey(TShiftState shift)
{
    return shift.contains(TShiftStateFlag::ssShift) || shift.contains(TShiftStateFlag::ssAlt) ||
           shift.contains(TShiftStateFlag::ssCtrl);
}

// Navigation keys the host handles instead of the editor.
bool IsForwardedKey(WORD key, TShiftState shift)
{
    switch (key) {
    case VK_TAB:
        return !shift.contains(TShiftStateFlag::ssAlt);
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_UP:
    case VK_DOWN:
        return true;
    case VK_INSERT:
        return !HasShiftKey(shift);
    default:
        return false;
    }
}

} // namespace

TzqInplaceEdit::TzqInplaceEdit(TComponent* AOwner) : TWinControl(AOwner)
{
    m_container = dynamic_cast<TCustomzqContainer*>(AOwner);
    m_style = m_container ? m_container->CreateEditStyle(this) : EditClass().GetEditStyleClass()(this);
    // Subscribed to the default controller for the editor's whole life.
    m_defaultController = m_style->GetDefaultStyleController();
    if (m_defaultController)
        m_defaultController->AddLink(this);
    SetParentColor(false);
    SetParentCtl3D(false);
    SetCtl3D(false);
    SetTabStop(false);
    m_controlStyle.exclude(TControlStyleFlag::csSetCaption);
}

TzqInplaceEdit::~TzqInplaceEdit()
{
    BeforeDestruction();
    if (m_styleController)
        m_styleController->RemoveLink(this);
    if (m_defaultController)
        m_defaultController->RemoveLink(this);
}

const TzqInplaceEditClass& TzqInplaceEdit::StaticClass()
{
    static const TzqInplaceEditClassOf<TzqInplaceEdit> instance;
    return instance;
}

const TzqInplaceEditClass& TzqInplaceEdit::EditClass() const
{
    return StaticClass();
}

// ---- Properties ----

void TzqInplaceEdit::SetAlignment(TAlignment Value)
{
    if (m_alignment == Value)
        return;
    m_alignment = Value;
    RecreateWnd();
}

void TzqInplaceEdit::SetReadOnly(bool Value)
{
    m_readOnly = Value;
}

void TzqInplaceEdit::SetHot(bool Value)
{
    m_hot = Value;
}

void TzqInplaceEdit::SetTransparent(bool Value)
{
    if (m_transparent == Value)
        return;
    m_transparent = Value;
    Invalidate();
}

void TzqInplaceEdit::SetTextOffsets(const TRect& Value)
{
    if (m_textOffsets == Value)
        return;
    m_textOffsets = Value;
    RecreateWnd();
}

void TzqInplaceEdit::SubscribeTo(TzqEditStyleController* Controller)
{
    m_styleController = Controller;
    if (!Controller)
        return;
    Controller->AddLink(this);
    Controller->FreeNotification(this);
}

void TzqInplaceEdit::SetStyleController(TzqEditStyleController* Value)
{
    if (m_styleController == Value)
        return;
    if (m_styleController && !m_styleController->IsDestroying()) {
        m_styleController->RemoveLink(this);
        m_styleController->RemoveFreeNotification(this);
    }
    SubscribeTo(Value);
    StyleChanged();
}

void TzqInplaceEdit::Notification(TComponent* AComponent, TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == m_styleController)
        SetStyleController(nullptr);
}

// ---- The value ----

void TzqInplaceEdit::SetEditValue(const Variant& Value)
{
    SetText(Value.IsClear() ? std::string() : Value.AsString());
}

void TzqInplaceEdit::GetDisplayValue(Variant& Value, bool)
{
    Value = Variant(Text());
}

void TzqInplaceEdit::GetEditValue(Variant& Value)
{
    Value = Variant(Text());
}

void TzqInplaceEdit::GetDisplayText(std::string& Text)
{
    Text = this->Text();
}

bool TzqInplaceEdit::GetModified()
{
    return m_modified;
}

void TzqInplaceEdit::SetModified(bool Value)
{
    m_modified = Value;
}

void TzqInplaceEdit::SetTextModified(const std::string& Text)
{
    if (CanModify())
        SetText(Text);
    SetModified(true);
}

void TzqInplaceEdit::SaveUndoPoint(bool)
{
    m_savedText = Text();
    m_savedModified = GetModified();
}

void TzqInplaceEdit::RestoreUndoPoint()
{
    if (!GetModified() || !CanRestoreUndoPoint())
        return;
    SetText(m_savedText);
    SetModified(m_savedModified);
}

bool TzqInplaceEdit::CanRestoreUndoPoint()
{
    return IsNativeEdit();
}

void TzqInplaceEdit::ValidateEdit()
{
    if (!GetModified() || m_keyLock != 0)
        return;
    bool accept = true;
    std::string errorText = SzqEditInvalidInput;
    if (OnValidate)
        OnValidate(this, errorText, accept);
    if (accept)
        return;
    MessageBeep(0);
    if (HandleAllocated() && IsWindowVisible(Handle()))
        ::SetFocus(Handle());
    throw EzqEditInvalidInput(errorText);
}

// ---- Questions ----

bool TzqInplaceEdit::IsValidChar(char32_t Key)
{
    return m_container && m_container->CanEditAcceptKey(Key);
}

bool TzqInplaceEdit::CanModify()
{
    if (m_readOnly)
        return false;
    return m_container && m_container->CanEditModify();
}

bool TzqInplaceEdit::CanEditText()
{
    return !m_readOnly;
}

bool TzqInplaceEdit::IsModifyingKey(WORD Key, TShiftState Shift)
{
    const bool ctrl = Shift.contains(TShiftStateFlag::ssCtrl);
    return (ctrl && (Key == 'V' || Key == 'X')) || Key == VK_BACK || Key == VK_DELETE ||
           (Key == VK_INSERT && Shift.contains(TShiftStateFlag::ssShift));
}

bool TzqInplaceEdit::HandlesMouseWheel()
{
    return false;
}

bool TzqInplaceEdit::WantTabs()
{
    return false;
}

bool TzqInplaceEdit::IsNativeEdit()
{
    return false;
}

bool TzqInplaceEdit::IsFocused()
{
    return HandleAllocated() && GetFocus() == Handle();
}

bool TzqInplaceEdit::IsHot()
{
    return m_hot || (IsFocused() && Enabled());
}

TAlignment TzqInplaceEdit::GetDefaultAlignment()
{
    return TAlignment::taLeftJustify;
}

bool TzqInplaceEdit::GetDefaultReadOnly()
{
    return false;
}

// ---- Showing over a cell ----

void TzqInplaceEdit::ShowAt(const TRect& Rect)
{
    if (Rect.IsEmpty())
        return;
    // The 2-pixel border area lies around the cell; the client area covers it.
    SetBoundsRect(Rect.Inflate(2, 2));
    const bool wasShown = m_shown;
    Show();
    if (HandleAllocated() && GetFocus() != Handle())
        ::SetFocus(Handle());
    SelectAll();
    if (!wasShown)
        AfterShow();
}

void TzqInplaceEdit::Show()
{
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
    m_shown = true;
}

void TzqInplaceEdit::Hide()
{
    m_shown = false;
    if (!HandleAllocated())
        return;
    HWND h = Handle();
    if (IsWindowVisible(h)) {
        // The host repaints the cell under the editor, without erasing it first.
        ValidateRect(h, nullptr);
        InvalidateRect(h, nullptr, false);
        if (Parent() && Parent()->HandleAllocated()) {
            const TRect covered = BoundsRect();
            InvalidateRect(Parent()->Handle(), &covered, false);
        }
    }
    SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOREDRAW | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
}

void TzqInplaceEdit::AfterShow() {}

void TzqInplaceEdit::SelectAll() {}

void TzqInplaceEdit::MoveCaretToEnd() {}

void TzqInplaceEdit::HostMouseDown(int, int) {}

void TzqInplaceEdit::HostClick() {}

void TzqInplaceEdit::NavigateHost(bool Backward)
{
    if (m_container)
        m_container->EditNavigate(Backward);
}

void TzqInplaceEdit::RestoreDefaults()
{
    m_storedValues = 0;
    SetAlignment(GetDefaultAlignment());
    SetReadOnly(GetDefaultReadOnly());
}

// ---- Look ----

std::unique_ptr<TzqEditViewData> TzqInplaceEdit::CreateViewData(bool IsPaintCopy)
{
    std::unique_ptr<TzqEditViewData> data = EditClass().GetViewDataClass()();
    data->Enabled = Enabled();
    data->Focused = IsFocused();
    data->Hot = IsHot();
    data->BorderColor = m_style->BorderColor();
    data->BorderStyle = HotTrackedBorderStyle(m_style->BorderStyle(), data->Hot && m_style->HotTrack());
    data->ButtonStyle = ResolvedButtonStyle(m_style->ButtonStyle(), data->BorderStyle);
    const TzqEditButtonTransparence transparence = m_style->ButtonTransparence();
    data->ButtonTransparent = transparence == TzqEditButtonTransparence::ebtAlways ||
                              (transparence == TzqEditButtonTransparence::ebtInactive && !data->Hot);
    data->Edges = m_style->Edges();
    data->Shadow = m_style->Shadow();
    data->Transparent = m_transparent && !data->Focused;
    data->Bounds = TRect(0, 0, Width(), Height());
    data->TextOffsets = m_textOffsets;
    data->LayoutMode = 0;
    data->Font = Font();
    if (data->Enabled) {
        data->Brush = Brush();
        data->BkColor = ColorToRGB(Color());
        data->TextColor = ColorToRGB(Font()->Color());
    } else {
        data->Brush = DisabledEditBrush();
        data->BkColor = ColorToRGB(clBtnFace);
        data->TextColor = ColorToRGB(clBtnShadow);
    }
    data->Alignment = m_alignment;
    data->IsNativeEdit = IsNativeEdit();
    data->DataLength = 0;
    GetDisplayValue(data->Data, IsPaintCopy);
    data->Cursor = Cursor();
    return data;
}

void TzqInplaceEdit::StyleChanged()
{
    UpdateBounds();
    Invalidate();
}

void TzqInplaceEdit::FocusChanged()
{
    if (TracksHotState())
        UpdateBounds();
    if (!IsNativeEdit())
        Invalidate();
}

void TzqInplaceEdit::UpdateBounds()
{
    // A region or frame change may report a new size, which comes back here.
    if (!HandleAllocated() || m_updatingBounds)
        return;
    m_updatingBounds = true;
    struct TReset {
        bool& flag;
        ~TReset() { flag = false; }
    } reset{m_updatingBounds};
    const std::unique_ptr<TzqEditViewData> data = CreateViewData(false);
    TzqEditViewInfo info;
    EditClass().CalcViewInfo(*data, false, info);
    SetBounds(Left(), Top(), info.Bounds.Width(), info.Bounds.Height());
    // A full, thick border without a shadow covers the whole window; anything else
    // shows only the outline.
    const bool fullWindow = !data->Shadow && info.BorderWidth > 1 && data->Edges == zqAllEdges;
    if (fullWindow) {
        SetWindowRegion(Handle(), nullptr, true);
    } else {
        const TRegion outline = EditOutline(info);
        SetWindowRegion(Handle(), &outline, true);
    }
    RecalcNonClient(Handle());
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
}

bool TzqInplaceEdit::TracksHotState()
{
    return m_style->HotTrack() || m_style->ButtonTransparence() != TzqEditButtonTransparence::ebtNone;
}

void TzqInplaceEdit::Change()
{
    if (Parent())
        Parent()->Perform(CM_CHANGED, 0, reinterpret_cast<LPARAM>(this));
    if (OnChange)
        OnChange(this);
}

TBrush* TzqInplaceEdit::Brush()
{
    m_brush.SetColor(Color());
    return &m_brush;
}

// ---- Keys ----

void TzqInplaceEdit::KeyDown(WORD& Key, TShiftState Shift)
{
    if (Key == VK_ESCAPE)
        RestoreUndoPoint();
    // An invalid value raises here: the key does not leave the editor.
    if (IsValidatingKey(Key))
        ValidateEdit();
    TKeyLock lock(m_keyLock);
    if (m_container && Key != 0 && IsForwardedKey(Key, Shift)) {
        m_container->KeyDown(Key, Shift);
        Key = 0;
        return;
    }
    if (Key == VK_INSERT && Shift.contains(TShiftStateFlag::ssShift) && m_container && !m_container->CanEditModify())
        Key = 0;
    if (Key == VK_F2) {
        if (m_container)
            m_container->EditKeyDown(Key, Shift);
        if (Key == VK_F2) {
            MoveCaretToEnd();
            return;
        }
    }
    if (Key == VK_DELETE && m_container && !m_container->CanEditModify())
        Key = 0;
    if (Key == 0)
        return;
    if (m_container)
        m_container->EditKeyDown(Key, Shift);
    if (Key == 0)
        return;
    if (IsModifyingKey(Key, Shift) && CanEditText() && !CanModify()) {
        Key = 0;
        return;
    }
    TWinControl::KeyDown(Key, Shift);
}

void TzqInplaceEdit::KeyPress(char32_t& Key)
{
    if (m_container)
        m_container->KeyPress(Key);
    if (Key >= 32 && !IsValidChar(Key)) {
        MessageBeep(0);
        Key = 0;
    }
    if (Key == U'\t' && !WantTabs())
        Key = 0;
    if ((Key == U'\t' || Key >= 32) && IsNativeEdit() && !CanModify())
        Key = 0;
    if (Key == 27)
        Key = 0;
    if (Key != 0)
        TWinControl::KeyPress(Key);
}

void TzqInplaceEdit::KeyUp(WORD& Key, TShiftState Shift)
{
    if (m_container)
        m_container->KeyUp(Key, Shift);
}

void TzqInplaceEdit::DblClick()
{
    if (m_container)
        m_container->DblClick();
}

void TzqInplaceEdit::DoEnter()
{
    SaveUndoPoint(true);
    TWinControl::DoEnter();
}

void TzqInplaceEdit::DoExit()
{
    ValidateEdit();
    SaveUndoPoint(false);
    TWinControl::DoExit();
}
