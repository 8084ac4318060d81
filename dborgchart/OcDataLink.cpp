#include "dborgchart/OcDataLink.h"

#include "dborgchart/DbOrgChart.h"
#include "platform/data/DataSet.h"

void TzqOcDataLink::ActiveChanged()
{
    m_chart->ResetBindings();
}

void TzqOcDataLink::DataSetChanged()
{
    // A new filter makes a new set of records: the chart is built again from scratch.
    // Any other change (a post, a cancel, a delete, a refresh) reloads it in place.
    TDataSet* dataSet = DataSet();
    if (dataSet && dataSet->Filtered() == m_filtered && dataSet->Filter() == m_filter)
        m_chart->ReloadNodes();
    else
        m_chart->ResetBindings();
}

void TzqOcDataLink::DataSetScrolled(int Distance)
{
    m_chart->CursorMoved(Distance);
}

void TzqOcDataLink::RecordChanged(TField* Field)
{
    m_chart->FieldChanged(Field);
}
