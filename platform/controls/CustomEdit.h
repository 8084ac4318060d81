// The edit control, single-line and multi-line in one engine: caret, selection by
// mouse and keys, typing and replacing, word wrap, alignment, case conversion, length
// limit, read-only, password character, modified flag, undo and redo, the clipboard,
// margins and a format rectangle, driven by the classic EM_* messages.
//
// Behaviour follows the window's ES_* styles (ES_MULTILINE, ES_CENTER, ES_RIGHT,
// ES_UPPERCASE, ES_LOWERCASE, ES_AUTOHSCROLL, ES_READONLY, ES_PASSWORD, ES_WANTRETURN),
// so a descendant that sets styles in CreateParams gets the matching behaviour.
#pragma once

#include "platform/controls/CustomControl.h"
#include "platform/controls/EditBuffer.h"
#include "platform/controls/Label.h"

#include <vector>

// The character range of EM_EXGETSEL and EM_EXSETSEL.
struct CHARRANGE {
    LONG cpMin = 0;
    LONG cpMax = 0;
};

// The notice of EN_SELCHANGE (WM_NOTIFY): the new selection and whether it is empty.
struct SELCHANGE {
    NMHDR nmhdr;
    CHARRANGE chrg;
    WORD seltyp = SEL_EMPTY;
};

class TPopupList;

class TCustomEdit : public TCustomControl {
public:
    explicit TCustomEdit(TComponent* AOwner);
    ~TCustomEdit() override;

    int MaxLength() const { return m_maxLength; }
    void SetMaxLength(int value);
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool value);
    char32_t PasswordChar() const { return m_passwordChar; }
    void SetPasswordChar(char32_t value);
    TEditCharCase CharCase() const { return m_charCase; }
    void SetCharCase(TEditCharCase value);
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment value);
    TBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TBorderStyle value);
    bool AutoSelect() const { return m_autoSelect; }
    void SetAutoSelect(bool value) { m_autoSelect = value; }
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
    DWORD EventMask() const { return m_eventMask; }
    void SetEventMask(DWORD value) { m_eventMask = value; }
    // An 8-pixel band at the left in which a click selects the whole line (the same as
    // the ECO_SELECTIONBAR option of EM_SETOPTIONS).
    bool SelectionBar() const { return m_selectionBar; }
    void SetSelectionBar(bool value);

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

    DWORD EditStyle() const { return m_editStyle; }
    // Re-reads the ES_* styles of the window (after it was made or changed).
    void ReadStyles();
    // The rectangle text is laid out in (client coordinates).
    TRect FormatRect() const;

    TEditBuffer m_buffer;

private:
    struct Line {
        size_t start = 0; // first code point
        size_t end = 0;   // one past the last shown code point (line breaks excluded)
        size_t next = 0;  // where the following line starts
        int width = 0;
    };

    bool MultiLine() const { return (m_editStyle & ES_MULTILINE) != 0; }
    bool Wraps() const { return MultiLine() && !(m_editStyle & ES_AUTOHSCROLL); }
    void Relayout();
    int CharWidth(char32_t c);
    int RunWidth(size_t start, size_t end);
    int LineHeight();
    int LineOf(size_t pos);
    int LineOffsetX(const Line& line) const;
    TPoint PosToPoint(size_t pos);
    size_t PointToPos(TPoint p);
    void ScrollToCaret();
    void UpdateCaret();
    void Changed(bool modifiedByUser);
    void Edited();
    void HandleKey(WORD key);
    void HandleChar(char32_t ch);
    void HandleMouse(TMessage& Message);
    void HandleWindowMessage(TMessage& Message);
    int LineAtY(int y);
    bool HandleEditMessage(TMessage& Message);
    std::u32string DisplayText(size_t start, size_t end) const;
    void NotifyParent(WORD code);
    // Sends EN_SELCHANGE when the selection differs from the one last reported.
    void CheckSelectionChange();
    bool InSelectionBar(TPoint p) const;
    void SelectLines(int fromLine, int toLine);

    std::vector<Line> m_lines;
    bool m_layoutValid = false;
    std::vector<std::pair<char32_t, int>> m_charWidths; // small cache of advances
    int m_lineHeight = 0;
    int m_scrollX = 0;
    int m_topLine = 0;
    int m_leftMargin = 2;
    int m_rightMargin = 2;
    bool m_hasFormatRect = false;
    TRect m_formatRect;
    DWORD m_editStyle = 0;

    int m_maxLength = 0;
    bool m_readOnly = false;
    char32_t m_passwordChar = 0;
    TEditCharCase m_charCase = TEditCharCase::ecNormal;
    TAlignment m_alignment = TAlignment::taLeftJustify;
    TBorderStyle m_borderStyle = TBorderStyle::bsSingle;
    bool m_autoSelect = true;
    bool m_hideSelection = true;
    bool m_selecting = false;
    bool m_caretCreated = false;
    int m_desiredX = -1; // remembered column for Up/Down
    bool m_inSetText = false;
    TPopupList* m_editMenu = nullptr;
    DWORD m_eventMask = ENM_NONE;
    size_t m_reportedSelStart = 0;
    size_t m_reportedSelEnd = 0;
    bool m_selectionBar = false;
    int m_selectionBarAnchor = -1; // the line a press in the selection bar started on
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
