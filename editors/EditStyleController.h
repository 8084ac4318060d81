// TzqEditStyleController: the look every editor subscribed to it takes for the values
// its own style does not set. One process-wide controller without owner (the default
// edit style controller) gives the defaults of every style that names no controller.
#pragma once

#include "editors/StyleController.h"
#include "platform/core/Color.h"

class TzqEditStyleController : public TzqStyleController {
public:
    explicit TzqEditStyleController(TComponent* AOwner = nullptr);
    ~TzqEditStyleController() override;

    // Each setter stores a different value and publishes it (Changed); values outside
    // their type are ignored.
    TColor BorderColor() const { return m_borderColor; }
    void SetBorderColor(TColor Value);
    TzqEditBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TzqEditBorderStyle Value);
    TzqEditButtonViewStyle ButtonStyle() const { return m_buttonStyle; }
    void SetButtonStyle(TzqEditButtonViewStyle Value);
    TzqEditButtonTransparence ButtonTransparence() const { return m_buttonTransparence; }
    void SetButtonTransparence(TzqEditButtonTransparence Value);
    TzqEditEdges Edges() const { return m_edges; }
    void SetEdges(TzqEditEdges Value);
    bool HotTrack() const { return m_hotTrack; }
    void SetHotTrack(bool Value);
    bool Shadow() const { return m_shadow; }
    void SetShadow(bool Value);

    // An editor bound to another controller is not told; any other editor restyles
    // itself (StyleChanged) before OnStyleChanged fires.
    void LinkChanged(TObject* Link) override;
    // Every value back to its default, published once.
    virtual void RestoreDefaults();
    // From another edit style controller: its seven values, published once.
    void Assign(const TObject& Source) override;

    static constexpr TColor DefaultBorderColor = clWindowFrame;
    static constexpr TzqEditBorderStyle DefaultBorderStyle = TzqEditBorderStyle::xbs3D;
    static constexpr TzqEditButtonViewStyle DefaultButtonStyle = TzqEditButtonViewStyle::btsDefault;
    static constexpr TzqEditButtonTransparence DefaultButtonTransparence = TzqEditButtonTransparence::ebtNone;
    static constexpr TzqEditEdges DefaultEdges = zqAllEdges;
    static constexpr bool DefaultHotTrack = false;
    static constexpr bool DefaultShadow = false;

private:
    TColor m_borderColor = DefaultBorderColor;
    TzqEditBorderStyle m_borderStyle = DefaultBorderStyle;
    TzqEditButtonViewStyle m_buttonStyle = DefaultButtonStyle;
    TzqEditButtonTransparence m_buttonTransparence = DefaultButtonTransparence;
    TzqEditEdges m_edges = DefaultEdges;
    bool m_hotTrack = DefaultHotTrack;
    bool m_shadow = DefaultShadow;
};

// The default edit style controller (made when the library is loaded, freed when it is
// unloaded; used from the user-interface thread only).
TzqEditStyleController* DefaultEditStyleController();
