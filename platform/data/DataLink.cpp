#include "platform/data/DataLink.h"

#include "platform/data/DataSet.h"
#include "platform/data/DataSource.h"

TDataLink::~TDataLink()
{
    if (m_dataSource)
        m_dataSource->RemoveLink(this);
}

void TDataLink::SetDataSource(TDataSource* source)
{
    if (source == m_dataSource)
        return;
    if (m_dataSource)
        m_dataSource->RemoveLink(this);
    m_dataSource = source;
    if (m_dataSource)
        m_dataSource->AddLink(this);
    UpdateState();
}

TDataSet* TDataLink::DataSet() const
{
    return m_dataSource ? m_dataSource->DataSet() : nullptr;
}

void TDataLink::SetReadOnly(bool value)
{
    if (value == m_readOnly)
        return;
    m_readOnly = value;
    UpdateState();
}

bool TDataLink::Edit()
{
    if (!m_readOnly && m_dataSource)
        m_dataSource->Edit();
    return m_editing;
}

void TDataLink::UpdateRecord()
{
    m_updating = true;
    try {
        UpdateData();
    } catch (...) {
        m_updating = false;
        throw;
    }
    m_updating = false;
}

void TDataLink::UpdateState()
{
    const bool active = m_dataSource && m_dataSource->State() != TDataSetState::dsInactive;
    if (active != m_active) {
        m_active = active;
        ActiveChanged();
    }
    const bool editing = m_active && !m_readOnly && IsEditState(m_dataSource->State());
    if (editing != m_editing) {
        m_editing = editing;
        EditingChanged();
    }
}

void TDataLink::DataEvent(TDataEvent event, intptr_t info)
{
    if (event == TDataEvent::deUpdateState) {
        UpdateState();
        return;
    }
    if (!m_active)
        return;
    switch (event) {
    case TDataEvent::deFieldChange: RecordChanged(reinterpret_cast<TField*>(info)); break;
    case TDataEvent::deRecordChange: RecordChanged(nullptr); break;
    case TDataEvent::deDataSetChange: DataSetChanged(); break;
    case TDataEvent::deDataSetScroll: DataSetScrolled(int(info)); break;
    case TDataEvent::deLayoutChange: LayoutChanged(); break;
    case TDataEvent::deUpdateRecord:
        if (!m_updating)
            UpdateRecord();
        break;
    case TDataEvent::deCheckBrowseMode: CheckBrowseMode(); break;
    case TDataEvent::deFocusControl: FocusControl(*reinterpret_cast<TField**>(info)); break;
    default: break;
    }
}
