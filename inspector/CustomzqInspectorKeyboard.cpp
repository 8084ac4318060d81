// The inspector's keys: navigation (its own and those the in-place editor hands over),
// the rule at the first and last line, Tab through the items of complex lines, and the
// keys that fold and unfold categories.
#include "inspector/CustomzqInspector.h"

#include "editors/InplaceEdit.h"
#include "platform/controls/Form.h"
#include "platform/core/Messages.h"
#include "platform/core/VirtualKeys.h"
#include "platform/window/Input.h"

namespace {

bool IsNavigationKey(WORD key)
{
    switch (key) {
    case VK_TAB:
    case VK_RETURN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_UP:
    case VK_DOWN:
        return true;
    default:
        return false;
    }
}

} // namespace

int TCustomzqInspector::ComplexItemCount(const TzqInspectorNode* Node)
{
    if (!Node || !IsComplex(Node))
        return 0;
    // The count does not depend on the cell's size.
    return static_cast<int>(ComplexItemRects(Node, TRect(0, 0, 10000, 20)).size());
}

bool TCustomzqInspector::KeyAtEdge(WORD Key, TShiftState Shift)
{
    if (m_optionWord & zqInspectorOption::TabThrough)
        return false;
    const bool backward = Shift.contains(TShiftStateFlag::ssShift);
    const int items = ComplexItemCount(m_focusedNode);
    const int item = std::max(m_focusedItemIndex, 0);
    switch (Key) {
    case VK_PRIOR:
    case VK_UP: return m_focusedNode == Items(0);
    case VK_NEXT:
    case VK_DOWN: return m_focusedNode == LineNode(LineCount() - 1);
    case VK_TAB:
        if (backward)
            return m_focusedNode == Items(0) && (items == 0 || item <= 0);
        return m_focusedNode == LineNode(LineCount() - 1) && (items == 0 || item >= items - 1);
    default: return false;
    }
}

void TCustomzqInspector::KeyDown(WORD& Key, TShiftState Shift)
{
    TCustomzqContainer::KeyDown(Key, Shift);
    if (Key == 0)
        return;
    if (IsSizing()) {
        if (Key == VK_ESCAPE)
            CancelSizing();
        return;
    }
    if (m_mouseState == TzqInspectorMouseState::msDragging) {
        if (Key == VK_ESCAPE)
            EndPress();
        return;
    }
    if (Count() == 0)
        return;
    const bool navigation = IsNavigationKey(Key) && (m_optionWord & zqInspectorOption::Editing);
    if (navigation) {
        if (KeyAtEdge(Key, Shift)) {
            // Nowhere to go: a changed value is written and shown as stored.
            if (m_editor && m_editor->Shown() && m_editingNode && m_editor->GetModified()) {
                PostEditor();
                UpdateEditor(false, true);
            }
            return;
        }
        PostEditor();
    }
    NavigateByKey(Key, Shift);
    CategoryKeys(Key, Shift);
    if (navigation && !IsDestroying())
        UpdateEditor(false, false);
}

void TCustomzqInspector::NavigateByKey(WORD Key, TShiftState Shift)
{
    const bool ctrl = Shift.contains(TShiftStateFlag::ssCtrl);
    switch (Key) {
    case VK_TAB:
        if (!Shift.contains(TShiftStateFlag::ssAlt))
            TabToItem(Shift.contains(TShiftStateFlag::ssShift));
        break;
    case VK_RETURN:
        if (m_optionWord & zqInspectorOption::EnterThrough)
            TabToItem(false);
        break;
    case VK_ESCAPE:
        UpdateEditor(false, true);
        if (m_editor && m_editor->Shown())
            m_editor->MoveCaretToEnd();
        break;
    case VK_PRIOR: SetFocusedIndex(ctrl ? 0 : FocusedIndex() - m_fullyVisibleLineCount); break;
    case VK_NEXT: SetFocusedIndex(ctrl ? LineCount() - 1 : FocusedIndex() + m_fullyVisibleLineCount); break;
    case VK_UP: SetFocusedIndex(FocusedIndex() - 1); break;
    case VK_DOWN: SetFocusedIndex(FocusedIndex() + 1); break;
    default: break;
    }
}

void TCustomzqInspector::TabToItem(bool Backward)
{
    // Within a complex line the focus walks its items first.
    const int items = ComplexItemCount(m_focusedNode);
    const int item = std::max(m_focusedItemIndex, 0);
    if (items > 0 && (Backward ? item > 0 : item < items - 1)) {
        SetFocusedItemIndex(item + (Backward ? -1 : 1));
        return;
    }
    const int index = FocusedIndex();
    const bool atEnd = Backward ? index <= 0 : index >= LineCount() - 1;
    if ((m_optionWord & zqInspectorOption::TabThrough) && atEnd) {
        if (TCustomForm* form = GetParentForm(this))
            form->SelectNext(this, !Backward, true);
        return;
    }
    SetFocusedIndex(index + (Backward ? -1 : 1));
    // A complex line entered from behind begins at its last item.
    const int newItems = ComplexItemCount(m_focusedNode);
    m_focusedItemIndex = newItems > 0 ? (Backward ? newItems - 1 : 0) : -1;
}

bool TCustomzqInspector::CategoryKeys(WORD& Key, TShiftState Shift)
{
    TzqInspectorNode* node = m_focusedNode;
    if (!node)
        return false;
    const bool category = IsCategory(node);
    const bool ctrl = Shift.contains(TShiftStateFlag::ssCtrl);
    bool acted = false;
    switch (Key) {
    case VK_LEFT:
    case VK_RIGHT:
        if (category) {
            MakeNodeVisible(node);
            if (Key == VK_LEFT)
                node->Collapse();
            else
                node->Expand();
            acted = true;
        }
        break;
    case VK_MULTIPLY:
    case VK_ADD:
    case VK_SUBTRACT:
        if ((ctrl || category) && node->HasChildren()) {
            MakeNodeVisible(node);
            if (Key == VK_MULTIPLY)
                node->ExpandAll();
            else if (Key == VK_ADD)
                node->Expand();
            else
                node->Collapse();
            acted = true;
        }
        break;
    default: break;
    }
    if (acted)
        Key = 0;
    return acted;
}

void TCustomzqInspector::EditKeyDown(WORD& Key, TShiftState Shift)
{
    TCustomzqContainer::EditKeyDown(Key, Shift);
    if (Key != 0)
        CategoryKeys(Key, Shift);
}

void TCustomzqInspector::GetDialogCode(TMessage& Message)
{
    LRESULT code = DLGC_WANTARROWS;
    if ((m_optionWord & zqInspectorOption::Tabs) && GetKeyState(VK_CONTROL) >= 0)
        code |= DLGC_WANTTAB;
    if (m_optionWord & zqInspectorOption::Editing)
        code |= DLGC_WANTCHARS;
    Message.Result = code;
}
