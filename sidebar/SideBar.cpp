#include "sidebar/SideBar.h"

#include "platform/controls/CustomEdit.h"
#include "platform/controls/HintWindow.h"
#include "platform/controls/PopupMenu.h"
#include "platform/drawing/ImageList.h"
#include "platform/drawing/Picture.h"
#include "platform/window/MessageLoop.h"
#include "platform/settings/SettingsError.h"
#include "platform/window/Painting.h"
#include "sidebar/SideBarBackGround.h"
#include "sidebar/SideBarCursors.h"
#include "sidebar/SideBarDragObject.h"
#include "sidebar/SideBarFlatPainter.h"
#include "sidebar/SideBarItems.h"
#include "sidebar/SideBarStandardPainter.h"
#include "sidebar/SideBarStore.h"
#include "sidebar/SideBarViewInfo.h"
#include "sidebar/SideBarW2KPainter.h"
#include "sidebar/SideBarXPPainter.h"
#include "sidebar/SideGroups.h"

#include <array>

namespace {

// The painter of each paint style, in the order of TzqsbPaintStyle.
using TPainterFactory = std::unique_ptr<TzqSideBarPainter> (*)(TzqSideBar*);
template <typename TPainter>
std::unique_ptr<TzqSideBarPainter> MakePainter(TzqSideBar* sideBar)
{
    return std::make_unique<TPainter>(sideBar);
}
constexpr std::array<TPainterFactory, 4> PainterClasses = {
    &MakePainter<TzqSideBarStandardPainter>, // sbpsStandard
    &MakePainter<TzqSideBarFlatPainter>,     // sbpsFlat
    &MakePainter<TzqSideBarXPPainter>,       // sbpsXP
    &MakePainter<TzqSideBarW2KPainter>,      // sbpsW2K
};

} // namespace

TzqSideBar::TzqSideBar(TComponent* AOwner)
    : TPanel(AOwner),
      m_bkGround(std::make_unique<TzqSideBarBackGround>([this] { Invalidate(); })),
      m_bkPicture(std::make_unique<TPicture>()),
      m_groupFont(std::make_unique<TFont>()),
      m_itemFont(std::make_unique<TFont>()),
      m_groups(std::make_unique<TzqSideGroups>(this))
{
    // No child controls and no caption of its own.
    m_controlStyle.exclude(TControlStyleFlag::csAcceptsControls);
    m_controlStyle.exclude(TControlStyleFlag::csSetCaption);
    SetBevelOuter(TBevelCut::bvNone);
    SetBevelInner(TBevelCut::bvNone);
    SetBounds(0, 0, 150, 300);
    SetAlign(TAlign::alLeft);
    SetColor(clGrayText);
    m_itemFont->SetColor(clWindow);
    m_bkPicture->OnChange = [this](TObject*) { Invalidate(); };
    m_groupFont->OnChange = [this](TObject*) { LayoutChanged(); };
    m_itemFont->OnChange = [this](TObject*) { LayoutChanged(); };
    m_largeLink.OnChange = [this](TObject*) { LayoutChanged(); };
    m_smallLink.OnChange = [this](TObject*) { LayoutChanged(); };
    TickCount = [] { return GetTickCount(); };
    RegisterSideBarCursors();
}

TzqSideBar::~TzqSideBar()
{
    // Written while the groups are all there; a destructor cannot raise.
    if (RegistryEnabled()) {
        try {
            SaveToRegistry();
        } catch (const std::exception& e) {
            ReportSettingsProblem(std::string("The side bar could not store its groups: ") + e.what());
        }
    }
    BeforeDestruction();
    // A drag of one of our items ends with us; the drop will not come.
    if (TzqSideBarDragObject::Current() && TzqSideBarDragObject::Current()->SideBar() == this)
        delete TzqSideBarDragObject::Current();
    StopScrollTimer();
    HideItemHint();
    m_hintWindow.reset();
    EndCaptionEdit(false);
    m_retiredEditor.reset();
    // Groups (and their items) go before the painter whose layout refers to them.
    m_activeGroup = nullptr;
    m_previousActiveGroup = nullptr;
    m_focusedItem = m_selectedItem = m_dropTarget = nullptr;
    m_hotGroup = nullptr;
    // Each item fires OnDeleteItem while the side bar is still whole.
    m_groups->Clear();
    m_groups.reset();
    m_painter.reset();
    if (m_store)
        m_store->RemoveSideBar(this);
    SetImageList(m_largeImages, m_largeLink, nullptr);
    SetImageList(m_smallImages, m_smallLink, nullptr);
}

