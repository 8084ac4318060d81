#include "editors/EditStyle.h"

#include "editors/EditStyleController.h"
#include "editors/InplaceEdit.h"
#include "platform/core/Exception.h"

using V = TzqEditStyleValue;
using C = TzqEditStyleController;

TzqEditStyle::TzqEditStyle(TzqInplaceEdit* AEdit) : m_edit(AEdit) {}

TzqEditStyle::~TzqEditStyle() = default;

template <typename T>
void TzqEditStyle::SetValue(TzqEditStyleValue Which, T& Field, T Value)
{
    if (m_assignedValues.contains(Which) && Field == Value)
        return;
    Field = Value;
    m_assignedValues.include(Which);
    Changed();
}

void TzqEditStyle::SetAssignedValues(TzqEditStyleValues Value)
{
    Value = ValidStyleValues(Value);
    if (Value == m_assignedValues)
        return;
    m_assignedValues = Value;
    Changed();
}

TColor TzqEditStyle::BorderColor() const
{
    return m_assignedValues.contains(V::svBorderColor) ? m_borderColor : DefaultBorderColor();
}

void TzqEditStyle::SetBorderColor(TColor Value)
{
    SetValue(V::svBorderColor, m_borderColor, Value);
}

TzqEditBorderStyle TzqEditStyle::BorderStyle() const
{
    return m_assignedValues.contains(V::svBorderStyle) ? m_borderStyle : DefaultBorderStyle();
}

void TzqEditStyle::SetBorderStyle(TzqEditBorderStyle Value)
{
    if (IsValidOrdinal(Value))
        SetValue(V::svBorderStyle, m_borderStyle, Value);
}

TzqEditButtonViewStyle TzqEditStyle::ButtonStyle() const
{
    return m_assignedValues.contains(V::svButtonStyle) ? m_buttonStyle : DefaultButtonStyle();
}

void TzqEditStyle::SetButtonStyle(TzqEditButtonViewStyle Value)
{
    if (IsValidOrdinal(Value))
        SetValue(V::svButtonStyle, m_buttonStyle, Value);
}

TzqEditButtonTransparence TzqEditStyle::ButtonTransparence() const
{
    return m_assignedValues.contains(V::svButtonTransparence) ? m_buttonTransparence : DefaultButtonTransparence();
}

void TzqEditStyle::SetButtonTransparence(TzqEditButtonTransparence Value)
{
    if (IsValidOrdinal(Value))
        SetValue(V::svButtonTransparence, m_buttonTransparence, Value);
}

TzqEditEdges TzqEditStyle::Edges() const
{
    return m_assignedValues.contains(V::svEdges) ? m_edges : DefaultEdges();
}

void TzqEditStyle::SetEdges(TzqEditEdges Value)
{
    SetValue(V::svEdges, m_edges, ValidEdges(Value));
}

bool TzqEditStyle::HotTrack() const
{
    return m_assignedValues.contains(V::svHotTrack) ? m_hotTrack : DefaultHotTrack();
}

void TzqEditStyle::SetHotTrack(bool Value)
{
    SetValue(V::svHotTrack, m_hotTrack, Value);
}

bool TzqEditStyle::Shadow() const
{
    return m_assignedValues.contains(V::svShadow) ? m_shadow : DefaultShadow();
}

void TzqEditStyle::SetShadow(bool Value)
{
    SetValue(V::svShadow, m_shadow, Value);
}

void TzqEditStyle::Assign(const TObject& Source)
{
    const auto* other = dynamic_cast<const TzqEditStyle*>(&Source);
    if (!other)
        throw EInvalidOperation("Cannot assign a " + ClassNameOf(Source) + " to a " + ClassNameOf(*this));
    // Read first: copying from itself must not see half-copied values.
    const TColor borderColor = other->BorderColor();
    const TzqEditBorderStyle borderStyle = other->BorderStyle();
    const TzqEditButtonViewStyle buttonStyle = other->ButtonStyle();
    const TzqEditButtonTransparence transparence = other->ButtonTransparence();
    const TzqEditEdges edges = other->Edges();
    const bool hotTrack = other->HotTrack();
    const bool shadow = other->Shadow();
    SetBorderColor(borderColor);
    SetBorderStyle(borderStyle);
    SetButtonStyle(buttonStyle);
    SetButtonTransparence(transparence);
    SetEdges(edges);
    SetHotTrack(hotTrack);
    SetShadow(shadow);
}

void TzqEditStyle::RestoreDefaults()
{
    m_assignedValues = {};
    Changed();
}

TzqEditStyleController* TzqEditStyle::GetDefaultStyleController() const
{
    return DefaultEditStyleController();
}

void TzqEditStyle::Changed()
{
    if (m_edit)
        m_edit->StyleChanged();
}

const TzqEditStyleController* TzqEditStyle::DefaultsController() const
{
    if (m_edit && m_edit->StyleController())
        return m_edit->StyleController();
    return GetDefaultStyleController();
}

TColor TzqEditStyle::DefaultBorderColor() const
{
    const C* c = DefaultsController();
    return c ? c->BorderColor() : C::DefaultBorderColor;
}

TzqEditBorderStyle TzqEditStyle::DefaultBorderStyle() const
{
    const C* c = DefaultsController();
    return c ? c->BorderStyle() : C::DefaultBorderStyle;
}

TzqEditButtonViewStyle TzqEditStyle::DefaultButtonStyle() const
{
    const C* c = DefaultsController();
    return c ? c->ButtonStyle() : C::DefaultButtonStyle;
}

TzqEditButtonTransparence TzqEditStyle::DefaultButtonTransparence() const
{
    const C* c = DefaultsController();
    return c ? c->ButtonTransparence() : C::DefaultButtonTransparence;
}

TzqEditEdges TzqEditStyle::DefaultEdges() const
{
    const C* c = DefaultsController();
    return c ? c->Edges() : C::DefaultEdges;
}

bool TzqEditStyle::DefaultHotTrack() const
{
    const C* c = DefaultsController();
    return c ? c->HotTrack() : C::DefaultHotTrack;
}

bool TzqEditStyle::DefaultShadow() const
{
    const C* c = DefaultsController();
    return c ? c->Shadow() : C::DefaultShadow;
}
