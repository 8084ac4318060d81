// The edit control, single-line and multi-line in one engine: caret, selection by
// mouse and keys, typing and replacing, word wrap, alignment, case conversion, length
// limit, read-only, password character, modified flag, undo and redo, the clipboard,
// margins and a format rectangle, driven by the classic EM_* messages.
//
// Behaviour follows the window's ES_* styles (ES_MULTILINE, ES_CENTER, ES_RIGHT,
// ES_UPPERCASE, ES_LOWERCASE, ES_AUTOHSCROLL, ES_READONLY, ES_PASSWORD, ES_WANTRETURN),
// so a descendant that sets styles in CreateParams gets the matching behaviour.
//
// The behaviour itself is the edit engine's (TEditEngine): the control keeps the
// properties that shape the window and hands the engine every message it leaves to
// the default handling.
#pragma once

#include "platform/controls/CustomControl.h"
#include "platform/controls/EditBuffer.h"
#include "platform/controls/EditEngine.h"
#include "platform/controls/Label.h"

#include <vector>

class TPopupList;

class TCustomEdit : public TCustomControl, private TEditEngineClient {
public:
    explicit TCustomEdit(TComponent* AOwner);
    ~TCustomEdit() override;

    int MaxLength() const { return m_engine.MaxLength(); }
    void SetMaxLength(int value);
    bool ReadOnly() const { return m_engine.ReadOnly(); }
    void SetReadOnly(bool value);
    char32_t PasswordChar() const { return m_engine.PasswordChar(); }
    void SetPasswordChar(char32_t value);
    TEditCharCase CharCase() const { return m_charCase; }
    void SetCharCase(TEditCharCase value);
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment value);
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle value);
    bool AutoSelect() const { return m_engine.AutoSelect(); }
    void SetAutoSelect(bool value) { m_engine.SetAutoSelect(value); }
    bool HideSelection() const { return m_hideSelection; }
    void SetHideSelection(bool value);

    bool Modified() const;
    void SetModified(bool value);
    int SelStart() const;
    void SetSelStart(int value);
    int SelLength() const;
    void SetSelLength(int value);
    std::string SelText() const;
    void SetSelText(const std::string& value);
    void SelectAll();
    void ClearSelection();
    void CutToClipboard();
    void CopyToClipboard();
    void PasteFromClipboard();
    bool CanUndo() const;
    void Undo();
    void ClearUndo();

    // The edit's own context menu (Undo, Cut, Copy, Paste, Delete, Select All), opened
    // by a right click, the menu key or Shift+F10 when no PopupMenu is set and
    // OnContextPopup does not handle the request. Made on first use.
    TPopupList* EditMenu();
    // Opens the edit menu at a screen point, its items enabled as they apply now.
    void ShowEditMenu(TPoint screenPt);

    // Below the caret's line.
    TPoint KeyboardContextPoint() override;

    // The notices the control sends its parent as WM_NOTIFY (ENM_SELCHANGE: every
    // change of the selection as EN_SELCHANGE); the same as EM_SETEVENTMASK.
    DWORD EventMask() const { return m_engine.EventMask(); }
    void SetEventMask(DWORD value) { m_engine.SetEventMask(value); }
    // An 8-pixel band at the left in which a click selects the whole line (the same as
    // the ECO_SELECTIONBAR option of EM_SETOPTIONS).
    bool SelectionBar() const { return m_engine.SelectionBar(); }
    void SetSelectionBar(bool value) { m_engine.SetSelectionBar(value); }

    // Lines as shown (after wrapping).
    int LineCount();
    std::string LineText(int index);

    TNotifyEvent OnChange;
    // The selection changed (from the EN_SELCHANGE notice, so only under ENM_SELCHANGE).
    TNotifyEvent OnSelectionChange;

    void WndProc(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void WindowCreated() override;
    void Paint() override;
    std::string GetText() const override;
    void TextChanged() override;
    void FontChanged() override;
    void Resize() override;
    virtual void Change();
    // The EN_SELCHANGE notice came back (reflected by the parent).
    virtual void SelectionChange();
    // Multi-line controls say so (TMemo).
    virtual bool IsMultiLine() const { return false; }
    virtual bool WantReturns() const { return true; }
    virtual bool WantTabs() const { return false; }
    virtual bool WordWrapWanted() const { return false; }

    DWORD EditStyle() const { return m_engine.EditStyle(); }
    // Re-reads the ES_* styles of the window (after it was made or changed).
    void ReadStyles() { m_engine.ReadStyles(); }
    // The rectangle text is laid out in (client coordinates).
    TRect FormatRect() const { return m_engine.FormatRect(); }

private:
    // TEditEngineClient
    void EditChanged() override { Change(); }
    bool EditWantsReturns() const override { return WantReturns(); }
    bool EditWantsTabs() const override { return WantTabs(); }

    // The edit window's behaviour; the control hands it what it leaves to the default
    // handling.
    TEditEngine m_engine{*this, *this};
    TEditCharCase m_charCase = TEditCharCase::ecNormal;
    TAlignment m_alignment = TAlignment::taLeftJustify;
    TBorderStyle m_borderStyle = TBorderStyle::bsSingle;
    bool m_hideSelection = true;
};

class TEdit : public TCustomEdit {
public:
    using TCustomEdit::TCustomEdit;
};

class TMemo : public TCustomEdit {
public:
    explicit TMemo(TComponent* AOwner);
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool value);
    bool WantReturnsValue() const { return m_wantReturns; }
    void SetWantReturns(bool value) { m_wantReturns = value; }
    bool WantTabsValue() const { return m_wantTabs; }
    void SetWantTabs(bool value) { m_wantTabs = value; }

protected:
    bool IsMultiLine() const override { return true; }
    bool WantReturns() const override { return m_wantReturns; }
    bool WantTabs() const override { return m_wantTabs; }
    bool WordWrapWanted() const override { return m_wordWrap; }

private:
    bool m_wordWrap = true;
    bool m_wantReturns = true;
    bool m_wantTabs = false;
};
