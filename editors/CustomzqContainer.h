// TCustomzqContainer: the base of a grid-like control that lays small editor windows
// (TzqInplaceEdit) over one of its cells while the user edits a value. The editors ask
// their host the questions below (may the value change, which keys, which colour and
// font, where the focus goes); a host answers them for its cells.
//
// Activating an editor for a cell, in order: EditorOfClass (one editor per editor
// class, owned by the host and a child window of it), PrepareEditor (colour, font, text
// offsets), LoadEditor (the value, with the loading flag set around it), then the
// editor's ShowAt with the cell's rectangle.
#pragma once

#include "editors/EditStyleTypes.h"
#include "platform/controls/CustomControl.h"
#include "platform/data/Variant.h"

#include <memory>
#include <vector>

class TzqEditStyle;
class TzqInplaceEdit;
class TzqInplaceEditClass;

class TCustomzqContainer : public TCustomControl {
public:
    explicit TCustomzqContainer(TComponent* AOwner);
    ~TCustomzqContainer() override;

    // True while the host fills an editor with a new value: rows then neither report
    // changes nor validate.
    bool EditorLoading() const { return m_editorLoading; }
    // Flat scroll bars (set through a host's Flat property); a change makes the window
    // again.
    bool FlatScrollBars() const { return m_flatScrollBars; }
    void SetFlatScrollBars(bool Value);

    // ---- What editors ask their host ----
    virtual bool CanEditModify();
    virtual bool CanEditAcceptKey(char32_t Key);
    // The style of a new editor (hosts may give editors a style with defaults of their own).
    virtual std::unique_ptr<TzqEditStyle> CreateEditStyle(TzqInplaceEdit* Edit);
    // Scrolls by Lines lines (WM_VSCROLL line up or down, once per line).
    virtual void ScrollByWheel(bool Up, int Lines);
    virtual TColor GetEditColor();
    virtual const TFont* GetEditFont();
    virtual bool IsEditReadOnly();
    // Sees a key of the editor before the editor handles it: the host's OnKeyDown here.
    virtual void EditKeyDown(WORD& Key, TShiftState Shift);
    // While True the editor drops key-down and character messages.
    virtual bool EditKeysBlocked();
    // A press on the editor soon after a press on the host counts as a double click.
    virtual bool EmulateEditDblClick();
    // Tab goes to the editor (which hands it back to the host) instead of moving the
    // focus to the next control of the form.
    virtual bool EditWantsTab();
    virtual void EditNavigate(bool Backward);
    // The focus entered or left the editor.
    virtual void EditFocusChanged();
    virtual void BeginEditorLoad();
    virtual void EndEditorLoad();
    // The popup border a drop-down editor of that border style uses.
    virtual TzqPopupBorder GetPopupBorder(TzqEditBorderStyle EditBorderStyle);

    // ---- Activating an editor ----
    // The host's editor of that class, made on first use.
    TzqInplaceEdit* EditorOfClass(const TzqInplaceEditClass& EditClass);
    // The editor shown over a cell now, or null. A left-button press on the host
    // records its message time into this editor's click time.
    TzqInplaceEdit* ActiveEdit() const { return m_activeEdit; }
    void SetActiveEdit(TzqInplaceEdit* Edit) { m_activeEdit = Edit; }
    // Colour (as the nearest solid colour), a copy of the font, text offsets (1, 0, 0, 0).
    void PrepareEditor(TzqInplaceEdit* Edit);
    // Puts Value into the editor as unmodified, read-only when the host says so, with an
    // undo point; the loading flag is set around it and cleared also when it raises.
    void LoadEditor(TzqInplaceEdit* Edit, const Variant& Value);

    void WndProc(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    // The editor hands keys, characters and double clicks to the host's own handling.
    friend class TzqInplaceEdit;

    bool m_editorLoading = false;
    bool m_flatScrollBars = false;
    std::vector<TzqInplaceEdit*> m_editors; // owned as components
    TzqInplaceEdit* m_activeEdit = nullptr;
};
