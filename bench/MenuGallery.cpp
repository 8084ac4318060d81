// Pictures of open menus as the desktop shows them, for a person to look at (run on a
// display, e.g. under xvfb-run):
//   menu_gallery [folder] (default: the current folder)
// writes view-menu-standard.png, view-menu-enhanced.png and view-menu-flat.png (the
// main window's View menu open in each style), personalized-collapsed.png and
// personalized-expanded.png (a menu of recently used commands before and after it was
// expanded, with the band of rarely used ones), and cut-menu.png (a menu taller than
// the screen with its scroll arrows), and file-menu-with-submenu.png (shortcuts, a
// separator and a submenu open beside its item).
#include "bars/Bar.h"
#include "bars/BarButton.h"
#include "bars/BarControl.h"
#include "bars/BarItemLink.h"
#include "bars/BarItemLinks.h"
#include "bars/BarManager.h"
#include "bars/BarMenuChain.h"
#include "bars/BarSubItem.h"
#include "bars/BarSubMenuControl.h"
#include "bars/Bars.h"
#include "platform/controls/Application.h"
#include "platform/controls/Form.h"
#include "platform/controls/ShortCuts.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Canvas.h"
#include "platform/window/Backend.h"
#include "platform/window/MessageLoop.h"
#include "platform/window/WinApi.h"

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

void PumpFor(HWND wake, int ms)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    SetTimer(wake, 0x7A7E, 20);
    RunMessageLoop([&] { return std::chrono::steady_clock::now() >= end; });
    KillTimer(wake, 0x7A7E);
}

void PaintGlyph(TBitmap& glyph, TColor colour)
{
    glyph.SetSize(16, 16);
    glyph.Fill(clFuchsia);
    FillRectColor(glyph.Canvas(), TRect(2, 2, 14, 14), colour);
    FillRectColor(glyph.Canvas(), TRect(5, 5, 11, 11), clWhite);
}

class Gallery {
public:
    explicit Gallery(std::string folder) : m_folder(std::move(folder))
    {
        m_app = std::make_unique<TApplication>();
        int argc = 0;
        m_app->Initialize(argc, nullptr, false);
        m_form = new TForm(m_app.get());
        m_form->SetCaption("Menus");
        m_form->SetBounds(40, 40, 520, 380);
        m_form->Show();
        m_manager = new TzqBarManager(m_form);
        m_manager->SetMenusShowRecentItemsFirst(false);
        m_main = m_manager->Bars()->Add();
        m_main->SetCaption("Main Menu");
        TzqBarSubItem* fileMenu = AddMenu("&File", {"&New|Ctrl+N", "&Open...|Ctrl+O", "-&Save|Ctrl+S", "-E&xit"});
        // A submenu inside File, opened in the pictures of the File menu.
        m_reopen = new TzqBarSubItem(m_form);
        m_reopen->SetName("Reopen");
        m_reopen->SetCaption("&Reopen");
        m_reopen->SetCategory(0);
        fileMenu->ItemLinks()->Insert(2)->SetItem(m_reopen);
        for (const char* name : {"&1 staff.db", "&2 board.db", "&3 projects.db"}) {
            auto* entry = new TzqBarButton(m_form);
            entry->SetName("Reopen" + std::to_string(m_count++));
            entry->SetCaption(name);
            entry->SetCategory(0);
            m_reopen->ItemLinks()->Add()->SetItem(entry);
        }
        AddMenu("&Edit", {"&Add Node", "Add &Child", "&Delete|Del"});
        m_view = AddMenu("&View", {"&Zoom", "&Rotated", "&Animated", "&3D", "-Full Expand", "Full Collapse"});
        for (int i = 0; i < 4; ++i) {
            auto* button = static_cast<TzqBarButton*>(m_view->ItemLinks()->Items(i)->Item());
            button->SetButtonStyle(TzqBarButtonStyle::bsChecked);
            button->SetDown(i >= 2);
        }
        TBitmap expand, collapse;
        PaintGlyph(expand, clGreen);
        PaintGlyph(collapse, clMaroon);
        m_view->ItemLinks()->Items(4)->Item()->SetGlyph(&expand);
        m_view->ItemLinks()->Items(5)->Item()->SetGlyph(&collapse);
        std::vector<std::string> tools;
        for (const char* name : {"&Spelling", "&Word Count", "&Macros", "&Templates", "&Customize...", "&Options...",
                                 "&Language", "&Letters"})
            tools.push_back(name);
        m_tools = AddMenu("&Tools", tools);
        std::vector<std::string> many;
        for (int i = 1; i <= 80; ++i)
            many.push_back("Record " + std::to_string(i));
        m_long = AddMenu("&Records", many);
        m_main->SetIsMainMenu(true);
        m_main->SetDockingStyle(TzqBarDockingStyle::dsTop);
        m_main->SetVisible(true);
        PumpFor(m_form->Handle(), 400);
        SetActiveWindow(m_form->Handle());
        PumpFor(m_form->Handle(), 200);
    }

    void ViewMenuInEachStyle()
    {
        const std::pair<TzqBarManagerStyle, const char*> styles[] = {
            {TzqBarManagerStyle::bmsStandard, "standard"},
            {TzqBarManagerStyle::bmsEnhanced, "enhanced"},
            {TzqBarManagerStyle::bmsFlat, "flat"},
        };
        for (auto [style, name] : styles) {
            m_manager->SetStyle(style);
            PumpFor(m_form->Handle(), 200);
            Open(2);
            Select(2); // "Animated", checked
            Save(std::string("view-menu-") + name + ".png");
            Close();
        }
    }

