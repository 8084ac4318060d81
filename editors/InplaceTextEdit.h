// TzqInplaceTextEdit: the single-line text editor a host lays over a cell. It is an
// in-place editor whose window is the platform's edit control: the editor's own
// handling runs first and hands the rest to an edit engine, as a subclassed edit
// window does. It adds the forced letter case, the length limit, the password
// character, the selection bar, a nine-item context menu of its own (undo and redo
// included), selection-change notices, and keeps the Modified flag across a new window.
//
// Cells that are not being edited are drawn by the class (TzqInplaceTextEditClass)
// from a TzqTextEditViewData, exactly as the editor shows its text.
#pragma once

#include "editors/TextEditMenu.h"
#include "editors/TextEditViewData.h"
#include "editors/InplaceEdit.h"
#include "platform/controls/EditEngine.h"

#include <string>

class TPopupMenu;

class TzqInplaceTextEditClass : public TzqInplaceEditClass {
public:
    TzqInplaceEdit* Create(TComponent* AOwner) const override;
    TzqEditViewDataClass GetViewDataClass() const override;
    // The cell's text with the forced case or the password character, aligned and laid
    // out by the view data; a measuring request only measures.
    bool DrawContent(HDC DC, const TRect& Rect, bool IsWindowPaint, TzqEditViewData& ViewData) const override;
};

class TzqInplaceTextEdit : public TzqInplaceEdit, private TEditEngineClient {
public:
    explicit TzqInplaceTextEdit(TComponent* AOwner);
    ~TzqInplaceTextEdit() override;

    static const TzqInplaceEditClass& StaticClass();
    const TzqInplaceEditClass& EditClass() const override;

    // ---- Properties ----
    bool AutoSelect() const { return m_autoSelect; }
    void SetAutoSelect(bool Value) { m_autoSelect = Value; }
    TEditCharCase CharCase() const { return m_charCase; }
    void SetCharCase(TEditCharCase Value);
    bool HideSelection() const { return m_hideSelection; }
    void SetHideSelection(bool Value);
    int MaxLength() const { return m_maxLength; }
    bool OEMConvert() const { return m_oemConvert; }
    void SetOEMConvert(bool Value);
    char32_t PasswordChar() const { return m_passwordChar; }
    void SetPasswordChar(char32_t Value);
    bool SelectionBar() const { return m_selectionBar; }
    void SetSelectionBar(bool Value);
    // The context menu, made the first time it shows (null before).
    TPopupMenu* ContextMenu() const { return m_contextMenu; }

    // ---- Operations of the text editors ----
    // Rewrites the text in the forced case, keeping the selection and Modified.
    virtual void ApplyCharCase();
    // The edit window's length limit (when the window exists).
    virtual void SetWindowMaxLength(int Value);
    virtual int GetSelLength();
    virtual int GetSelStart();
    virtual void GetSelText(std::string& Text);
    // Whether the window refuses text dragged into it (the mask editor while masked).
    virtual bool HasDropCallback();
    virtual void SelectionChanged();
    // Negative values are stored as 0.
    virtual void SetMaxLength(int Value);
    virtual void SetSelLength(int Value);
    virtual void SetSelStart(int Value);
    virtual int GetDefaultMaxLength();
    // At most `Size` characters of the selected text; answers how many were copied.
    virtual int GetSelTextBuf(std::string& Buffer, int Size);

    // ---- Editor contract ----
    // Loads the value without a change notice and empties the undo buffer.
    void SetEditValue(const Variant& Value) override;
    std::unique_ptr<TzqEditViewData> CreateViewData(bool IsPaintCopy) override;
    bool GetModified() override;
    void SetModified(bool Value) override;
    void SetReadOnly(bool Value) override;
    void MoveCaretToEnd() override;
    bool IsNativeEdit() override;
    void RestoreDefaults() override;
    void SelectAll() override;

    // Clipboard and editing commands.
    void CutToClipboard();
    void CopyToClipboard();
    void PasteFromClipboard();
    void ClearSelection();
    void Undo();
    void Redo();

    // The colour the edit window draws its text in: the window-text colour when the
    // font asks for the automatic one.
    TColor NativeTextColor() const { return m_engine.TextColor(); }
    // The rectangle the edit window lays its text out in (client coordinates).
    TRect FormattingRect() const { return m_engine.FormatRect(); }
    // The state the context menu's items are enabled from.
    TzqTextEditMenuState MenuState();

    void WndProc(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;

    TNotifyEvent OnSelectionChange;

protected:
    void CreateParams(TCreateParams& Params) override;
    void WindowCreated() override;
    void DestroyWnd() override;
    std::string GetText() const override;
    void TextChanged() override;
    void FontChanged() override;
    void ColorChanged() override;
    void PaintWindow(HDC DC) override;
    void WMSetFocus(TMessage& Message) override;
    void KeyPress(char32_t& Key) override;

    // The name of the editor's window class; an editor that is not a native edit makes a
    // plain window of this name followed by "NoEdit".
    virtual std::string WindowClassName() const;
    // A menu command (tecUndo ... tecSelectAll).
    virtual void DoMenuCommand(TzqTextEditCommand Command);
    // The value is being loaded by SetEditValue.
    bool LoadingValue() const { return m_loadingValue; }
    TEditEngine& Engine() { return m_engine; }
    // Applies the formatting rectangle for the client size now.
    void UpdateFormattingRect();

private:
    // TEditEngineClient: the edit window's change notice.
    void EditChanged() override;
    void ShowContextMenu(TMessage& Message);
    // A press on an unfocused editor does not start a selection drag.
    void HandleButtonDown(TMessage& Message);
    void ApplyTextColor();

    TEditEngine m_engine{*this, *this};
    bool m_loadingValue = false;
    bool m_autoSelect = true;
    TEditCharCase m_charCase = TEditCharCase::ecNormal;
    bool m_applyingCase = false;
    bool m_creatingWindow = false;
    TPopupMenu* m_contextMenu = nullptr;
    bool m_hideSelection = true;
    int m_maxLength = 0;
    bool m_modifiedCopy = false;
    bool m_oemConvert = false;
    char32_t m_passwordChar = 0;
    bool m_selectionBar = false;
};
