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
