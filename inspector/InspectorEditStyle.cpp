#include "inspector/InspectorEditStyle.h"

#include "inspector/CustomzqInspector.h"

TzqInspectorEditStyle::TzqInspectorEditStyle(TzqInplaceEdit* AEdit, TCustomzqInspector* AInspector)
    : TzqEditStyle(AEdit), m_inspector(AInspector)
{
}

TColor TzqInspectorEditStyle::DefaultBorderColor() const
{
    return clWindowFrame;
}

TzqEditBorderStyle TzqInspectorEditStyle::DefaultBorderStyle() const
{
    const bool categorized = m_inspector && m_inspector->PaintStyle() == TzqInspectorPaintStyle::ipsCategorized;
    return categorized ? TzqEditBorderStyle::xbsFlat : TzqEditBorderStyle::xbsNone;
}

TzqEditButtonViewStyle TzqInspectorEditStyle::DefaultButtonStyle() const
{
    const bool flat = m_inspector && (m_inspector->PaintStyle() == TzqInspectorPaintStyle::ipsCategorized ||
                                      m_inspector->Flat());
    return flat ? TzqEditButtonViewStyle::btsFlat : TzqEditButtonViewStyle::bts3D;
}

TzqEditButtonTransparence TzqInspectorEditStyle::DefaultButtonTransparence() const
{
    return TzqEditButtonTransparence::ebtNone;
}

TzqEditEdges TzqInspectorEditStyle::DefaultEdges() const
{
    return zqAllEdges;
}
