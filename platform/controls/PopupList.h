// A small popup menu window: a column of commands (with & accelerators, optional
// shortcut texts and separators) shown at a screen point above everything, without
// taking the activation or the focus from the window that opened it. While open it
// holds the mouse and the keyboard: the pointer highlights, a release on an item
// chooses it, a press outside closes the menu; Up and Down move the highlight, Enter
// chooses, an accelerator letter chooses its item, Esc and Alt close. Disabled items
// are shown grayed and cannot be chosen. The menu closes before the chosen command
// runs.
#pragma once

#include "platform/controls/CustomControl.h"

#include <functional>
#include <string>
#include <vector>

struct TPopupItem {
    std::string Caption;
    std::string ShortCut;
    bool Enabled = true;
    bool Separator = false;
    std::function<void()> OnClick;
    bool Checked = false; // a check mark (a dot for a radio item) before the caption
    bool Radio = false;
    bool Default = false; // the caption in bold
};

class TPopupList : public TCustomControl {
public:
    explicit TPopupList(TComponent* AOwner);
    ~TPopupList() override;

    void Clear();
    int Add(const TPopupItem& item);
    void AddSeparator();
    int Count() const { return static_cast<int>(m_items.size()); }
    const TPopupItem& Items(int index) const;
    void SetItemEnabled(int index, bool value);
    // The item whose caption, without its & marker, is the text; -1 when none.
    int IndexOfCaption(const std::string& text) const;

    // The window the menu stays above (its owner); by default the top-level window
    // of the control that owns the list.
    void SetOwnerWindow(HWND value);

    // Opens the menu with its top-left corner at the screen point (moved to stay in
    // the work area of the monitor there). An open menu is closed first.
    void Popup(TPoint screenPt);
    void CloseUp();
    bool IsOpen() const { return m_open; }
    int HotIndex() const { return m_hot; }
    TRect ItemRect(int index) const;

    TNotifyEvent OnClose;

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;
    void WndProc(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

private:
    int ItemHeight(int index) const;
    int ItemAt(int X, int Y) const;
    void SetHot(int index);
    void MoveHot(int direction);
    void Choose(int index);
    bool HandleKey(WORD key);
    TSize MeasureMenu() const;

    std::vector<TPopupItem> m_items;
    bool m_open = false;
    int m_hot = -1;
    int m_textHeight = 13;
    HHOOK m_keyHook = nullptr;
    HWND m_ownerWindow = nullptr;
};
