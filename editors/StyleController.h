// TzqStyleController: publishes look changes to the objects subscribed to it (its
// links, in-place editors), so that one controller restyles many editors at once.
// Changes made between BeginUpdate and EndUpdate are published once, at the last
// EndUpdate; nothing is published while the controller is being loaded.
#pragma once

#include "editors/EditStyleTypes.h"
#include "platform/core/Component.h"

#include <cstdint>
#include <vector>

class TzqStyleController : public TComponent {
public:
    explicit TzqStyleController(TComponent* AOwner = nullptr);
    ~TzqStyleController() override;

    // Subscribing: links are kept in the order they came; the controller owns none.
    virtual void AddLink(TObject* Link);
    // Removes one subscription of the link (the last one made).
    virtual void RemoveLink(TObject* Link);
    // Publishes the change to one link: OnStyleChanged(this, Link) here.
    virtual void LinkChanged(TObject* Link);

    int LinkCount() const { return static_cast<int>(m_links.size()); }
    TObject* Links(int Index) const;

    void BeginUpdate();
    // Ends a batch and publishes (when it was the last one). An EndUpdate without a
    // BeginUpdate publishes and leaves the counter at 0.
    void EndUpdate();
    int UpdateCount() const { return m_updateCount; }
    // Publishes to every link in order, unless a batch runs or the controller is loading.
    void Changed();

    // Copies another controller's settings; the base copies nothing and raises
    // EInvalidOperation ("Cannot assign a ... to a ...").
    virtual void Assign(const TObject& Source);

    TzqStyleChangedEvent OnStyleChanged;

protected:
    // End of loading from a stored description: the settings read are published.
    void Loaded() override;

private:
    std::vector<TObject*> m_links;
    // Grows with every change of the list, so that a publication notices links that
    // left while it ran.
    uint64_t m_linksRevision = 0;
    int32_t m_updateCount = 0;
};
