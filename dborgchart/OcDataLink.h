// TzqOcDataLink: the data-bound chart's connection to its data source. It passes the
// dataset's notifications to the chart: opening and closing rebinds it, scrolling
// moves the selection, a changed field of the current record updates the selected
// node, and a changed dataset reloads the chart, or rebuilds it when the filter is no
// longer the one the chart was built with.
#pragma once

#include "platform/data/DataLink.h"

#include <string>

class TzqDbOrgChart;

class TzqOcDataLink : public TDataLink {
public:
    explicit TzqOcDataLink(TzqDbOrgChart* AChart) : m_chart(AChart) {}

    TzqDbOrgChart* Chart() const { return m_chart; }
    // The dataset's filtering switch and filter text when the bindings were last made.
    bool Filtered() const { return m_filtered; }
    const std::string& Filter() const { return m_filter; }

protected:
    void ActiveChanged() override;
    void DataSetChanged() override;
    void DataSetScrolled(int Distance) override;
    void RecordChanged(TField* Field) override;

private:
    friend class TzqDbOrgChart;

    TzqDbOrgChart* m_chart;
    bool m_filtered = false;
    std::string m_filter;
};
