// TCustomzqPopupListBox: the list a list editor drops down. It fills a popup frame
// (a TzqInplacePopupControl owned by the editor, with the popup border and shadow) and
// never takes the focus: the editor keeps it and hands the list its keys. The line
// under the pointer is selected while the mouse moves over it (TrackMouse); a release
// of the left button closes the list through the editor, accepting the line when the
// pointer is inside the list.
#pragma once

#include "editors/EditStyleTypes.h"
#include "platform/controls/ListBox.h"

class TzqInplaceDropDownEdit;
class TzqInplacePopupControl;

class TCustomzqPopupListBox : public TCustomListBox {
public:
    // A list of `Edit`, owned by it.
    explicit TCustomzqPopupListBox(TzqInplaceDropDownEdit* Edit);
    ~TCustomzqPopupListBox() override;

    TzqInplaceDropDownEdit* Edit() const { return m_edit; }
    // The popup window the list fills.
    TzqInplacePopupControl* Frame() const { return m_frame; }

    TzqPopupBorder PopupBorder() const;
    void SetPopupBorder(TzqPopupBorder Value);
    bool Shadow() const;
    void SetShadow(bool Value);
    bool TrackMouse() const { return m_trackMouse; }
    void SetTrackMouse(bool Value) { m_trackMouse = Value; }

    // The popup's size for a list client area of that size (border and shadow added).
    TSize FrameSizeFor(int ClientWidth, int ClientHeight) const;
    // Sizes the popup for that client size (its position stays).
    void SetClientSizeOfPopup(int ClientWidth, int ClientHeight);
    // Shows the popup without activating it / hides it (the editor hears ZQM_CLOSEUP).
    void ShowPopup();
    void ClosePopup();
    bool IsShown() const;

    bool CanFocus() const override { return false; }

protected:
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void CreateParams(TCreateParams& Params) override;

private:
    TzqInplaceDropDownEdit* m_edit;
    TzqInplacePopupControl* m_frame = nullptr;
    bool m_trackMouse = true;
    bool m_pressed = false;
};
