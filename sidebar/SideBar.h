// TzqSideBar: a panel at the side of a window showing groups as header buttons and,
// between the active group's header and the headers after it, the active group's items
// as large or small icons with captions. Four paint styles; a sliding effect when
// another group becomes active; a background of a colour, a gradient or a tiled picture.
//
// The layout and the drawing belong to a painter of the paint style (made on first
// use) and its view information; the side bar holds the model and the run-time state
// (active, focused, selected and hot parts) that the pointer handling changes.
#pragma once

#include "platform/controls/Panel.h"
#include "platform/drawing/ChangeLink.h"
#include "sidebar/SideBarTypes.h"

#include <functional>
#include <memory>
#include <string>

class TEdit;
class THintWindow;
class TImageList;
class TRegistry;
class TzqSideBarDragObject;
class TzqStoredSideItem;
class TPicture;
class TPopupMenu;
class TzqSideBarBackGround;
class TzqSideBarItem;
class TzqSideBarPainter;
class TzqSideBarStore;
class TzqSideBarViewInfo;
class TzqSideGroup;
class TzqSideGroups;

class TzqSideBar : public TPanel {
public:
    explicit TzqSideBar(TComponent* AOwner);
    ~TzqSideBar() override;

    // ---- Published properties ----
    TzqSideBarBackGround* BkGround() const { return m_bkGround.get(); }
    void SetBkGround(const TzqSideBarBackGround& value);
    TPicture* BkPicture() const { return m_bkPicture.get(); }
    void SetBkPicture(const TPicture& value);
    bool CanSelected() const { return m_canSelected; }
    // Off clears the selection.
    void SetCanSelected(bool value);
    TFont* GroupFont() const { return m_groupFont.get(); }
    void SetGroupFont(const TFont& value);
    TFont* ItemFont() const { return m_itemFont.get(); }
    void SetItemFont(const TFont& value);
    TzqSideGroups* Groups() const { return m_groups.get(); }
    // Copies the groups and makes the first one active.
    void SetGroups(const TzqSideGroups& value);
    // The active group's position among the visible groups (0 without one); values out
    // of range select the first visible group. Set while loading, it applies when
    // loading ends.
    int ActiveGroupIndex() const;
    void SetActiveGroupIndex(int value);
    TPopupMenu* GroupPopupMenu() const { return m_groupPopupMenu; }
    void SetGroupPopupMenu(TPopupMenu* value);
    TPopupMenu* ItemPopupMenu() const { return m_itemPopupMenu; }
    void SetItemPopupMenu(TPopupMenu* value);
    int GroupHeightOffSet() const { return m_groupHeightOffSet; }
    // Only 0..9 are taken.
    void SetGroupHeightOffSet(int value);
    TImageList* LargeImages() const { return m_largeImages; }
    void SetLargeImages(TImageList* value);
    TImageList* SmallImages() const { return m_smallImages; }
    void SetSmallImages(TImageList* value);
    TzqsbPaintStyle PaintStyle() const { return m_paintStyle; }
    // Discards the painter; a single border becomes none.
    void SetPaintStyle(TzqsbPaintStyle value);
    int ScrollDelay() const { return m_scrollDelay; }
    // Only values above 0 are taken.
    void SetScrollDelay(int value);
    int SpaceHeight() const { return m_spaceHeight; }
    // Only values above 4 are taken.
    void SetSpaceHeight(int value);
    TzqSideBarStore* Store() const { return m_store; }
    // A different store (outside loading) first removes every group.
    void SetStore(TzqSideBarStore* value);
    bool TransparentImages() const { return m_transparentImages; }
    void SetTransparentImages(bool value);
    const std::string& RegistryPath() const { return m_registryPath; }
    void SetRegistryPath(const std::string& value) { m_registryPath = value; }
    bool ShowGroups() const { return m_showGroups; }
    void SetShowGroups(bool value);
    bool StoreInRegistry() const { return m_storeInRegistry; }
    void SetStoreInRegistry(bool value) { m_storeInRegistry = value; }

    // The groups and items in the registry under RegistryPath: read at the end of
    // loading and written on destruction when StoreInRegistry is set (never in design
    // mode, nor with an empty path or one naming the root). Writing replaces only the
    // Group<n> keys under the path; a read error stops the reading, keeps what was read
    // and is reported through the settings problem handler.
    bool RegistryEnabled() const;
    void SaveToRegistry();
    void LoadFromRegistry();

    // Copies store, groups (the first one active) and image lists of another side bar;
    // other sources are ignored.
    void Assign(const TObject& Source);

    // The side bar's own drag mode: automatic lets a left press on an item start an item
    // drag once the pointer moves away from it (with ShowGroups). The platform's drag
    // mode of the control stays manual, so the platform never starts a drag by itself.
    TDragMode DragMode() const { return m_sideBarDragMode; }
    void SetDragMode(TDragMode value) { m_sideBarDragMode = value; }

