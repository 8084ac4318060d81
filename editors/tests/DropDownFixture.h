// A drop-down editor with a plain list, for the tests of the drop-down base: it opens a
// popup list of fruit under itself, closes it through DoCloseUp and writes down what
// the base asked of it (clicks, steps, searches).
#pragma once

#include "editors/CustomzqPopupListBox.h"
#include "editors/EditMessages.h"
#include "editors/InplaceDropDownEdit.h"
#include "editors/InplacePopupControl.h"
#include "editors/tests/TextEditorFixture.h"

#include <string>
#include <vector>

class TTestDropDown : public TzqInplaceDropDownEdit {
public:
    explicit TTestDropDown(TComponent* AOwner) : TzqInplaceDropDownEdit(AOwner)
    {
        list = new TCustomzqPopupListBox(this);
        list->SetStyle(TListBoxStyle::lbStandard);
        list->SetItemHeight(16);
        for (const char* fruit : {"apple", "banana", "cherry", "date", "elder", "fig", "grape", "kiwi", "lime"})
            list->Items()->Add(fruit);
    }
    static const TzqInplaceEditClass& StaticClass()
    {
        static const TzqInplaceEditClassOf<TTestDropDown, TzqInplaceDropDownEditClass> instance;
        return instance;
    }
    const TzqInplaceEditClass& EditClass() const override { return StaticClass(); }

    void DropDown() override
    {
        log.push_back("drop down");
        DoDropDown();
        list->SetClientSizeOfPopup(listWidth, 5 * 16);
        PositionPopup(list->Frame(), true);
        list->SetItemIndex(list->Items()->IndexOf(Text()));
        list->ShowPopup();
        SetDropDownWindow(list);
        SetDroppedDown(true);
    }
    void CloseUp(bool Accept) override
    {
        if (!list->IsShown())
            return;
        log.push_back(Accept ? "close up, accept" : "close up");
        const int index = list->ItemIndex();
        list->ClosePopup();
        if (index < 0)
            return;
        std::string value = list->Items()->Strings(index);
        DoCloseUp(value, Accept);
        if (Accept && value != Text())
            SetTextModified(value);
    }
    void ButtonClick(int Index) override { log.push_back("click " + std::to_string(Index)); }
    void Step(int Delta, bool) override { log.push_back("step " + std::to_string(Delta)); }
    void SearchText(const std::string& Text) override { log.push_back("search " + Text); }

    using TzqInplaceDropDownEdit::SetImmediateDrop;
    using TzqInplaceDropDownEdit::SetIncrementalKeys;

    TCustomzqPopupListBox* list = nullptr;
    int listWidth = 120;
    std::vector<std::string> log;
};

// The text editors' host, with the keys editors hand it written down.
class TDropDownHost : public TEditorHost {
public:
    using TEditorHost::TEditorHost;
    std::vector<WORD> hostKeys;
    // EditNavigate's answers: "back" or "forward".
    std::vector<std::string> navigations;
    void EditNavigate(bool Backward) override { navigations.push_back(Backward ? "back" : "forward"); }

protected:
    void KeyDown(WORD& Key, TShiftState) override { hostKeys.push_back(Key); }
};

class DropDownTest : public THostFormTest<TDropDownHost> {
protected:
    void TypeText(const std::string& text)
    {
        driver.Type(text);
        driver.Pump();
    }
    void Key(WORD vk, unsigned modifiers = THeadlessDriver::None)
    {
        driver.PressKey(vk, modifiers);
        driver.Pump();
    }
    TPoint EditPoint(TzqInplaceEdit* edit, int x, int y) { return driver.ToScreen(edit->Handle(), TPoint(x, y)); }
    int Beeps() { return driver.Backend().Beeps(); }

    TTestDropDown* OpenDropDown(const std::string& value = "cherry")
    {
        auto* edit = host->Open<TTestDropDown>(Variant(value));
        driver.Pump();
        return edit;
    }
    // The view info of the editor as it is now, in window coordinates.
    TRect ButtonRectOnScreen(TzqInplaceDropDownEdit* edit, int index = 0)
    {
        std::unique_ptr<TzqEditViewData> data = edit->CreateViewData(false);
        data->Bounds = TRect(0, 0, edit->Width(), edit->Height());
        TzqEditViewInfo info;
        edit->EditClass().CalcViewInfo(*data, false, info);
        const TRect r = TzqInplaceDropDownEditClass::ButtonRect(
            info, static_cast<TzqDropDownEditViewData&>(*data), index);
        return r.Offset(WindowRect(edit->Handle()).TopLeft());
    }
    TPoint ButtonCentre(TzqInplaceDropDownEdit* edit, int index = 0)
    {
        const TRect r = ButtonRectOnScreen(edit, index);
        return TPoint(r.Left + r.Width() / 2, r.Top + r.Height() / 2);
    }
    // The centre of a line of the open list on the screen.
    TPoint ListLine(TTestDropDown* edit, int index)
    {
        const TRect r = edit->list->ItemRect(index);
        return driver.ToScreen(edit->list->Handle(), TPoint(r.Left + 20, r.Top + r.Height() / 2));
    }
};
