// The inspector's in-place editor: which editor shows over the focused line, loading it
// and writing its value back.
#include "inspector/CustomzqInspector.h"

#include "editors/InplaceEdit.h"
#include "editors/InplaceTextEdit.h"
#include "platform/window/MessageLoop.h"
#include "platform/window/WinApi.h"

namespace {

// The timer of the auto-scroll while a line is pressed.
constexpr uintptr_t kPressTimer = 1;

} // namespace

const TzqInplaceEditClass* TCustomzqInspector::GetEditorClass(const TzqInspectorNode*)
{
    return &TzqInplaceTextEdit::StaticClass();
}

void TCustomzqInspector::InitEditor(TzqInplaceEdit* Edit)
{
    PrepareEditor(Edit);
}

void TCustomzqInspector::LoadEditorValue(TzqInspectorNode* Node, TzqInplaceEdit* Edit, Variant& Value)
{
    std::string caption, value;
    GetNodeTexts(Node, caption, value);
    Value = Variant(value);
    Edit->SetEditValue(Value);
}

void TCustomzqInspector::SaveEditorValue(TzqInspectorNode*, TzqInplaceEdit*, Variant&) {}

bool TCustomzqInspector::CanShowEditor()
{
    return (m_optionWord & zqInspectorOption::Editing) && m_focusedNode && !IsCategory(m_focusedNode) &&
           !IsDesigning() && !IsUpdating() && HandleAllocated() && m_mouseState != TzqInspectorMouseState::msDragging &&
           !CustomizingOpen();
}

void TCustomzqInspector::SetFocusedItemIndex(int Index)
{
    if (Index == m_focusedItemIndex)
        return;
    m_focusedItemIndex = Index;
    UpdateEditor(false, false);
}

void TCustomzqInspector::UpdateEditor(bool Force, bool Reload)
{
    if (IsDestroying() || m_closingEditor)
        return;
    if (!CanShowEditor()) {
        if (m_editor && m_editor->Shown())
            HideEditor();
        m_editor = nullptr;
        SetActiveEdit(nullptr);
        return;
    }
    const bool editorFocused = m_editor && m_editor->HandleAllocated() && m_editor->Focused();
    if (!Force && !Focused() && !editorFocused) {
        if (Reload && m_editor && !editorFocused)
            LoadEditor();
        return;
    }
    const TRect cell = EditorRect(m_focusedNode, m_focusedItemIndex);
    const TzqInplaceEditClass* editClass = GetEditorClass(m_focusedNode);
    if (!editClass)
        return;
    if (m_editor && &m_editor->EditClass() == editClass && m_editingNode == m_focusedNode &&
        m_editingItemIndex == m_focusedItemIndex) {
        if (m_editor->BoundsRect().Inflate(-2, -2) == cell && !Force)
            return;
        m_editor->Hide();
        m_editor->ShowAt(cell);
        m_editor->MoveCaretToEnd();
        return;
    }
    if (m_editor)
        CloseEditor(false);
    m_editor = EditorOfClass(*editClass);
    SetActiveEdit(m_editor);
    LoadEditor();
    m_editor->ShowAt(cell);
}

void TCustomzqInspector::LoadEditor()
{
    m_editingItemIndex = m_focusedItemIndex;
    m_editingNode = m_focusedNode;
    BeginEditorLoad();
    try {
        InitEditor(m_editor);
        Variant value;
        LoadEditorValue(m_editingNode, m_editor, value);
        m_editor->SetModified(false);
        m_editor->SaveUndoPoint(true);
    } catch (...) {
        EndEditorLoad();
        throw;
    }
    EndEditorLoad();
}

void TCustomzqInspector::PostEditor()
{
    if (m_editor && m_editor->Shown() && m_editingNode) {
        m_editor->ValidateEdit();
        CloseEditor(true);
    }
}

void TCustomzqInspector::CloseEditor(bool KeepFocus)
{
    if (!m_editor)
        return;
    TzqInplaceEdit* editor = m_editor;
    const bool hadFocus = editor->HandleAllocated() && editor->Focused();
    m_closingEditor = true;
    if (!editor->IsDestroying() && m_editingNode) {
        try {
            Variant value;
            SaveEditorValue(m_editingNode, editor, value);
        } catch (...) {
            m_closingEditor = false;
            if (KeepFocus && m_editingNode) {
                MakeNodeVisible(m_editingNode);
                Update();
            }
            if (HandleAllocated())
                KillTimer(Handle(), kPressTimer);
            m_mouseState = TzqInspectorMouseState::msNone;
            throw;
        }
    }
    m_closingEditor = false;
    if (!KeepFocus) {
        m_editingNode = nullptr;
        editor->Hide();
    }
    if ((KeepFocus || hadFocus) && Visible() && HandleAllocated() && CanFocus())
        SetFocus();
}

void TCustomzqInspector::HideEditor()
{
    if (!m_editor)
        return;
    // The value is written back first; a refusal leaves the editor where it is.
    CloseEditor(false);
    m_editingNode = nullptr;
    m_editor = nullptr;
    SetActiveEdit(nullptr);
}

void TCustomzqInspector::ShowEditor()
{
    UpdateEditor(true, false);
}
