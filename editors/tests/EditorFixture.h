// A small host with one cell and a minimal text editor, on a shown form of a headless
// window system, for the tests of the editor contract.
#pragma once

#include "editors/CustomzqContainer.h"
#include "editors/EditStyleController.h"
#include "editors/tests/HostFormFixture.h"
#include "editors/InplaceEdit.h"
#include "platform/backend/headless/HeadlessDriver.h"
#include "platform/controls/Application.h"
#include "platform/controls/Form.h"
#include "platform/core/Utf8.h"
#include "platform/core/VirtualKeys.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// A text editor in miniature: typed characters append to its text and mark it
// modified, Escape can return to the undo point.
class TTestEdit : public TzqInplaceEdit {
public:
    using TzqInplaceEdit::TzqInplaceEdit;

    static const TzqInplaceEditClass& StaticClass()
    {
        static const TzqInplaceEditClassOf<TTestEdit> instance;
        return instance;
    }
    const TzqInplaceEditClass& EditClass() const override { return StaticClass(); }

    bool CanRestoreUndoPoint() override { return true; }
    void StyleChanged() override
    {
        ++styleChanges;
        TzqInplaceEdit::StyleChanged();
    }
    void AfterShow() override { ++afterShows; }
    void MoveCaretToEnd() override { ++caretMoves; }

    int styleChanges = 0;
    int afterShows = 0;
    int caretMoves = 0;

protected:
    void KeyPress(char32_t& Key) override
    {
        TzqInplaceEdit::KeyPress(Key);
        if (Key >= 32 && CanModify()) {
            SetText(Text() + Utf32ToUtf8(Key));
            SetModified(true);
        }
    }
};

// One cell at `cell`; a press on it opens the editor there.
class TTestHost : public TCustomzqContainer {
public:
    using TCustomzqContainer::TCustomzqContainer;

    bool allowModify = true;
    bool acceptKeys = true;
    bool wantsTab = false;
    bool emulateDblClick = true;
    bool keysBlocked = false;
    bool readOnly = false;
    // Keys the host's own key handling got (forwarded by the editor), and the keys its
    // EditKeyDown was shown first; a key set here is consumed by EditKeyDown.
    std::vector<WORD> hostKeys;
    std::vector<WORD> editKeys;
    WORD consumeInEditKeyDown = 0;
    // Events in order: "cancel", "scroll up 3", "dblclick", "focus".
    std::vector<std::string> log;
    std::function<void(WORD)> onHostKey;
    TRect cell{20, 20, 220, 38};
    std::string value = "value";

    TTestEdit* Edit() { return static_cast<TTestEdit*>(EditorOfClass(TTestEdit::StaticClass())); }

    // Activates the editor over the cell with the host's value.
    TTestEdit* Activate()
    {
        TTestEdit* edit = Edit();
        PrepareEditor(edit);
        LoadEditor(edit, Variant(value));
        SetActiveEdit(edit);
        edit->ShowAt(cell);
        return edit;
    }

    bool CanEditModify() override { return allowModify; }
    bool CanEditAcceptKey(char32_t) override { return acceptKeys; }
    bool EditWantsTab() override { return wantsTab; }
    bool EmulateEditDblClick() override { return emulateDblClick; }
    bool EditKeysBlocked() override { return keysBlocked; }
    bool IsEditReadOnly() override { return readOnly; }
    void EditKeyDown(WORD& Key, TShiftState Shift) override
    {
        editKeys.push_back(Key);
        if (Key == consumeInEditKeyDown)
            Key = 0;
    }
    void EditFocusChanged() override { log.push_back("focus"); }
    void ScrollByWheel(bool Up, int Lines) override
    {
        log.push_back(std::string("scroll ") + (Up ? "up " : "down ") + std::to_string(Lines));
    }
    void WndProc(TMessage& Message) override
    {
        if (Message.Msg == WM_CANCELMODE)
            log.push_back("cancel");
        TCustomzqContainer::WndProc(Message);
    }

protected:
    void KeyDown(WORD& Key, TShiftState Shift) override
    {
        hostKeys.push_back(Key);
        if (onHostKey)
            onHostKey(Key);
    }
    void DblClick() override { log.push_back("dblclick"); }
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override
    {
        if (cell.Contains(X, Y))
            Activate();
    }
};

class EditorTest : public THostFormTest<TTestHost> {
protected:
    // A point of the cell in screen coordinates.
    TPoint CellPoint() { return driver.ToScreen(host->Handle(), TPoint(host->cell.Left + 10, host->cell.Top + 5)); }

    // A click that leaves the clock where it is (the driver's Click waits out the
    // double-click time after it).
    void ClickWithoutWaiting(TPoint screen)
    {
        driver.MoveTo(screen);
        driver.Press(screen);
        driver.Release(screen);
    }
};
