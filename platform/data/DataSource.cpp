#include "platform/data/DataSource.h"

#include "platform/data/DataLink.h"
#include "platform/data/DataSet.h"

#include <algorithm>

TDataSource::~TDataSource()
{
    BeforeDestruction();
    m_freeNotifier.Notify(this);
    // Links forget this source; they hear that they are no longer active.
    while (!m_links.empty())
        m_links.back()->SetDataSource(nullptr);
    if (m_dataSet)
        m_dataSet->DetachDataSource(this);
}

void TDataSource::SetDataSet(TDataSet* dataSet)
{
    if (dataSet == m_dataSet)
        return;
    if (m_dataSet)
        m_dataSet->DetachDataSource(this);
    m_dataSet = dataSet;
    if (m_dataSet)
        m_dataSet->AttachDataSource(this);
    UpdateState();
}

void TDataSource::SetEnabled(bool value)
{
    if (value == m_enabled)
        return;
    m_enabled = value;
    UpdateState();
}

TDataSetState TDataSource::State() const
{
    return (m_dataSet && m_enabled) ? m_dataSet->State() : TDataSetState::dsInactive;
}

void TDataSource::Edit()
{
    if (m_autoEdit && State() == TDataSetState::dsBrowse)
        m_dataSet->Edit();
}

void TDataSource::UpdateState()
{
    DataEvent(TDataEvent::deUpdateState, 0);
}

void TDataSource::NotifyLinks(TDataEvent event, intptr_t info)
{
    // A link may leave (or a control be destroyed) while the others are told.
    const std::vector<TDataLink*> links = m_links;
    for (TDataLink* link : links) {
        if (std::find(m_links.begin(), m_links.end(), link) == m_links.end())
            continue;
        link->DataEvent(event, info);
        if (event == TDataEvent::deFocusControl && *reinterpret_cast<TField**>(info) == nullptr)
            break;
    }
}

void TDataSource::DataEvent(TDataEvent event, intptr_t info)
{
    if (event == TDataEvent::deUpdateState) {
        const TDataSetState state = State();
        const bool changed = state != m_lastState;
        const bool opened = m_lastState == TDataSetState::dsInactive && state != TDataSetState::dsInactive;
        m_lastState = state;
        NotifyLinks(event, info);
        if (changed && OnStateChange)
            OnStateChange(this);
        if (opened && OnDataChange)
            OnDataChange(this, nullptr);
        return;
    }
    if (!m_enabled)
        return;
    NotifyLinks(event, info);
    switch (event) {
    case TDataEvent::deFieldChange:
        if (OnDataChange)
            OnDataChange(this, reinterpret_cast<TField*>(info));
        break;
    case TDataEvent::deRecordChange:
    case TDataEvent::deDataSetChange:
    case TDataEvent::deDataSetScroll:
    case TDataEvent::deLayoutChange:
        if (OnDataChange)
            OnDataChange(this, nullptr);
        break;
    case TDataEvent::deUpdateRecord:
        if (OnUpdateData)
            OnUpdateData(this);
        break;
    default:
        break;
    }
}

void TDataSource::AddLink(TDataLink* link)
{
    m_links.push_back(link);
}

void TDataSource::RemoveLink(TDataLink* link)
{
    std::erase(m_links, link);
}
