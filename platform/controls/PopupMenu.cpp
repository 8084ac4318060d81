#include "platform/controls/PopupMenu.h"

#include "platform/controls/PopupList.h"
#include "platform/controls/WinControl.h"
#include "platform/core/StringList.h"
#include "platform/window/WinApi.h"

#include <algorithm>

TPopupMenu::TPopupMenu(TComponent* AOwner) : TComponent(AOwner) {}

TPopupMenu::~TPopupMenu()
{
    // A Popup running further up the stack sees this and returns at once; a message
    // wakes its loop should it be waiting.
    *m_alive = false;
    if (m_open)
        PostMessage(nullptr, WM_NULL);
    BeforeDestruction();
    OnClose = nullptr;
    if (m_list)
        m_list->CloseUp();
    // Items owned elsewhere only leave the menu; ours go with the components we own.
    for (TMenuItem* item : m_items)
        item->m_menu = nullptr;
    m_items.clear();
    m_shown.clear();
}

TMenuItem* TPopupMenu::Items(int index) const
{
    if (index < 0 || index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return m_items[static_cast<size_t>(index)];
}

int TPopupMenu::IndexOf(const TMenuItem* item) const
{
    auto it = std::find(m_items.begin(), m_items.end(), item);
    return it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
}

void TPopupMenu::Add(TMenuItem* item)
{
    Insert(Count(), item);
}

void TPopupMenu::Insert(int index, TMenuItem* item)
{
    if (!item)
        return;
    if (item->m_menu)
        item->m_menu->Remove(item);
    index = std::clamp(index, 0, Count());
    m_items.insert(m_items.begin() + index, item);
    item->m_menu = this;
    // The rules of a menu hold for the item that joins it.
    if (item->m_default) {
        item->m_default = false;
        item->SetDefault(true);
    }
    if (item->m_radioItem && item->m_checked)
        item->UncheckGroupSiblings();
}

TMenuItem* TPopupMenu::AddItem(const std::string& caption, TShortCut shortCut, TNotifyEvent onClick)
{
    auto* item = new TMenuItem(this);
    item->SetCaption(caption);
    item->SetShortCut(shortCut);
    item->OnClick = std::move(onClick);
    Add(item);
    return item;
}

void TPopupMenu::Remove(TMenuItem* item)
{
    auto it = std::find(m_items.begin(), m_items.end(), item);
    if (it == m_items.end())
        return;
    m_items.erase(it);
    item->m_menu = nullptr;
    ItemDestroyed(item); // forgets it in the open list too
}

void TPopupMenu::Clear()
{
    while (!m_items.empty()) {
        TMenuItem* item = m_items.back();
        Remove(item);
        delete item;
    }
}

void TPopupMenu::ItemDestroyed(TMenuItem* item)
{
    m_items.erase(std::remove(m_items.begin(), m_items.end(), item), m_items.end());
    if (m_chosen == item)
        m_chosen = nullptr;
    // The open list keeps its row; choosing it then does nothing.
    std::replace(m_shown.begin(), m_shown.end(), item, static_cast<TMenuItem*>(nullptr));
}

void TPopupMenu::SetPopupComponent(TComponent* value)
{
    if (value == m_popupComponent)
        return;
    if (m_popupComponent)
        m_popupComponent->RemoveFreeNotification(this);
    m_popupComponent = value;
    if (value)
        value->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == m_popupComponent)
        m_popupComponent = nullptr;
    if (Operation == TOperation::opRemove && AComponent == m_list)
        m_list = nullptr;
}

void TPopupMenu::DoPopup()
{
    if (OnPopup)
        OnPopup(this);
}

HWND TPopupMenu::OwnerWindow() const
{
    if (auto* control = dynamic_cast<TWinControl*>(m_popupComponent); control && control->HandleAllocated())
        return control->Handle();
    if (auto* control = dynamic_cast<TControl*>(m_popupComponent))
        if (TWinControl* parent = control->Parent(); parent && parent->HandleAllocated())
            return parent->Handle();
    return GetActiveWindow();
}

void TPopupMenu::Popup(int X, int Y)
{
    if (m_open)
        return;
    const std::shared_ptr<bool> alive = m_alive;
    m_popupPoint = {X, Y};
    DoPopup();
    if (!*alive)
        return;
    if (!m_list) {
        m_list = new TPopupList(this);
        m_list->SetName("PopupList");
    }
    TPopupList* list = m_list;
    list->Clear();
    m_shown.clear();
    m_chosen = nullptr;
    for (TMenuItem* item : m_items) {
        if (!item->Visible())
            continue;
        TPopupItem row;
        row.Separator = item->IsLine();
        row.Caption = row.Separator ? std::string() : item->Caption();
        row.ShortCut = ShortCutToText(item->ShortCut());
        row.Enabled = item->Enabled() && !row.Separator;
        row.Checked = item->Checked();
        row.Radio = item->RadioItem();
        row.Default = item->Default();
        const size_t position = m_shown.size();
        row.OnClick = [this, alive, position] {
            if (*alive && position < m_shown.size())
                m_chosen = m_shown[position];
        };
        list->Add(row);
        m_shown.push_back(item);
    }
    if (m_shown.empty())
        return;
    list->SetOwnerWindow(OwnerWindow());
    // Whoever holds the mouse lets it go: the menu takes it.
    if (GetCapture())
        ReleaseCapture();
    m_open = true;
    list->Popup({X, Y});
    RunMessageLoop([alive, list] { return !*alive || !list->IsOpen(); });
    if (!*alive)
        return;
    m_open = false;
    if (m_list && m_list->IsOpen())
        m_list->CloseUp(); // the loop ended on a quit message
    m_shown.clear();
    TMenuItem* chosen = m_chosen;
    m_chosen = nullptr;
    if (OnClose)
        OnClose(this);
    if (!*alive)
        return;
    if (chosen && IndexOf(chosen) >= 0)
        chosen->Click();
}

void TPopupMenu::CloseMenu()
{
    if (m_open && m_list) {
        m_list->CloseUp();
        PostMessage(nullptr, WM_NULL); // wakes the menu's loop
    }
}

bool TPopupMenu::IsShortCut(TShortCut shortCut)
{
    if (shortCut == scNone)
        return false;
    for (TMenuItem* item : m_items)
        if (item->Visible() && item->Enabled() && !item->IsLine() && item->ShortCut() == shortCut) {
            item->Click();
            return true;
        }
    return false;
}

TRect TPopupMenu::ItemRect(const TMenuItem* item) const
{
    if (!m_open || !m_list || !item)
        return {};
    auto it = std::find(m_shown.begin(), m_shown.end(), item);
    if (it == m_shown.end())
        return {};
    const TRect r = m_list->ItemRect(static_cast<int>(it - m_shown.begin()));
    return r.Offset(m_list->ClientToScreen({0, 0}));
}
