#include "editors/CustomzqContainer.h"

#include "editors/EditStyle.h"
#include "editors/InplaceEdit.h"
#include "platform/core/Color.h"
#include "platform/window/WinApi.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Lines scrolled per notch of the wheel, the desktop's usual setting.
constexpr int kWheelScrollLines = 3;
constexpr int kWheelDelta = 120;

// Clears the loading flag however the load ends.
class TEditorLoadGuard {
public:
    explicit TEditorLoadGuard(TCustomzqContainer& host) : m_host(host) { m_host.BeginEditorLoad(); }
    ~TEditorLoadGuard() { m_host.EndEditorLoad(); }
    TEditorLoadGuard(const TEditorLoadGuard&) = delete;
    TEditorLoadGuard& operator=(const TEditorLoadGuard&) = delete;

private:
    TCustomzqContainer& m_host;
};

} // namespace

TCustomzqContainer::TCustomzqContainer(TComponent* AOwner) : TCustomControl(AOwner)
{
    m_controlStyle.include(TControlStyleFlag::csAcceptsControls);
}

TCustomzqContainer::~TCustomzqContainer()
{
    BeforeDestruction();
}

void TCustomzqContainer::SetFlatScrollBars(bool Value)
{
    if (m_flatScrollBars == Value)
        return;
    m_flatScrollBars = Value;
    RecreateWnd();
}

bool TCustomzqContainer::CanEditModify()
{
    return false;
}

bool TCustomzqContainer::CanEditAcceptKey(char32_t)
{
    return false;
}

std::unique_ptr<TzqEditStyle> TCustomzqContainer::CreateEditStyle(TzqInplaceEdit* Edit)
{
    return std::make_unique<TzqEditStyle>(Edit);
}

void TCustomzqContainer::ScrollByWheel(bool Up, int Lines)
{
    if (!HandleAllocated())
        return;
    for (int i = 0; i < Lines; ++i)
        SendMessage(Handle(), WM_VSCROLL, Up ? SB_LINEUP : SB_LINEDOWN, 0);
}

TColor TCustomzqContainer::GetEditColor()
{
    return Color();
}

const TFont* TCustomzqContainer::GetEditFont()
{
    return Font();
}

bool TCustomzqContainer::IsEditReadOnly()
{
    return false;
}

void TCustomzqContainer::EditKeyDown(WORD& Key, TShiftState Shift)
{
    if (OnKeyDown)
        OnKeyDown(this, Key, Shift);
}

bool TCustomzqContainer::EditKeysBlocked()
{
    return false;
}

bool TCustomzqContainer::EmulateEditDblClick()
{
    return false;
}

bool TCustomzqContainer::EditWantsTab()
{
    return false;
}

void TCustomzqContainer::EditNavigate(bool) {}

void TCustomzqContainer::EditFocusChanged() {}

void TCustomzqContainer::BeginEditorLoad()
{
    m_editorLoading = true;
}

void TCustomzqContainer::EndEditorLoad()
{
    m_editorLoading = false;
}

TzqPopupBorder TCustomzqContainer::GetPopupBorder(TzqEditBorderStyle)
{
    return TzqPopupBorder::pbFrame3D;
}

TzqInplaceEdit* TCustomzqContainer::EditorOfClass(const TzqInplaceEditClass& EditClass)
{
    for (TzqInplaceEdit* edit : m_editors)
        if (&edit->EditClass() == &EditClass)
            return edit;
    TzqInplaceEdit* edit = EditClass.Create(this);
    m_editors.push_back(edit);
    edit->SetParent(this);
    return edit;
}

void TCustomzqContainer::PrepareEditor(TzqInplaceEdit* Edit)
{
    if (!Edit)
        return;
    Edit->SetColor(static_cast<TColor>(GetNearestColor(ColorToRGB(GetEditColor()))));
    if (const TFont* font = GetEditFont())
        Edit->SetFont(*font);
    Edit->SetTextOffsets(TRect(1, 0, 0, 0));
}

void TCustomzqContainer::LoadEditor(TzqInplaceEdit* Edit, const Variant& Value)
{
    if (!Edit)
        return;
    TEditorLoadGuard loading(*this);
    Edit->SetEditValue(Value);
    Edit->SetModified(false);
    if (IsEditReadOnly())
        Edit->SetReadOnly(true);
    Edit->SaveUndoPoint(true);
}

void TCustomzqContainer::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // The editor (perhaps the one this press opened) turns a press soon after this
        // one into a double click.
        TCustomControl::WndProc(Message);
        if (m_activeEdit)
            m_activeEdit->SetClickTime(GetMessageTime());
        return;
    case WM_MOUSEWHEEL: {
        const int delta = static_cast<int16_t>(HiWord(Message.WParam));
        if (delta == 0)
            break;
        TShiftState shift = ShiftStateFromMouseFlags(LoWord(Message.WParam));
        if (DoMouseWheel(shift, delta, PointFromLParam(Message.LParam))) {
            Message.Result = 1;
            return;
        }
        const int notches = std::max(1, std::abs(delta) / kWheelDelta);
        ScrollByWheel(delta > 0, notches * kWheelScrollLines);
        Message.Result = 1;
        return;
    }
    default:
        break;
    }
    TCustomControl::WndProc(Message);
}

void TCustomzqContainer::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.WinClassName = "TCustomzqContainer";
}

void TCustomzqContainer::Notification(TComponent* AComponent, TOperation Operation)
{
    TCustomControl::Notification(AComponent, Operation);
    if (Operation != TOperation::opRemove)
        return;
    m_editors.erase(std::remove(m_editors.begin(), m_editors.end(), AComponent), m_editors.end());
    if (AComponent == m_activeEdit)
        m_activeEdit = nullptr;
}