    // ---- Run-time state ----
    // The active group: none only when no group is visible. Another group (or none)
    // moves the focus and the drop marker away first.
    TzqSideGroup* ActiveGroup() const { return m_activeGroup; }
    void SetActiveGroup(TzqSideGroup* value);
    // Activates a group as a click on its header does (invisible groups count as none,
    // which activates the first visible group).
    void ActivateGroup(TzqSideGroup* group);
    // A click on an item: nothing for a disabled item; else the stored item's OnClick
    // (with this side bar as sender), then OnItemClick unless the stored item has one.
    virtual void ItemClick(TzqSideBarItem* Item);
    // Whether a left press on an item is waiting for its release (a click) and where
    // that press was, in client coordinates.
    bool ClickArmed() const { return m_clickArmed; }
    // Scrolls the active group by one item (-1 up, +1 down); steps past either end are
    // ignored.
    void ScrollActiveGroup(int step);
    // The item hint: the short part of the focused item's hint in the side bar's own
    // hint window, below the item, for 3000 ms. While it shows, the side bar's ShowHint
    // is off (the platform shows no hint of its own) and its Hint holds the long part.
    bool ItemHintShown() const { return m_hintShown; }
    THintWindow* ItemHintWindow() const { return m_hintWindow.get(); }
    void ShowItemHint();
    void HideItemHint();
    // Whether the scroll-button timer runs.
    bool ScrollTimerRunning() const { return m_scrollTimer != 0; }
    // The item under the pointer (or pressed) and whether it shows pressed.
    TzqSideBarItem* FocusedItem() const { return m_focusedItem; }
    bool FocusedItemPressed() const { return m_focusedItemPressed; }
    void SetFocusedItem(TzqSideBarItem* item, bool pressed = false);
    // The selected item; only kept while CanSelected.
    TzqSideBarItem* SelectedItem() const { return m_selectedItem; }
    void SetSelectedItem(TzqSideBarItem* item);
    // The group whose header is under the pointer, and whether it shows pressed.
    TzqSideGroup* HotGroup() const { return m_hotGroup; }
    bool HotGroupPressed() const { return m_hotGroupPressed; }
    void SetHotGroup(TzqSideGroup* group, bool pressed = false);
    bool UpButtonPressed() const { return m_upPressed; }
    bool DownButtonPressed() const { return m_downPressed; }
    void SetScrollButtonsPressed(bool up, bool down);
    // Whether an item of this side bar is being dragged (scroll buttons then never show
    // pressed).
    bool ItemDragging() const { return m_itemDragging; }
    void SetItemDragging(bool value) { m_itemDragging = value; }
    // Where the drop marker of an item drag stands (none by default).
    TzqSideBarItem* DropTarget() const { return m_dropTarget; }
    TzqSideBarDropPosition DropPosition() const { return m_dropPosition; }
    void SetDropTarget(TzqSideBarItem* item, TzqSideBarDropPosition position);

    // The image lists drawn from: the side bar's own, else the store's.
    TImageList* LargeImagesInUse() const;
    TImageList* SmallImagesInUse() const;

    // ---- Caption editing ----
    // Opens an edit box with the caption over a group's header, or over an item's
    // caption (an item of the active group); OnBeforeEdit fires first, and an editor
    // already open ends accepting. Enter, a left press anywhere on the side bar or the
    // focus leaving the editor end it accepting, Escape without; an accepted text that is
    // not empty replaces the caption. OnAfterEdit fires at every end. Destroying any
    // group or item ends the editor without accepting. Answers whether it opened.
    bool EditGroupCaption(TzqSideGroup* group);
    bool EditItemCaption(TzqSideBarItem* item);
    void EndCaptionEdit(bool accept);
    bool CaptionEditing() const { return m_captionEditor != nullptr; }
    TEdit* CaptionEditor() const { return m_captionEditor.get(); }

    // ---- Layout and painting ----
    // The painter of PaintStyle (made on first use) and its layout, valid once asked.
    TzqSideBarPainter* Painter();
    TzqSideBarViewInfo* ViewInfo();
    // Lays out now when the layout is not valid.
    void CalculateLayout();
    // Fills a rectangle (client coordinates) with the background: BkPicture tiled from
    // the client area's top-left corner, else the BkGround gradient, else Color.
    void PaintBackground(TCanvas* canvas, const TRect& rect);
    // Clears the layout's valid flag and repaints the client area less the headers.
    void ActiveItemsChanged();
    // Repaints one header.
    void InvalidateGroupHeader(const TzqSideGroup* group);

    // The clock of the sliding effect (GetTickCount by default). The effect never
    // waits, so a test drives the time through this seam.
    std::function<DWORD()> TickCount;

    // ---- Events ----
    TzqSideBarItemClickEvent OnItemClick;
    TzqSideBarDeleteItemEvent OnDeleteItem;
    TNotifyEvent OnChangeActiveGroup;
    TNotifyEvent OnChangeFocusedItem;
    TzqSideBarChangeGroupCaptionEvent OnChangeGroupCaption;
    TNotifyEvent OnChangeSelectedItem;
    TzqSideBarDragDropItemEvent OnDragDropItem;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnBeforeEdit;
    TNotifyEvent OnAfterEdit;

protected:
    // Makes the painter of PaintStyle.
    virtual std::unique_ptr<TzqSideBarPainter> CreatePainter();

