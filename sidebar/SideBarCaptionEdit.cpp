// Editing a group's or an item's caption in place: an edit box over the header or the
// item's caption. Enter, a left press anywhere on the side bar or the focus leaving end
// it accepting, Escape without; an empty text never replaces a caption. OnAfterEdit
// fires at every end. Destroying any group or item ends an open editor unaccepted.
#include "sidebar/SideBar.h"

#include "platform/controls/CustomEdit.h"
#include "platform/core/VirtualKeys.h"
#include "sidebar/SideBarItem.h"
#include "sidebar/SideBarViewInfo.h"
#include "sidebar/SideGroup.h"
#include "sidebar/SideGroupViewInfo.h"
#include "sidebar/SideItemViewInfo.h"

#include <algorithm>
#include <cstdlib>

bool TzqSideBar::EditGroupCaption(TzqSideGroup* group)
{
    if (!group || group->SideBar() != this || !HandleAllocated())
        return false;
    CalculateLayout();
    const TzqSideGroupViewInfo* header = ViewInfo()->FindHeader(group);
    if (!header || header->Rect.IsEmpty())
        return false;
    EndCaptionEdit(true);
    if (OnBeforeEdit)
        OnBeforeEdit(this);
    m_editedGroup = group;
    OpenCaptionEditor(header->Rect, group->Caption());
    return true;
}

bool TzqSideBar::EditItemCaption(TzqSideBarItem* item)
{
    if (!item || item->SideBar() != this || !HandleAllocated())
        return false;
    CalculateLayout();
    const TzqSideItemViewInfo* info = ViewInfo()->FindItem(item);
    if (!info)
        return false;
    EndCaptionEdit(true);
    if (OnBeforeEdit)
        OnBeforeEdit(this);
    // As wide as the items area allows, so that a longer caption fits while typing.
    const TRect area = ViewInfo()->ItemsArea();
    TRect rect = info->CaptionRect;
    rect.Left = std::max(area.Left + 2, std::min(rect.Left, area.Left + m_spaceHeight));
    rect.Right = std::min(area.Right - 2, std::max(rect.Right, area.Right - m_spaceHeight));
    rect.Top -= 2;
    rect.Bottom = std::max(rect.Bottom + 2, rect.Top + std::abs(ItemFont()->Height()) + 8);
    m_editedItem = item;
    OpenCaptionEditor(rect, item->Caption());
    return true;
}

void TzqSideBar::OpenCaptionEditor(const TRect& rect, const std::string& text)
{
    m_retiredEditor.reset();
    m_captionEditor = std::make_unique<TEdit>(nullptr);
    TEdit* editor = m_captionEditor.get();
    editor->SetParent(this);
    editor->SetBounds(rect.Left, rect.Top, rect.Width(), rect.Height());
    editor->SetText(text);
    editor->OnKeyDown = [this](TObject*, WORD& key, TShiftState) {
        if (key == VK_RETURN || key == VK_ESCAPE) {
            const bool accept = key == VK_RETURN;
            key = 0;
            EndCaptionEdit(accept);
        }
    };
    editor->OnExit = [this](TObject*) { EndCaptionEdit(true); };
    editor->SetVisible(true);
    if (editor->CanFocus())
        editor->SetFocus();
    editor->SelectAll();
}

void TzqSideBar::EndCaptionEdit(bool accept)
{
    if (!m_captionEditor)
        return;
    // The editor may be the one calling (its key handler): it goes later, hidden now.
    m_retiredEditor = std::move(m_captionEditor);
    m_retiredEditor->OnKeyDown = nullptr;
    m_retiredEditor->OnExit = nullptr;
    const std::string text = m_retiredEditor->Text();
    const bool hadFocus = m_retiredEditor->Focused();
    m_retiredEditor->SetVisible(false);
    TzqSideGroup* group = m_editedGroup;
    TzqSideBarItem* item = m_editedItem;
    m_editedGroup = nullptr;
    m_editedItem = nullptr;
    if (accept && !text.empty()) {
        if (group)
            group->SetCaption(text);
        else if (item)
            item->SetCaption(text);
    }
    if (hadFocus && !IsDestroying() && CanFocus())
        SetFocus();
    if (OnAfterEdit && !IsDestroying())
        OnAfterEdit(this);
}
