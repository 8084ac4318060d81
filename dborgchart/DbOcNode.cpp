#include "dborgchart/DbOcNode.h"

#include "dborgchart/DbOrgChart.h"
#include "dborgchart/OcScopes.h"
#include "platform/data/Field.h"
#include "platform/data/StringField.h"

TzqDbOcNode::TzqDbOcNode(TzqDbOrgChart* AChart) : TzqOcNode(AChart) {}

TzqDbOcNode::~TzqDbOcNode()
{
    m_dying = true;
    try {
        // Deleting the node through the chart deletes its branch's records; a failure
        // there cannot keep a node whose destructor already runs.
        ReleaseFromChart();
    } catch (...) {
    }
    if (TzqDbOrgChart* chart = DbChart())
        chart->NodeFreed(this);
}

TzqDbOrgChart* TzqDbOcNode::DbChart() const
{
    return static_cast<TzqDbOrgChart*>(Chart());
}

Variant TzqDbOcNode::PlacedParentKey() const
{
    const TzqOcNode* parent = Parent();
    return parent ? static_cast<const TzqDbOcNode*>(parent)->m_key.Get() : Variant::Null();
}

Variant TzqDbOcNode::ParentKey() const
{
    if (m_strayParentKey) {
        if (const Variant* kept = DbChart()->m_strayParentKeys.Find(this))
            return *kept;
    }
    return PlacedParentKey();
}

void TzqDbOcNode::SetParentKey(const Variant& Key)
{
    TzqDbOrgChart* chart = DbChart();
    if (Key.IsIdentical(PlacedParentKey())) {
        if (m_strayParentKey)
            chart->m_strayParentKeys.Erase(this);
        m_strayParentKey = false;
        return;
    }
    chart->m_strayParentKeys.Set(this, Key);
    m_strayParentKey = true;
}

void TzqDbOcNode::ParentChanged(TzqOcNode* OldParent)
{
    if (m_dying)
        return;
    if (!m_strayParentKey) {
        // The key the old place gave is the one the node keeps, until it is set.
        Variant old = OldParent ? static_cast<const TzqDbOcNode*>(OldParent)->m_key.Get() : Variant::Null();
        if (!old.IsIdentical(PlacedParentKey()))
            SetParentKey(old);
        return;
    }
    // The new place may be the one the kept key names.
    SetParentKey(ParentKey());
}

int TzqDbOcNode::RecordIndex() const
{
    const TzqDbOrgChart* chart = DbChart();
    return chart ? chart->m_positions.PositionOf(m_slot) : -1;
}

void TzqDbOcNode::SetText(const std::string& Value)
{
    const TzqDbOrgChart* chart = DbChart();
    const int limit = chart ? chart->CaptionLimit() : 0;
    if (limit > 0 && Utf8Length(Value) > size_t(limit))
        TzqOcNode::SetText(Utf8Left(Value, size_t(limit)));
    else
        TzqOcNode::SetText(Value);
}

void TzqDbOcNode::ReadData(TStream* Stream)
{
    TzqDbOrgChart* chart = DbChart();
    if (!chart) {
        TzqOcNode::ReadData(Stream);
        return;
    }
    {
        // The setters would each write the record; the block is written once instead.
        TzqOcFlagScope suspended(chart->m_syncEnabled, false);
        TzqOcNode::ReadData(Stream);
    }
    chart->NodeChanged(this);
}