// ---- Properties ----

void TzqSideBar::SetBkGround(const TzqSideBarBackGround& value)
{
    m_bkGround->Assign(value);
}

void TzqSideBar::SetBkPicture(const TPicture& value)
{
    m_bkPicture->Assign(value);
}

void TzqSideBar::SetCanSelected(bool value)
{
    if (value == m_canSelected)
        return;
    m_canSelected = value;
    if (!value)
        SetSelectedItem(nullptr);
}

void TzqSideBar::SetGroupFont(const TFont& value)
{
    m_groupFont->Assign(value);
}

void TzqSideBar::SetItemFont(const TFont& value)
{
    m_itemFont->Assign(value);
}

void TzqSideBar::SetGroups(const TzqSideGroups& value)
{
    m_groups->Assign(value);
    SetActiveGroupIndex(0);
}

int TzqSideBar::ActiveGroupIndex() const
{
    int visible = 0;
    for (int i = 0; i < m_groups->Count(); ++i) {
        const TzqSideGroup* group = m_groups->Items(i);
        if (group == m_activeGroup)
            return visible;
        if (group->Visible())
            ++visible;
    }
    return 0;
}

void TzqSideBar::SetActiveGroupIndex(int value)
{
    // While loading, the groups may not all be there yet: applied when loading ends.
    if (IsLoading()) {
        m_pendingActiveGroupIndex = value;
        return;
    }
    std::vector<TzqSideGroup*> visible;
    for (int i = 0; i < m_groups->Count(); ++i)
        if (m_groups->Items(i)->Visible())
            visible.push_back(m_groups->Items(i));
    if (visible.empty())
        return;
    if (value < 0 || value >= int(visible.size()))
        value = 0;
    ActivateGroup(visible[size_t(value)]);
}

void TzqSideBar::SetPopupMenu(TPopupMenu*& slot, TPopupMenu* value)
{
    if (value == slot)
        return;
    if (slot)
        slot->RemoveFreeNotification(this);
    slot = value;
    if (slot)
        slot->FreeNotification(this);
}

void TzqSideBar::SetGroupPopupMenu(TPopupMenu* value)
{
    SetPopupMenu(m_groupPopupMenu, value);
}

void TzqSideBar::SetItemPopupMenu(TPopupMenu* value)
{
    SetPopupMenu(m_itemPopupMenu, value);
}

void TzqSideBar::SetGroupHeightOffSet(int value)
{
    if (value < 0 || value > 9 || value == m_groupHeightOffSet)
        return;
    m_groupHeightOffSet = value;
    LayoutChanged();
}

void TzqSideBar::SetImageList(TImageList*& slot, TChangeLink& link, TImageList* value)
{
    if (value == slot)
        return;
    if (slot) {
        slot->UnRegisterChanges(&link);
        slot->RemoveFreeNotification(this);
    }
    slot = value;
    if (slot) {
        slot->RegisterChanges(&link);
        slot->FreeNotification(this);
    }
    if (!IsDestroying())
        LayoutChanged();
}

void TzqSideBar::SetLargeImages(TImageList* value)
{
    SetImageList(m_largeImages, m_largeLink, value);
}

void TzqSideBar::SetSmallImages(TImageList* value)
{
    SetImageList(m_smallImages, m_smallLink, value);
}

TImageList* TzqSideBar::LargeImagesInUse() const
{
    if (m_largeImages)
        return m_largeImages;
    return m_store ? m_store->LargeImages() : nullptr;
}

