// TEditEngine: the edit control's own behaviour, kept apart from any control class so
// that a window can be an edit control the way a subclassed window is one: its control
// class handles what it wants and hands every other message to the engine, which acts
// as the edit window class's procedure (and passes what it does not know on to the
// default window procedure).
//
// The engine holds the text buffer with caret, selection, undo and modified flag, lays
// the text out in one or more lines, paints it, keeps the caret, answers keys, typed
// characters and the mouse, the EM_* messages, the clipboard messages and WM_SETTEXT /
// WM_GETTEXT, and notifies the parent window (EN_CHANGE, EN_MAXTEXT, EN_SELCHANGE).
// Its behaviour follows the window's ES_* styles, read when the window is made
// (ReadStyles) or when they change.
//
// TCustomEdit is a thin owner of one; an in-place editor owns another.
#pragma once

#include "platform/controls/ControlTypes.h"
#include "platform/controls/EditBuffer.h"
#include "platform/core/Color.h"
#include "platform/core/Messages.h"
#include "platform/core/Types.h"
#include "platform/core/WindowStyles.h"
#include "platform/window/WindowTypes.h"

#include <string>
#include <utility>
#include <vector>

class TCanvas;
class TPopupList;
class TWinControl;

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

// What the engine asks of the control whose window it runs.
class TEditEngineClient {
public:
    virtual ~TEditEngineClient() = default;
    // The text changed (the parent already has EN_CHANGE).
    virtual void EditChanged() = 0;
    // A multi-line edit takes Enter and Tab as characters when these say so.
    virtual bool EditWantsReturns() const { return true; }
    virtual bool EditWantsTabs() const { return false; }
};

class TEditEngine {
public:
    // `window` is the edit window the engine runs and `client` the control it reports
    // to; the engine lives inside that control, so both outlive it.
    TEditEngine(TWinControl& window, TEditEngineClient& client);
    ~TEditEngine();
    TEditEngine(const TEditEngine&) = delete;
    TEditEngine& operator=(const TEditEngine&) = delete;

    // The edit window class's procedure: every message the control class left to its
    // default handling. Messages the edit does not know go to the default window
    // procedure. A selection that moved is reported afterwards.
    void WindowProc(TMessage& Message);
    // Draws the client area on a canvas bound to the window.
    void Paint(TCanvas& canvas);

    // The window was made (or made again): styles and the length limit take effect.
    void WindowCreated();
    // Re-reads the ES_* styles of the window (after it was made or its style changed).
    void ReadStyles();
    // The control's text was set from outside: the buffer takes it without undo
    // history and unmodified; EN_CHANGE follows.
    void LoadText(const std::string& text);
    // The control's font or size changed.
    void FontChanged();
    void Resized();
    // Sends EN_SELCHANGE (under ENM_SELCHANGE) when the selection differs from the one
    // last reported.
    void CheckSelectionChange();

    TEditBuffer& Buffer() { return m_buffer; }
    const TEditBuffer& Buffer() const { return m_buffer; }

    int MaxLength() const { return m_maxLength; }
    void SetMaxLength(int value);
    bool ReadOnly() const { return m_readOnly; }
    // The stored flag only; EM_SETREADONLY also changes the window's style.
    void SetReadOnlyFlag(bool value) { m_readOnly = value; }
    char32_t PasswordChar() const { return m_passwordChar; }
    void SetPasswordChar(char32_t value);
    // Select everything when the focus arrives (single line, not during a click).
    bool AutoSelect() const { return m_autoSelect; }
    void SetAutoSelect(bool value) { m_autoSelect = value; }
    DWORD EventMask() const { return m_eventMask; }
    void SetEventMask(DWORD value) { m_eventMask = value; }
    bool SelectionBar() const { return m_selectionBar; }
    void SetSelectionBar(bool value);
    DWORD EditStyle() const { return m_editStyle; }
    // The colour the text is drawn in; clNone (the default): the font's colour.
    TColor TextColor() const { return m_textColor; }
    void SetTextColor(TColor value);
    // A left-button drag that selects text is under way.
    bool Selecting() const { return m_selecting; }

    // The rectangle text is laid out in (client coordinates).
    TRect FormatRect() const;
    int LineCount();
    std::string LineText(int index);
    // Where a context menu asked for from the keyboard opens: below the caret's line,
    // inside the control (client coordinates).
    TPoint KeyboardContextPoint();
    // The caret's top-left point (client coordinates).
    TPoint CaretPoint();
    // Replaces the whole text as one edit the user made (undoable, modified, EN_CHANGE
    // and the change notice follow), then selects from `anchor` to `caret`.
    void ReplaceText(const std::u32string& text, size_t anchor, size_t caret);
    // The point is over the selection bar (client coordinates).
    bool InSelectionBar(TPoint p) const;
    // WM_SETCURSOR over the selection bar: the arrow is set and true answered;
    // anywhere else false, and the message is left alone.
    bool SetBarCursor(TMessage& Message);

    // The edit's own context menu (Undo, Cut, Copy, Paste, Delete, Select All), made
    // on first use and owned by the window.
    TPopupList* EditMenu();
    // Opens the edit menu at a screen point, its items enabled as they apply now.
    void ShowEditMenu(TPoint screenPt);

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
    bool HandleWindowMessage(TMessage& Message);
    bool HandleEditMessage(TMessage& Message);
    int LineAtY(int y);
    std::u32string DisplayText(size_t start, size_t end) const;
    void NotifyParent(WORD code);
    void SelectLines(int fromLine, int toLine);

    TWinControl& m_window;
    TEditEngineClient& m_client;
    TEditBuffer m_buffer;
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

    TColor m_textColor = clNone;
    int m_maxLength = 0;
    bool m_readOnly = false;
    char32_t m_passwordChar = 0;
    bool m_autoSelect = true;
    bool m_selecting = false;
    bool m_caretCreated = false;
    int m_desiredX = -1; // remembered column for Up/Down
    TPopupList* m_editMenu = nullptr;
    DWORD m_eventMask = ENM_NONE;
    size_t m_reportedSelStart = 0;
    size_t m_reportedSelEnd = 0;
    bool m_selectionBar = false;
    int m_selectionBarAnchor = -1; // the line a press in the selection bar started on
};
