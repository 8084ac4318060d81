// TzqEditStyle: the look of one in-place editor (border, edges, shadow, buttons). A
// value set on the style is kept; a value not set follows the editor's style
// controller, else the default edit style controller, else the built-in default.
#pragma once

#include "editors/EditStyleTypes.h"
#include "platform/core/Color.h"
#include "platform/core/Object.h"

class TzqInplaceEdit;
class TzqEditStyleController;

class TzqEditStyle : public TObject {
public:
    // The style of `AEdit` (not owned; null for a style that belongs to no editor).
    explicit TzqEditStyle(TzqInplaceEdit* AEdit);
    TzqEditStyle(const TzqEditStyle&) = delete;
    TzqEditStyle& operator=(const TzqEditStyle&) = delete;
    ~TzqEditStyle() override;

    TzqInplaceEdit* Edit() const { return m_edit; }

    // Which values were set on the style itself. Setting the set stores it and, when it
    // differs, tells the editor (bits beyond the seven values are dropped).
    TzqEditStyleValues AssignedValues() const { return m_assignedValues; }
    void SetAssignedValues(TzqEditStyleValues Value);

    // A value reads its own setting when assigned, else its default. Setting a value
    // assigns it, even when it equals the default, and tells the editor; setting the
    // value already assigned does nothing; values outside their type are ignored.
    TColor BorderColor() const;
    void SetBorderColor(TColor Value);
    TzqEditBorderStyle BorderStyle() const;
    void SetBorderStyle(TzqEditBorderStyle Value);
    TzqEditButtonViewStyle ButtonStyle() const;
    void SetButtonStyle(TzqEditButtonViewStyle Value);
    TzqEditButtonTransparence ButtonTransparence() const;
    void SetButtonTransparence(TzqEditButtonTransparence Value);
    TzqEditEdges Edges() const;
    void SetEdges(TzqEditEdges Value);
    bool HotTrack() const;
    void SetHotTrack(bool Value);
    bool Shadow() const;
    void SetShadow(bool Value);

    // Copies the seven values another style shows, through the setters (all seven
    // become assigned); from anything else it raises EInvalidOperation.
    virtual void Assign(const TObject& Source);
    // Forgets every assigned value and tells the editor.
    virtual void RestoreDefaults();

    // The controller whose values unassigned values follow when the editor has no
    // controller of its own: the default edit style controller here.
    virtual TzqEditStyleController* GetDefaultStyleController() const;

protected:
    // Tells the editor (StyleChanged).
    virtual void Changed();
    // The value an unassigned setting shows.
    virtual TColor DefaultBorderColor() const;
    virtual TzqEditBorderStyle DefaultBorderStyle() const;
    virtual TzqEditButtonViewStyle DefaultButtonStyle() const;
    virtual TzqEditButtonTransparence DefaultButtonTransparence() const;
    virtual TzqEditEdges DefaultEdges() const;
    virtual bool DefaultHotTrack() const;
    virtual bool DefaultShadow() const;
    // The editor's controller, else GetDefaultStyleController(); null without either.
    const TzqEditStyleController* DefaultsController() const;

private:
    template <typename T>
    void SetValue(TzqEditStyleValue Which, T& Field, T Value);

    TzqInplaceEdit* m_edit;
    TzqEditStyleValues m_assignedValues;
    TColor m_borderColor = clWindowFrame;
    TzqEditBorderStyle m_borderStyle = TzqEditBorderStyle::xbs3D;
    TzqEditButtonViewStyle m_buttonStyle = TzqEditButtonViewStyle::btsDefault;
    TzqEditButtonTransparence m_buttonTransparence = TzqEditButtonTransparence::ebtNone;
    TzqEditEdges m_edges = zqAllEdges;
    bool m_hotTrack = false;
    bool m_shadow = false;
};
