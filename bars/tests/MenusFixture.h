// The fixture of the menu tests: a shown form with a main menu bar
// (File: New, Open, Recent > [One, Two], Save; Edit: Cut, Copy; View), a focusable
// control that records the keys it gets, and helpers that find the open menus.
#pragma once

#include "bars/BarMenuChain.h"
#include "bars/BarSubMenuControl.h"
#include "bars/tests/BarWindowsFixture.h"
#include "platform/controls/ShortCuts.h"
#include "platform/core/VirtualKeys.h"

#include <functional>
#include <string>
#include <vector>

// A focusable child that records the key presses and left-button presses it receives
// and tells of the commands sent to it.
class KeyRecorder : public TCustomControl {
public:
    explicit KeyRecorder(TComponent* AOwner) : TCustomControl(AOwner) {}
    std::vector<WORD> keys;
    int presses = 0;
    std::function<void()> OnCommand;

protected:
    void WndProc(TMessage& Message) override
    {
        if (Message.Msg == WM_KEYDOWN || Message.Msg == WM_SYSKEYDOWN)
            keys.push_back(static_cast<WORD>(Message.WParam));
        if (Message.Msg == WM_LBUTTONDOWN)
            ++presses;
        if (Message.Msg == WM_COMMAND && OnCommand)
            OnCommand();
        TCustomControl::WndProc(Message);
    }
};

class MenusFixture : public BarWindowsFixture {
protected:
    void SetUp() override
    {
        BarWindowsFixture::SetUp();
        mainMenu = AddBar("Main Menu");
        file = Make<TzqBarSubItem>("File", "&File");
        edit = Make<TzqBarSubItem>("Edit", "&Edit");
        view = Make<TzqBarSubItem>("View", "&View");
        recent = Make<TzqBarSubItem>("Recent", "&Recent");
        Link(mainMenu->ItemLinks(), file);
        Link(mainMenu->ItemLinks(), edit);
        Link(mainMenu->ItemLinks(), view);
        Link(file->ItemLinks(), Command("New", "&New", ShortCut('N', {TShiftStateFlag::ssCtrl})));
        Link(file->ItemLinks(), Command("Open", "&Open"));
        Link(file->ItemLinks(), recent);
        Link(file->ItemLinks(), Command("Save", "&Save"))->SetBeginGroup(true);
        Link(recent->ItemLinks(), Command("One", "&1 One"));
        Link(recent->ItemLinks(), Command("Two", "&2 Two"));
        Link(edit->ItemLinks(), Command("Cut", "Cu&t"));
        Link(edit->ItemLinks(), Command("Copy", "&Copy"));
        Link(view->ItemLinks(), Command("Zoom", "&Zoom"));
        mainMenu->SetIsMainMenu(true);
        mainMenu->SetDockingStyle(TzqBarDockingStyle::dsTop);
        mainMenu->SetVisible(true);
        // Menus start collapsed only where a test asks for personalized menus.
        manager->SetMenusShowRecentItemsFirst(false);
        recorder = new KeyRecorder(form);
        recorder->SetParent(form);
        recorder->SetBounds(200, 200, 80, 24);
        driver.Pump();
        ::SetFocus(recorder->Handle());
        driver.Pump();
    }

    TzqBarButton* Command(const std::string& name, const std::string& caption, TShortCut shortCut = scNone)
    {
        TzqBarButton* button = Make(name, caption);
        button->SetShortCut(shortCut);
        button->OnClick = [this, name](TObject*) { clicked.push_back(name); };
        return button;
    }

    TzqBarControl* MenuBar() { return Window(mainMenu); }
    static std::string SelectedCaption(TCustomzqBarControl* window)
    {
        return window && window->SelectedControl() ? window->SelectedControl()->Link()->Caption() : "";
    }
    // The open submenu windows, first opened first.
    static std::vector<TzqBarSubMenuControl*> OpenMenus()
    {
        std::vector<TzqBarSubMenuControl*> out;
        for (TCustomzqBarControl* w : TzqBarMenuChain::Windows())
            if (w->IsSubMenu())
                out.push_back(static_cast<TzqBarSubMenuControl*>(w));
        return out;
    }
    static TzqBarSubMenuControl* Head()
    {
        auto menus = OpenMenus();
        return menus.empty() ? nullptr : menus.back();
    }
    // The screen point in the middle of a window's item control.
    static TPoint Middle(TCustomzqBarControl* window, int index)
    {
        const TRect r = window->ItemControls(index)->Rect();
        return window->ClientToScreen(TPoint{r.Left + r.Width() / 2, r.Top + r.Height() / 2});
    }
    static int IndexOf(TCustomzqBarControl* window, const std::string& caption)
    {
        for (int i = 0; i < window->ItemControlCount(); ++i)
            if (window->ItemControls(i)->Link()->Caption() == caption)
                return i;
        return -1;
    }
    void Tap(WORD vk)
    {
        driver.KeyDown(vk);
        driver.KeyUp(vk);
    }
    std::vector<std::string> Sounds() { return driver.Backend().Sounds(); }

    TzqBar* mainMenu = nullptr;
    TzqBarSubItem* file = nullptr;
    TzqBarSubItem* edit = nullptr;
    TzqBarSubItem* view = nullptr;
    TzqBarSubItem* recent = nullptr;
    KeyRecorder* recorder = nullptr;
    std::vector<std::string> clicked;
};
