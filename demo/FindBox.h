// TFindBox: the program's find box, a strip over the chart with a text field and a
// status line. Typing searches the captions from the selected node on; Enter or F3
// finds the next node, Shift+F3 the previous one, going round with a note; Escape
// closes it and gives the focus back to the chart. A found node's collapsed
// ancestors expand, it scrolls into view and becomes the selection (so the table's
// cursor follows it).
#pragma once

#include "platform/controls/Panel.h"

class TEdit;
class TLabel;
class TzqCustomOrgChart;

class TFindBox : public TPanel {
public:
    TFindBox(TComponent* AOwner, TWinControl* AParent, TzqCustomOrgChart* AChart);

    // Shows the box with its text selected, the focus in it.
    void Open();
    // Hides the box; the chart gets the focus back.
    void Close();
    // The next (or previous) match after the selected node; opens the box first when it
    // has nothing to search for yet.
    void FindNext(bool Forward);

    TEdit* Edit() const { return m_edit; }
    // What the last search said ("" after a plain find).
    std::string Status() const;

private:
    void Search(bool Forward, bool IncludeSelected);
    void EditKeyDown(WORD& Key, TShiftState Shift);
    void SetStatus(const std::string& Text);

    TzqCustomOrgChart* m_chart;
    TEdit* m_edit = nullptr;
    TLabel* m_status = nullptr;
};
