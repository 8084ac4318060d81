#include "editors/StyleController.h"

#include "platform/core/Exception.h"

#include <algorithm>

TzqStyleController::TzqStyleController(TComponent* AOwner) : TComponent(AOwner) {}

TzqStyleController::~TzqStyleController() = default;

void TzqStyleController::AddLink(TObject* Link)
{
    if (!Link)
        return;
    m_links.push_back(Link);
    ++m_linksRevision;
}

void TzqStyleController::RemoveLink(TObject* Link)
{
    const auto it = std::find(m_links.rbegin(), m_links.rend(), Link);
    if (it == m_links.rend())
        return;
    m_links.erase(std::next(it).base());
    ++m_linksRevision;
}

void TzqStyleController::LinkChanged(TObject* Link)
{
    if (OnStyleChanged)
        OnStyleChanged(this, Link);
}

TObject* TzqStyleController::Links(int Index) const
{
    if (Index < 0 || Index >= LinkCount())
        return nullptr;
    return m_links[static_cast<size_t>(Index)];
}

void TzqStyleController::BeginUpdate()
{
    ++m_updateCount;
}

void TzqStyleController::EndUpdate()
{
    if (m_updateCount > 0)
        --m_updateCount;
    Changed();
}

void TzqStyleController::Changed()
{
    if (m_updateCount != 0 || IsLoading())
        return;
    // A link may leave (an editor destroyed by a handler) or join while the change is
    // published; the ones that left are not told any more.
    const std::vector<TObject*> links = m_links;
    const uint64_t revision = m_linksRevision;
    for (TObject* link : links) {
        if (m_linksRevision != revision && std::find(m_links.begin(), m_links.end(), link) == m_links.end())
            continue;
        LinkChanged(link);
    }
}

void TzqStyleController::Assign(const TObject& Source)
{
    throw EInvalidOperation("Cannot assign a " + ClassNameOf(Source) + " to a " + ClassNameOf(*this));
}

void TzqStyleController::Loaded()
{
    TComponent::Loaded();
    Changed();
}
