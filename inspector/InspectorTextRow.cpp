#include "inspector/InspectorTextRow.h"

void TzqInspectorTextRow::SetText(const std::string& Value)
{
    if (Value == m_text)
        return;
    m_text = Value;
    LayoutChanged();
}