TImageList* TzqSideBar::SmallImagesInUse() const
{
    if (m_smallImages)
        return m_smallImages;
    return m_store ? m_store->SmallImages() : nullptr;
}

void TzqSideBar::SetPaintStyle(TzqsbPaintStyle value)
{
    if (value == m_paintStyle)
        return;
    m_paintStyle = value;
    // A new painter of the new style is made on next use; the slide of a pending
    // change of group has no layout to play on.
    m_painter.reset();
    m_previousActiveGroup = nullptr;
    if (BorderStyle() == TBorderStyle::bsSingle)
        SetBorderStyle(TBorderStyle::bsNone);
    else
        Invalidate();
}

void TzqSideBar::SetScrollDelay(int value)
{
    if (value > 0)
        m_scrollDelay = value;
}

void TzqSideBar::SetSpaceHeight(int value)
{
    if (value <= 4 || value == m_spaceHeight)
        return;
    m_spaceHeight = value;
    LayoutChanged();
}

void TzqSideBar::SetStore(TzqSideBarStore* value)
{
    if (value == m_store)
        return;
    if (!IsLoading())
        m_groups->Clear();
    if (m_store) {
        m_store->RemoveSideBar(this);
        m_store->RemoveFreeNotification(this);
    }
    m_store = value;
    if (m_store) {
        m_store->AddSideBar(this);
        m_store->FreeNotification(this);
    }
    if (!IsDestroying())
        LayoutChanged();
}

void TzqSideBar::SetTransparentImages(bool value)
{
    if (value == m_transparentImages)
        return;
    m_transparentImages = value;
    Invalidate();
}

void TzqSideBar::SetShowGroups(bool value)
{
    if (value == m_showGroups)
        return;
    m_showGroups = value;
    LayoutChanged();
}

void TzqSideBar::Assign(const TObject& Source)
{
    const auto* source = dynamic_cast<const TzqSideBar*>(&Source);
    if (!source || source == this)
        return;
    ++m_paintLock;
    try {
        m_hotGroup = nullptr;
        m_hotGroupPressed = false;
        SetStore(source->Store());
        m_groups->Assign(*source->Groups());
        SetActiveGroupIndex(0);
        SetSmallImages(source->SmallImages());
        SetLargeImages(source->LargeImages());
    } catch (...) {
        --m_paintLock;
        throw;
    }
    --m_paintLock;
    LayoutChanged();
}

// ---- Run-time state ----

void TzqSideBar::SetActiveGroup(TzqSideGroup* value)
{
    if (value == m_activeGroup)
        return;
    if (value && (value->SideBar() != this || !value->Visible()))
        return;
    // Nothing stays focused or marked across a change of group.
    if (!IsDestroying()) {
        SetFocusedItem(nullptr, false);
        SetDropTarget(nullptr, TzqSideBarDropPosition::dpNone);
    }
    // The slide plays from the layout of the last paint: keep the group shown then.
    if (!m_previousActiveGroup)
        m_previousActiveGroup = m_activeGroup;
    m_activeGroup = value;
    if (m_activeGroup)
        m_activeGroup->ResetTopItemIndex();
    if (m_painter)
        m_painter->ViewInfo()->Invalidate();
    Invalidate();
    if (OnChangeActiveGroup && !IsLoading() && !IsDestroying())
        OnChangeActiveGroup(this);
}

void TzqSideBar::SetFocusedItem(TzqSideBarItem* item, bool pressed)
{
    if (item == m_focusedItem && pressed == m_focusedItemPressed)
        return;
    TzqSideBarItem* old = m_focusedItem;
    const bool changed = old != item;
    // The selected item keeps its frame either way.
    if (changed && old && old != m_selectedItem)
        Painter()->InvalidateItemFrame(old);
    if (changed && ShowHint())
        HideItemHint();
    m_focusedItem = item;
    if (changed && OnChangeFocusedItem)
        OnChangeFocusedItem(this);
    // A pressed item shows no hint; while an item hint shows, ShowHint is off, so the
    // next items show none until it goes.
    if (changed && ShowHint() && !pressed)
        ShowItemHint();
    m_focusedItemPressed = item && pressed;
    if (item && item != m_selectedItem && item->Enabled())
        Painter()->InvalidateItemFrame(item);
}

