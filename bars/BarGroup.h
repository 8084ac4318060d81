// TzqBarGroup: items and other groups switched on and off together. Setting Enabled
// or Visible on the group sets it on every member, through member groups too.
#pragma once

#include "bars/BarTypes.h"
#include "platform/core/Component.h"

#include <string>
#include <vector>

class TzqBarGroup : public TComponent {
public:
    // Joins the manager of the owner form, else the first manager.
    explicit TzqBarGroup(TComponent* AOwner);
    ~TzqBarGroup() override;

    TzqBarManager* BarManager() const { return m_manager; }

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool value);
    TzqBarItemVisible Visible() const { return m_visible; }
    void SetVisible(TzqBarItemVisible value);

    // Members: items and groups. Adding the group itself or a group that contains it
    // fails with "You cannot create recursive groups"; a member already present, or a
    // component that is neither an item nor a group, is ignored.
    int Count() const { return static_cast<int>(m_members.size()); }
    TComponent* Items(int Index) const;
    void Add(TComponent* Member);
    void Remove(TComponent* Member);
    int IndexOf(const TComponent* Member) const;
    // Whether the member is in the group or in one of its member groups.
    bool Contains(const TComponent* Member) const;

    // The member names as stored. While loading, names set here are resolved in the
    // owner form when loading ends (names matching no component are skipped).
    std::vector<std::string> ItemNames() const;
    void SetItemNames(const std::vector<std::string>& Names);

protected:
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    friend class TzqBarManager;
    template <typename F> void ForEachMember(F f);
    void ManagerDestroyed() { m_manager = nullptr; }

    TzqBarManager* m_manager = nullptr;
    bool m_enabled = true;
    TzqBarItemVisible m_visible = TzqBarItemVisible::ivAlways;
    std::vector<TComponent*> m_members;
    std::vector<std::string> m_pendingNames;
};
