// TzqInspectorTextRow: a row that keeps its value as text (the Text property).
#pragma once

#include "inspector/InspectorRow.h"

class TzqInspectorTextRow : public TzqInspectorRow {
public:
    using TzqInspectorRow::TzqInspectorRow;

    const std::string& Text() const { return m_text; }
    // A different text relayouts the inspector.
    void SetText(const std::string& Value);

    void GetDisplayText(std::string& Text) override { Text = m_text; }
    void GetValueText(std::string& Text) override { Text = m_text; }
    void SetValueText(const std::string& Text) override { SetText(Text); }

private:
    std::string m_text;
};