void TzqSideBar::SetSelectedItem(TzqSideBarItem* item)
{
    if (item && !m_canSelected)
        return;
    if (item == m_selectedItem)
        return;
    if (m_selectedItem)
        Painter()->InvalidateItemFrame(m_selectedItem);
    m_selectedItem = item;
    if (item)
        Painter()->InvalidateItemFrame(item);
    if (OnChangeSelectedItem)
        OnChangeSelectedItem(this);
}

void TzqSideBar::SetHotGroup(TzqSideGroup* group, bool pressed)
{
    if (group == m_hotGroup && pressed == m_hotGroupPressed)
        return;
    if (m_hotGroup)
        InvalidateGroupHeader(m_hotGroup);
    m_hotGroup = group;
    m_hotGroupPressed = group && pressed;
    if (group)
        InvalidateGroupHeader(group);
}

void TzqSideBar::SetScrollButtonsPressed(bool up, bool down)
{
    if (up == m_upPressed && down == m_downPressed)
        return;
    m_upPressed = up;
    m_downPressed = down;
    if (!HandleAllocated())
        return;
    TzqSideBarViewInfo* vi = ViewInfo();
    vi->CalculateIfNeeded();
    InvalidateRect(Handle(), &vi->UpButton(), false);
    InvalidateRect(Handle(), &vi->DownButton(), false);
}

void TzqSideBar::SetDropTarget(TzqSideBarItem* item, TzqSideBarDropPosition position)
{
    if (item == m_dropTarget && position == m_dropPosition)
        return;
    Painter()->InvalidateDropBand(m_dropTarget, m_dropPosition);
    m_dropTarget = item;
    m_dropPosition = position;
    Painter()->InvalidateDropBand(m_dropTarget, m_dropPosition);
}

// ---- Painter and layout ----

std::unique_ptr<TzqSideBarPainter> TzqSideBar::CreatePainter()
{
    return PainterClasses[size_t(m_paintStyle)](this);
}

TzqSideBarPainter* TzqSideBar::Painter()
{
    if (!m_painter)
        m_painter = CreatePainter();
    return m_painter.get();
}

TzqSideBarViewInfo* TzqSideBar::ViewInfo()
{
    return Painter()->ViewInfo();
}

void TzqSideBar::CalculateLayout()
{
    ViewInfo()->CalculateIfNeeded();
}

void TzqSideBar::LayoutChanged()
{
    if (IsDestroying())
        return;
    if (m_painter)
        m_painter->ViewInfo()->Invalidate();
    if (m_paintLock == 0)
        Invalidate();
}

void TzqSideBar::ActiveItemsChanged()
{
    if (IsDestroying())
        return;
    if (!m_painter)
        return Invalidate();
    m_painter->ViewInfo()->Invalidate();
    if (m_paintLock == 0)
        m_painter->InvalidateItems();
}

void TzqSideBar::InvalidateGroupHeader(const TzqSideGroup* group)
{
    if (m_painter && m_paintLock == 0 && !IsDestroying())
        m_painter->InvalidateHeader(group);
}

void TzqSideBar::Resize()
{
    TPanel::Resize();
    LayoutChanged();
}

// ---- What the collections and the store report ----

TzqSideGroup* TzqSideBar::FirstVisibleGroup(const TzqSideGroup* except) const
{
    for (int i = 0; i < m_groups->Count(); ++i) {
        TzqSideGroup* group = m_groups->Items(i);
        if (group != except && group->Visible())
            return group;
    }
    return nullptr;
}

void TzqSideBar::GroupAdded(TzqSideGroup* group)
{
    if (!m_activeGroup && !IsLoading())
        SetActiveGroup(group);
}