    void WndProc(TMessage& Message) override;
    void DoStartDrag(TDragObject*& DragObject) override;
    void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) override;
    void DoEndDrag(TObject* Target, int X, int Y) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseEnter() override;
    void MouseLeave() override;
    void Paint() override;
    bool EraseBackground(HDC dc) override;
    void Resize() override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TzqSideGroups;
    friend class TzqSideBarItem;
    friend class TzqSideBarItems;
    friend class TzqSideBarStore;

    // What the collections and the store report.
    void GroupAdded(TzqSideGroup* group);
    void GroupRemoving(TzqSideGroup* group);
    void GroupsChanged();
    void ItemRemoving(TzqSideBarItem* item, bool deleting);
    void StoreChanged();
    // The store is being destroyed: it is dropped, the groups stay.
    void StoreDestroyed();

    void LayoutChanged();
    // The left-button part of a press: header, scroll button or item under the point.
    void LeftPress(TPoint p);
    void StartScrollTimer();
    void StopScrollTimer();
    void ScrollTimerTick();
    // Where the item hint of an item goes: the screen rectangle and the short hint.
    TRect ItemHintRect(const TzqSideBarItem* item, const std::string& shortHint);
    void StopHintTimer();
    void ItemDragOver(TPoint p, bool& Accept);
    // Finishes an item drag on this side bar (the target): a move within the active
    // group, or a copy into it (the dragged item destroyed unless `copy`).
    void DropItem(TzqSideBarDragObject& drag, bool copy);
    int MoveTargetIndex(const TzqSideBarItem* dragged, int a) const;
    void LoadGroup(TRegistry& reg, TRegistry& probe, int index);
    TzqStoredSideItem* FindStoredItem(const std::string& name) const;
    TzqSideGroup* FirstVisibleGroup(const TzqSideGroup* except = nullptr) const;
    void PlaySlide();
    void PaintGradient(TCanvas* canvas, const TRect& rect);
    void PaintPicture(TCanvas* canvas, const TRect& rect);
    void SetImageList(TImageList*& slot, TChangeLink& link, TImageList* value);
    void SetPopupMenu(TPopupMenu*& slot, TPopupMenu* value);
    void OpenCaptionEditor(const TRect& rect, const std::string& text);

    std::unique_ptr<TzqSideBarBackGround> m_bkGround;
    std::unique_ptr<TPicture> m_bkPicture;
    std::unique_ptr<TFont> m_groupFont;
    std::unique_ptr<TFont> m_itemFont;
    std::unique_ptr<TzqSideGroups> m_groups;
    std::unique_ptr<TzqSideBarPainter> m_painter;
    TChangeLink m_largeLink;
    TChangeLink m_smallLink;
    TImageList* m_largeImages = nullptr;
    TImageList* m_smallImages = nullptr;
    TPopupMenu* m_groupPopupMenu = nullptr;
    TPopupMenu* m_itemPopupMenu = nullptr;
    TzqSideBarStore* m_store = nullptr;
    bool m_canSelected = false;
    int m_groupHeightOffSet = 0;
    TzqsbPaintStyle m_paintStyle = TzqsbPaintStyle::sbpsFlat;
    int m_scrollDelay = 300;
    int m_spaceHeight = 7;
    bool m_transparentImages = false;
    std::string m_registryPath;
    bool m_showGroups = true;
    bool m_storeInRegistry = false;

    TzqSideGroup* m_activeGroup = nullptr;
    TzqSideGroup* m_previousActiveGroup = nullptr;
    TzqSideBarItem* m_focusedItem = nullptr;
    bool m_focusedItemPressed = false;
    TzqSideBarItem* m_selectedItem = nullptr;
    TzqSideGroup* m_hotGroup = nullptr;
    bool m_hotGroupPressed = false;
    bool m_upPressed = false;
    bool m_downPressed = false;
    bool m_itemDragging = false;
    TzqSideBarItem* m_dropTarget = nullptr;
    TzqSideBarDropPosition m_dropPosition = TzqSideBarDropPosition::dpNone;
    bool m_clickArmed = false;
    TPoint m_pressPoint;
    uintptr_t m_scrollTimer = 0;
    std::unique_ptr<THintWindow> m_hintWindow;
    bool m_hintShown = false;
    uintptr_t m_hintTimer = 0;
    HHOOK m_hintKeyHook = nullptr;
    // The side bar's own Hint, put back when the item hint goes.
    std::string m_ownHint;
    TDragMode m_sideBarDragMode = TDragMode::dmManual;
    int m_paintLock = 0;
    std::unique_ptr<TEdit> m_captionEditor;
    // An editor that ended, kept hidden until the next one opens (it may have been the
    // caller of its own end).
    std::unique_ptr<TEdit> m_retiredEditor;
    TzqSideGroup* m_editedGroup = nullptr;
    TzqSideBarItem* m_editedItem = nullptr;
    int m_pendingActiveGroupIndex = -1;
};