    void FileMenuWithSubmenu()
    {
        m_manager->SetStyle(TzqBarManagerStyle::bmsEnhanced);
        Open(0);
        Select(2);
        if (TzqBarSubMenuControl* menu = Head())
            menu->ItemControls(2)->DropDown(false);
        PumpFor(m_form->Handle(), 300);
        Save("file-menu-with-submenu.png");
        Close();
    }

    void Personalized()
    {
        m_manager->SetStyle(TzqBarManagerStyle::bmsEnhanced);
        m_manager->SetMenusShowRecentItemsFirst(true);
        TzqBarItemLinks* links = m_tools->ItemLinks();
        // Spelling, Macros and Options were used lately and often.
        const int uses[] = {40, 0, 35, 0, 0, 30, 0, 0};
        const int recent[] = {0, 3, 1, 4, 5, 2, 6, 7};
        for (int i = 0; i < links->Count(); ++i)
            links->Items(i)->SetPendingUsage(uses[i], recent[i]);
        links->ReinitializeUsage(false);
        Open(3);
        Save("personalized-collapsed.png");
        Head()->Expand();
        Select(1);
        Save("personalized-expanded.png");
        Close();
        m_manager->SetMenusShowRecentItemsFirst(false);
    }

    void CutMenu()
    {
        m_manager->SetStyle(TzqBarManagerStyle::bmsEnhanced);
        m_form->SetBounds(40, 300, 520, 380);
        PumpFor(m_form->Handle(), 300);
        Open(4);
        TzqBarSubMenuControl* menu = Head();
        if (menu)
            menu->SetTopIndex(5);
        Select(8);
        Save("cut-menu.png");
        Close();
    }

private:
    TzqBarSubItem* AddMenu(const std::string& caption, const std::vector<std::string>& entries)
    {
        auto* sub = new TzqBarSubItem(m_form);
        sub->SetName("Menu" + std::to_string(m_count++));
        sub->SetCaption(caption);
        sub->SetCategory(0);
        m_main->ItemLinks()->Add()->SetItem(sub);
        for (std::string entry : entries) {
            const bool group = !entry.empty() && entry[0] == '-';
            if (group)
                entry.erase(0, 1);
            std::string shortCut;
            if (const size_t bar = entry.find('|'); bar != std::string::npos) {
                shortCut = entry.substr(bar + 1);
                entry.erase(bar);
            }
            auto* button = new TzqBarButton(m_form);
            button->SetName("Command" + std::to_string(m_count++));
            button->SetCaption(entry);
            button->SetCategory(0);
            if (!shortCut.empty())
                button->SetShortCut(TextToShortCut(shortCut));
            TzqBarItemLink* link = sub->ItemLinks()->Add();
            link->SetItem(button);
            link->SetBeginGroup(group);
        }
        return sub;
    }
    TzqBarControl* Bar() const { return static_cast<TzqBarControl*>(m_main->Control()); }
    static TzqBarSubMenuControl* Head()
    {
        TCustomzqBarControl* head = TzqBarMenuChain::Head();
        return head && head->IsSubMenu() ? static_cast<TzqBarSubMenuControl*>(head) : nullptr;
    }
    void Open(int index)
    {
        Bar()->ItemControls(index)->DropDown(true);
        PumpFor(m_form->Handle(), 300);
    }
    void Select(int index)
    {
        if (TzqBarSubMenuControl* menu = Head(); menu && index < menu->ItemControlCount())
            menu->SelectControl(menu->ItemControls(index));
        PumpFor(m_form->Handle(), 300);
    }
    void Close()
    {
        Bar()->HideAll();
        PumpFor(m_form->Handle(), 200);
    }
    // The form and the open menus in one picture, as they stand on the screen.
    void Save(const std::string& name)
    {
        std::vector<HWND> windows{m_form->Handle()};
        for (TCustomzqBarControl* w : TzqBarMenuChain::Windows())
            if (w->IsSubMenu())
                windows.push_back(w->Handle());
        TRect all = WindowRect(windows[0]);
        for (HWND w : windows) {
            const TRect r = WindowRect(w);
            all = TRect(std::min(all.Left, r.Left), std::min(all.Top, r.Top), std::max(all.Right, r.Right),
                        std::max(all.Bottom, r.Bottom));
        }
        TBitmap picture(all.Width(), all.Height());
        picture.Fill(clWhite);
        for (HWND w : windows) {
            TBitmap shown;
            if (!ScreenPicture(w, shown))
                continue;
            const TRect r = WindowRect(w);
            picture.Canvas()->Draw(r.Left - all.Left, r.Top - all.Top, &shown);
        }
        const std::string path = m_folder + "/" + name;
        std::printf("%s %s\n", picture.SaveToPngFile(path) ? "wrote" : "could not write", path.c_str());
    }

    std::string m_folder;
    std::unique_ptr<TApplication> m_app;
    TForm* m_form = nullptr;
    TzqBarManager* m_manager = nullptr;
    TzqBar* m_main = nullptr;
    TzqBarSubItem* m_view = nullptr;
    TzqBarSubItem* m_reopen = nullptr;
    TzqBarSubItem* m_tools = nullptr;
    TzqBarSubItem* m_long = nullptr;
    int m_count = 0;
};

} // namespace

int main(int argc, char** argv)
{
    Gallery gallery(argc > 1 ? argv[1] : ".");
    gallery.ViewMenuInEachStyle();
    gallery.FileMenuWithSubmenu();
    gallery.Personalized();
    gallery.CutMenu();
    return 0;
}
