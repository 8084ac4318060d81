// TzqCustomOrgChart: in-place caption editing. The chart decides when editing starts
// and ends; the editor (TzqOcInplaceEdit, made by the virtual CreateEditor) is laid
// over the selected node's text area and hands the keys that end or move editing back.
#include "orgchart/CustomOrgChart.h"

#include "orgchart/OcInplaceEdit.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/window/WinApi.h"

#include <algorithm>

TzqOcInplaceEdit* TzqCustomOrgChart::CreateEditor()
{
    return new TzqOcInplaceEdit(this);
}

bool TzqCustomOrgChart::IsEditing() const
{
    return m_editor != nullptr && m_editor->Visible();
}

void TzqCustomOrgChart::ShowEditor()
{
    if (!m_options.contains(TzqOcOption::ocEdit) || IsEditing() || ScaleInEffect() || !m_selected)
        return;
    bool allow = true;
    if (OnEditing)
        OnEditing(this, m_selected, allow);
    if (!allow || !m_selected)
        return;
    TzqOcNode* node = m_selected;
    node->MakeVisible();
    if (!m_editor)
        m_editor = CreateEditor();
    if (!m_editor || !IsInTree(node) || !HandleAllocated())
        return;

    // The text area of the node on the screen, without the image's room.
    TRect area = NodeTextRect(node, NodeSlotRect(node));
    TPoint imagePos;
    ImagePosition(node, area, imagePos);
    m_editor->SetBoundsRect(area);
    m_editor->SetClientWidth(area.Width());
    m_editor->SetClientHeight(area.Height());

    // Size limits: "W" in the chart's font, half the screen.
    TBitmap scratch;
    scratch.SetSize(1, 1);
    scratch.Canvas()->Font()->Assign(*Font());
    const TSize w = scratch.Canvas()->TextExtent("W");
    const TRect screen = GetScreenRect();
    m_editor->SetMinWidth(w.cx);
    m_editor->SetMinHeight(w.cy);
    m_editor->SetMaxWidth(std::max(w.cx, screen.Width() / 2));
    m_editor->SetMaxHeight(std::max(w.cy, screen.Height() / 2));

    m_editor->SetColor(node->Color() == clNone ? Color() : node->Color());
    m_editor->SetFont(*Font());
    node->SetFont(m_editor->Font());

    m_editor->SetText(node->GetText());
    m_editor->Perform(EM_SETSEL, 0, 0);
    m_editor->SetModified(false);
    m_editedNode = node;

    m_editor->AdjustSize();
    m_editor->Show();
    m_editor->SetFocus();
}

void TzqCustomOrgChart::HideEditor(bool Accept)
{
    // The handler and the text assignment below may try to end editing again.
    if (!IsEditing() || m_hidingEditor)
        return;
    m_hidingEditor = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{m_hidingEditor};
    const bool hadFocus = m_editor->Focused();
    TzqOcNode* node = m_editedNode;
    if (Accept && m_editor->Modified()) {
        m_editor->SetModified(false);
        std::string text = m_editor->Text();
        try {
            if (OnEdited && node)
                OnEdited(this, node, text);
            // The handler may have deleted the node; the text then goes nowhere.
            if (m_editedNode && IsInTree(m_editedNode))
                m_editedNode->AssignText(text);
        } catch (...) {
            // The text could not be stored: editing goes on with it, still to be stored,
            // so that accepting it again once the cause is gone stores it.
            if (m_editor)
                m_editor->SetModified(true);
            throw;
        }
    }
    m_editedNode = nullptr;
    if (m_editor)
        m_editor->Hide();
    if (hadFocus && HandleAllocated() && CanFocus())
        ::SetFocus(Handle());
}

void TzqCustomOrgChart::EndEditingBefore(TzqOcNode* Node, bool NodeGoes)
{
    // The text typed for a node that goes has nowhere to go; any other is stored. Done
    // before anything of the deletion happens, so that a failure to store it stops the
    // deletion with the chart and the editor as they were.
    if (!IsEditing())
        return;
    const bool goes = m_editedNode && ((NodeGoes && m_editedNode == Node) || m_editedNode->HasAsParent(Node));
    HideEditor(!goes);
}

void TzqCustomOrgChart::FreeEditor()
{
    HideEditor(false);
    delete m_editor;
    m_editor = nullptr;
    m_editedNode = nullptr;
}

void TzqCustomOrgChart::EditModeChanged()
{
    // The editor's window styles follow EditMode.
    if (m_editor)
        m_editor->RecreateWnd();
}

void TzqCustomOrgChart::EditorArrowKey(WORD Key)
{
    WORD key = Key;
    KeyDown(key, TShiftState{});
}

void TzqCustomOrgChart::EditorKeyPress(char32_t& Key)
{
    KeyPress(Key);
}

void TzqCustomOrgChart::EditorKeyUp(WORD& Key, TShiftState Shift)
{
    if (OnKeyUp)
        OnKeyUp(this, Key, Shift);
}