void TzqSideBar::GroupRemoving(TzqSideGroup* group)
{
    EndCaptionEdit(false);
    if (m_painter)
        m_painter->ViewInfo()->Forget(group);
    if (m_previousActiveGroup == group)
        m_previousActiveGroup = nullptr;
    if (m_hotGroup == group) {
        m_hotGroup = nullptr;
        m_hotGroupPressed = false;
    }
    auto inGroup = [group](TzqSideBarItem* item) { return item && item->Group() == group; };
    if (inGroup(m_focusedItem))
        m_focusedItem = nullptr, m_focusedItemPressed = false;
    if (inGroup(m_selectedItem))
        m_selectedItem = nullptr;
    if (inGroup(m_dropTarget))
        m_dropTarget = nullptr, m_dropPosition = TzqSideBarDropPosition::dpNone;
    if (m_activeGroup == group) {
        // No slide from a group that is gone.
        m_activeGroup = nullptr;
        if (!IsDestroying())
            SetActiveGroup(FirstVisibleGroup(group));
        m_previousActiveGroup = nullptr;
    }
}

void TzqSideBar::GroupsChanged()
{
    if (IsDestroying())
        return;
    if ((!m_activeGroup || !m_activeGroup->Visible()) && !IsLoading()) {
        TzqSideGroup* first = FirstVisibleGroup();
        if (first != m_activeGroup) {
            if (!first)
                m_activeGroup = nullptr, m_previousActiveGroup = nullptr;
            else
                SetActiveGroup(first);
        }
    }
    LayoutChanged();
}

void TzqSideBar::ItemRemoving(TzqSideBarItem* item, bool deleting)
{
    if (deleting)
        EndCaptionEdit(false);
    if (m_painter)
        m_painter->ViewInfo()->Forget(item);
    if (m_focusedItem == item)
        m_focusedItem = nullptr, m_focusedItemPressed = false;
    const bool wasSelected = m_selectedItem == item;
    if (wasSelected)
        m_selectedItem = nullptr;
    if (m_dropTarget == item)
        m_dropTarget = nullptr, m_dropPosition = TzqSideBarDropPosition::dpNone;
    if (TzqSideBarDragObject* drag = TzqSideBarDragObject::Current())
        drag->ItemDestroyed(item);
    if (deleting && OnDeleteItem)
        OnDeleteItem(this, item);
    // The selection is already cleared when its event fires.
    if (wasSelected && OnChangeSelectedItem && !IsDestroying())
        OnChangeSelectedItem(this);
}

void TzqSideBar::StoreChanged()
{
    LayoutChanged();
}

void TzqSideBar::StoreDestroyed()
{
    if (!m_store)
        return;
    m_store->RemoveSideBar(this);
    m_store->RemoveFreeNotification(this);
    m_store = nullptr;
    if (!IsDestroying())
        LayoutChanged();
}

void TzqSideBar::Loaded()
{
    TPanel::Loaded();
    if (RegistryEnabled())
        LoadFromRegistry();
    if (m_pendingActiveGroupIndex >= 0) {
        const int index = m_pendingActiveGroupIndex;
        m_pendingActiveGroupIndex = -1;
        SetActiveGroupIndex(index);
    }
    if (!m_activeGroup || !m_activeGroup->Visible())
        SetActiveGroup(FirstVisibleGroup());
    // Loading shows the state loaded, without a slide from before.
    m_previousActiveGroup = nullptr;
    LayoutChanged();
}

void TzqSideBar::Notification(TComponent* AComponent, TOperation Operation)
{
    TPanel::Notification(AComponent, Operation);
    if (Operation != TOperation::opRemove)
        return;
    if (AComponent == m_largeImages) {
        m_largeImages = nullptr;
        LayoutChanged();
    }
    if (AComponent == m_smallImages) {
        m_smallImages = nullptr;
        LayoutChanged();
    }
    if (AComponent == m_groupPopupMenu)
        m_groupPopupMenu = nullptr;
    if (AComponent == m_itemPopupMenu)
        m_itemPopupMenu = nullptr;
    if (AComponent == m_store)
        StoreDestroyed();
}
