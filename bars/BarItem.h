// TzqBarItem: a command of the bar manager. Items are components of the form; the
// manager lists them in its item pool, and bars, submenus and popup menus show them
// through links (TzqBarItemLink), any number of them per item.
#pragma once

#include "bars/BarTypes.h"
#include "bars/LifeToken.h"
#include "platform/controls/Action.h"
#include "platform/core/Component.h"

#include <memory>
#include <string>
#include <vector>

class TBitmap;
class TzqBarItemActionLink;

class TzqBarItem : public TComponent {
public:
    // Joins the manager of the owner form when it has one, else the first manager.
    explicit TzqBarItem(TComponent* AOwner);
    // Fires OnDestroy, destroys every link to the item (so it leaves every bar and
    // menu), leaves the manager's pool and every group.
    ~TzqBarItem() override;

    TzqBarManager* BarManager() const { return m_manager; }
    // Moves the item to another manager's pool (the manager it is stored under).
    void SetBarManager(TzqBarManager* value);

    TBasicAction* Action() const;
    void SetAction(TBasicAction* value);
    TzqBarItemAlign Align() const { return m_align; }
    void SetAlign(TzqBarItemAlign value);
    // "&" marks the accelerator. The hint follows the caption (unless it was changed).
    const std::string& Caption() const { return m_caption; }
    void SetCaption(const std::string& value);
    // Index into the manager's categories; -1 until set. Outside loading a value
    // outside the list is ignored.
    int Category() const { return m_category; }
    void SetCategory(int value);
    const std::string& Description() const { return m_description; }
    void SetDescription(const std::string& value);
    // While the manager is customizing, an item with a category reads as enabled.
    bool Enabled() const;
    void SetEnabled(bool value);
    int HelpContext() const { return m_helpContext; }
    void SetHelpContext(int value) { m_helpContext = value; }
    // A short text, optionally followed by "|" and a long one.
    const std::string& Hint() const { return m_hint; }
    void SetHint(const std::string& value);
    TzqBarItemVisible Visible() const { return m_visible; }
    void SetVisible(TzqBarItemVisible value);
    // Shown now: ivAlways, or ivInCustomizing while the manager is customizing.
    bool IsShown() const;

    // Held by every item, published by some kinds.
    // Never null; an empty bitmap while there is no glyph.
    TBitmap* Glyph() const;
    void SetGlyph(const TBitmap* value);
    bool HasGlyph() const;
    int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int value);
    TShortCut ShortCut() const { return m_shortCut; }
    void SetShortCut(TShortCut value);
    bool UnclickAfterDoing() const { return m_unclickAfterDoing; }
    void SetUnclickAfterDoing(bool value) { m_unclickAfterDoing = value; }

    // Every link that shows the item.
    int LinkCount() const { return static_cast<int>(m_links.size()); }
    TzqBarItemLink* Links(int Index) const;
    // The link through which the item is being used now (its control is selected, or
    // its menu was opened from it); cleared when that link goes.
    TzqBarItemLink* ActiveLink() const { return m_activeLink; }
    void SetActiveLink(TzqBarItemLink* value);

    // Clicks as the user does: DoClick when the item can be clicked.
    virtual void DirectClick();
    // When enabled: the manager's OnClickItem, then Click. An error raised there goes
    // to the application's handler and does not leave the call.
    void DoClick();
    // The item's own OnClick, or the bound action.
    virtual void Click();

    // Copies Caption, Enabled, HelpContext, Hint, ImageIndex, ShortCut and Visible into
    // an action (ivInCustomizing leaves the action's visibility as it is).
    virtual void AssignTo(TBasicAction* Dest) const;

    // Kinds answer these.
    virtual bool CanClicked() const { return true; }
    virtual bool HiddenInCustomizingLists() const { return false; }
    virtual bool CanBeActivatedByKey(const TzqBarItemLink* Link) const { return Enabled(); }
    virtual bool IsActiveControlItem() const { return false; }
    virtual bool HasHotImage() const;
    virtual bool HasLargeImage() const { return false; }

    // Fast kind tests used by the walks through the links.
    bool IsSubItem() const { return (m_kind & kSubItemKind) != 0; }
    bool IsButton() const { return (m_kind & kButtonKind) != 0; }
    bool IsEditItem() const { return (m_kind & kEditKind) != 0; }

    TNotifyEvent OnClick;
    TNotifyEvent OnDestroy;

    // Reads true while the item lives (a handler may free it).
    std::shared_ptr<const bool> Watch() const { return m_life.Watch(); }

protected:
    enum : unsigned { kSubItemKind = 1, kButtonKind = 2, kEditKind = 4, kWindowItemKind = 8 };
    void AddKind(unsigned kind) { m_kind |= kind; }

    // Notices, each run after the change it names.
    virtual void BarManagerChanged() {}
    virtual void CaptionChanged() {}
    virtual void EnabledChanged() {}
    virtual void GlyphChanged() {}
    virtual void ShortCutChanged() {}
    // The item's size in a bar changed: the bars showing it lay out again.
    virtual void SizeChanged();
    // The item was shown or hidden: the lists of every collection linking it are
    // rebuilt, its links go first (shown) or last (hidden) in the recent order.
    virtual void VisibleChanged();

    // Applies the action's properties: with CheckDefaults only where the item still
    // holds its default.
    virtual void ActionChange(TObject* Sender, bool CheckDefaults);

    void Loaded() override;
    // The first step of destruction; kinds that own parts call it first in their own
    // destructor, so that OnDestroy and the links' departure see the item whole.
    void ItemDestroying();
    // What the collections showing the item derive from it changed.
    void LinksChanged();
    // Loading: the item itself, or the manager it belongs to.
    bool Loading() const;
    // The manager changed (a property of the item outside loading).
    void NotifyChanged();

private:
    friend class TzqBarItemLink;
    friend class TzqBarManager;
    friend class TzqBarItemActionLink;
    friend class TzqBarManagerCategories;
    void AddLink(TzqBarItemLink* Link) { m_links.push_back(Link); }
    void RemoveLink(TzqBarItemLink* Link);
    void ApplyPendingVisible();
    void ManagerDestroyed();

    TzqBarManager* m_manager = nullptr;
    unsigned m_kind = 0;
    std::unique_ptr<TzqBarItemActionLink> m_actionLink;
    TzqBarItemAlign m_align = TzqBarItemAlign::iaLeft;
    std::string m_caption;
    int m_category = -1;
    std::string m_description;
    bool m_enabled = true;
    int m_helpContext = 0;
    std::string m_hint;
    TzqBarItemVisible m_visible = TzqBarItemVisible::ivAlways;
    bool m_hasPendingVisible = false;
    TzqBarItemVisible m_pendingVisible = TzqBarItemVisible::ivAlways;
    mutable std::unique_ptr<TBitmap> m_glyph;
    int m_imageIndex = -1;
    TShortCut m_shortCut = scNone;
    bool m_unclickAfterDoing = true;
    std::vector<TzqBarItemLink*> m_links;
    TzqBarItemLink* m_activeLink = nullptr;
    bool m_itemDestroying = false;

protected:
    // Tells code that fired an event whether the item survived it.
    TzqLifeToken m_life;
};
