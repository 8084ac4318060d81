// A row-based inspector named Inspector1 on a shown headless form, with helpers to make
// rows and to give the control an exact client size.
#pragma once

#include "editors/tests/HostFormFixture.h"
#include "inspector/CustomzqInspectorControl.h"
#include "inspector/InspectorTextRow.h"

#include <stdexcept>
#include <string>
#include <vector>

class TTestInspector : public TCustomzqInspectorControl {
public:
    using TCustomzqInspectorControl::TCustomzqInspectorControl;
    using TCustomzqInspector::SetMouseState;
};

// A text row whose value cannot be stored while `refuse` is set.
class TRefusingRow : public TzqInspectorTextRow {
public:
    using TzqInspectorTextRow::TzqInspectorTextRow;
    bool refuse = false;
    void SetValueText(const std::string& Text) override
    {
        if (refuse)
            throw std::runtime_error("Cannot store the value.");
        TzqInspectorTextRow::SetValueText(Text);
    }
};

class InspectorTest : public THostFormTest<TTestInspector> {
protected:
    void SetUp() override
    {
        THostFormTest<TTestInspector>::SetUp();
        host->SetName("Inspector1");
    }

    // Rows named R0, R1, ... with captions C0, C1, ... and texts V0, V1, ...
    std::vector<TzqInspectorTextRow*> AddRows(int n)
    {
        std::vector<TzqInspectorTextRow*> rows;
        for (int i = 0; i < n; ++i) {
            auto* row = new TzqInspectorTextRow(form);
            const int k = static_cast<int>(host->RowCount());
            row->SetName("R" + std::to_string(k));
            row->SetCaption("C" + std::to_string(k));
            row->SetText("V" + std::to_string(k));
            row->SetInspector(host);
            rows.push_back(row);
        }
        return rows;
    }
    void SetClientSize(int w, int h)
    {
        host->SetBounds(0, 0, w + (host->Width() - host->ClientWidth()), h + (host->Height() - host->ClientHeight()));
        driver.Pump();
    }
    // Row names of the lines in display order.
    std::vector<std::string> LineNames()
    {
        std::vector<std::string> names;
        for (int i = 0; i < host->LineCount(); ++i)
            names.push_back(TCustomzqInspectorControl::RowOfNode(host->LineNode(i))->Name());
        return names;
    }
};
