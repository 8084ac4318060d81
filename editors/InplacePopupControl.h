// TzqInplacePopupControl: the base of every drop-down window of an editor (calendar,
// calculator, lists). While used as a popup it is a top-level window owned by the
// editor's form that never takes the activation: the form's caption stays active,
// clicks do not activate it, and it closes when it loses the focus. Every close posts
// the close-up notification (ZQM_CLOSEUP) to the editor.
#pragma once

#include "editors/EditStyleTypes.h"
#include "platform/controls/CustomControl.h"

class TzqInplaceEdit;

class TzqInplacePopupControl : public TCustomControl {
public:
    explicit TzqInplacePopupControl(TComponent* AOwner);
    ~TzqInplacePopupControl() override;

    // A change of border or shadow makes the window again.
    TzqPopupBorder PopupBorder() const { return m_popupBorder; }
    void SetPopupBorder(TzqPopupBorder Value);
    bool Shadow() const { return m_shadow; }
    void SetShadow(bool Value);
    int ShadowSize() const { return m_shadowSize; }
    // True while the control is a floating drop-down window (set before it is made).
    bool IsPopup() const { return m_isPopup; }
    void SetIsPopup(bool Value);
    bool ShowBorder() const { return m_showBorder; }
    void SetShowBorder(bool Value);
    // The drop-down editor the popup belongs to (not owned).
    TzqInplaceEdit* Edit() const { return m_edit; }
    void SetEdit(TzqInplaceEdit* Value);

    // Hides the window (when shown), gives the focus back to the editor while the
    // program is active, and posts ZQM_CLOSEUP to the editor.
    virtual void ClosePopup();
    // Shows the window; the editor's form keeps its caption active.
    virtual void ShowPopup();

    void WndProc(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    HWND EditFormHandle() const;
    void CalcNonClientSize(TMessage& Message);

    TzqPopupBorder m_popupBorder = TzqPopupBorder::pbDefault;
    bool m_shadow = false;
    int m_shadowSize = 2;
    bool m_isPopup = false;
    bool m_showBorder = true;
    TzqInplaceEdit* m_edit = nullptr;
};
