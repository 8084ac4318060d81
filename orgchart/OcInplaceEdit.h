// TzqOcInplaceEdit: the flat multi-line edit laid over the selected node's text area
// while its caption is edited. It takes its styles from the chart's EditMode, grows
// about its centre as text is typed, and hands the keys that end or move editing to
// the chart.
#pragma once

#include "platform/controls/CustomEdit.h"

class TzqCustomOrgChart;

class TzqOcInplaceEdit : public TCustomEdit {
public:
    explicit TzqOcInplaceEdit(TzqCustomOrgChart* AChart);
    ~TzqOcInplaceEdit() override;

    TzqCustomOrgChart* Chart() const { return m_chart; }

    // Client size limits: "W" measured in the chart's font at least, half the screen
    // at most.
    int MinWidth() const { return m_minWidth; }
    void SetMinWidth(int value) { m_minWidth = value; }
    int MaxWidth() const { return m_maxWidth; }
    void SetMaxWidth(int value) { m_maxWidth = value; }
    int MinHeight() const { return m_minHeight; }
    void SetMinHeight(int value) { m_minHeight = value; }
    int MaxHeight() const { return m_maxHeight; }
    void SetMaxHeight(int value) { m_maxHeight = value; }

    // Fits the editor to its text (plus room to type), growing or shrinking about its
    // centre; with word wrap only its height changes.
    void AdjustSize();

    void WndProc(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    bool IsMultiLine() const override { return true; }
    bool WordWrapWanted() const override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(char32_t& Key) override;
    void WMKeyUp(TMessage& Message) override;
    void WMKillFocus(TMessage& Message) override;

private:
    TzqCustomOrgChart* m_chart;
    int m_minWidth = 0;
    int m_maxWidth = 0;
    int m_minHeight = 0;
    int m_maxHeight = 0;
};
