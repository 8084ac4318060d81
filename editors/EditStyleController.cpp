#include "editors/EditStyleController.h"

#include "editors/InplaceEdit.h"

namespace {

template <typename T>
bool Store(T& field, T value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}

// Ends a batch of changes however the block is left.
struct UpdateGuard {
    TzqStyleController& controller;
    explicit UpdateGuard(TzqStyleController& c) : controller(c) { controller.BeginUpdate(); }
    ~UpdateGuard() { controller.EndUpdate(); }
};

} // namespace

TzqEditStyleController::TzqEditStyleController(TComponent* AOwner) : TzqStyleController(AOwner) {}

TzqEditStyleController::~TzqEditStyleController() = default;

void TzqEditStyleController::SetBorderColor(TColor Value)
{
    if (Store(m_borderColor, Value))
        Changed();
}

void TzqEditStyleController::SetBorderStyle(TzqEditBorderStyle Value)
{
    if (IsValidOrdinal(Value) && Store(m_borderStyle, Value))
        Changed();
}

void TzqEditStyleController::SetButtonStyle(TzqEditButtonViewStyle Value)
{
    if (IsValidOrdinal(Value) && Store(m_buttonStyle, Value))
        Changed();
}

void TzqEditStyleController::SetButtonTransparence(TzqEditButtonTransparence Value)
{
    if (IsValidOrdinal(Value) && Store(m_buttonTransparence, Value))
        Changed();
}

void TzqEditStyleController::SetEdges(TzqEditEdges Value)
{
    if (Store(m_edges, ValidEdges(Value)))
        Changed();
}

void TzqEditStyleController::SetHotTrack(bool Value)
{
    if (Store(m_hotTrack, Value))
        Changed();
}

void TzqEditStyleController::SetShadow(bool Value)
{
    if (Store(m_shadow, Value))
        Changed();
}

void TzqEditStyleController::LinkChanged(TObject* Link)
{
    if (auto* edit = dynamic_cast<TzqInplaceEdit*>(Link)) {
        if (edit->StyleController() && edit->StyleController() != this)
            return;
        edit->StyleChanged();
    }
    TzqStyleController::LinkChanged(Link);
}

void TzqEditStyleController::RestoreDefaults()
{
    UpdateGuard batch(*this);
    SetBorderColor(DefaultBorderColor);
    SetBorderStyle(DefaultBorderStyle);
    SetButtonStyle(DefaultButtonStyle);
    SetButtonTransparence(DefaultButtonTransparence);
    SetEdges(DefaultEdges);
    SetHotTrack(DefaultHotTrack);
    SetShadow(DefaultShadow);
}

void TzqEditStyleController::Assign(const TObject& Source)
{
    const auto* other = dynamic_cast<const TzqEditStyleController*>(&Source);
    if (!other) {
        TzqStyleController::Assign(Source);
        return;
    }
    UpdateGuard batch(*this);
    SetBorderColor(other->BorderColor());
    SetBorderStyle(other->BorderStyle());
    SetButtonStyle(other->ButtonStyle());
    SetButtonTransparence(other->ButtonTransparence());
    SetEdges(other->Edges());
    SetHotTrack(other->HotTrack());
    SetShadow(other->Shadow());
}
