// TzqOrgChart: the org chart control as applications place it on a form. Everything it
// offers is TzqCustomOrgChart's; the class exists so that descendants with a different
// data source (the data-bound chart) and plain charts share one base.
#pragma once

#include "orgchart/CustomOrgChart.h"

class TzqOrgChart : public TzqCustomOrgChart {
public:
    using TzqCustomOrgChart::TzqCustomOrgChart;
};
