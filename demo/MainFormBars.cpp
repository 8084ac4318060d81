#include "demo/MainFormBars.h"

#include "bars/Bar.h"
#include "bars/BarButton.h"
#include "bars/BarItemLink.h"
#include "bars/BarItemLinks.h"
#include "bars/BarManager.h"
#include "bars/BarManagerCategories.h"
#include "bars/BarSubItem.h"
#include "bars/Bars.h"
#include "demo/Artwork.h"
#include "platform/controls/Form.h"
#include "platform/controls/ShortCuts.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Font.h"

#include <algorithm>
#include <initializer_list>

namespace {

enum Category { Menus, File, Edit, View };

using Visible = TzqBarItemVisible;

template <typename TItem>
TItem* MakeItem(TzqBarManager& manager, const char* name, const char* caption, Category category)
{
    auto* item = new TItem(manager.OwnerForm());
    item->SetName(name);
    item->SetCaption(caption);
    item->SetCategory(category);
    item->SetVisible(Visible::ivAlways);
    return item;
}

TzqBarButton* MakeButton(TzqBarManager& manager, const char* name, const char* caption, const char* hint, Category category)
{
    auto* button = MakeItem<TzqBarButton>(manager, name, caption, category);
    button->SetHint(hint);
    return button;
}

void SetGlyph(TzqBarButton* button, Artwork::ToolbarGlyph glyph)
{
    TBitmap picture;
    Artwork::PaintToolbarGlyph(glyph, picture);
    button->SetGlyph(&picture);
}

void MakeCheckButton(TzqBarButton* button, bool down)
{
    button->SetButtonStyle(TzqBarButtonStyle::bsChecked);
    button->SetDown(down);
}

// Links the items in order; the items in `groupStarts` begin a group each.
void LinkItems(TzqBarItemLinks* links, std::initializer_list<TzqBarItem*> items,
               std::initializer_list<TzqBarItem*> groupStarts = {})
{
    for (TzqBarItem* item : items) {
        TzqBarItemLink* link = links->Add();
        link->SetItem(item);
        link->SetBeginGroup(std::find(groupStarts.begin(), groupStarts.end(), item) != groupStarts.end());
        link->SetVisible(true);
    }
}

TzqBar* MakeBar(TzqBarManager& manager, const char* caption, int row, int dockedTop, TPoint floatPos)
{
    TzqBar* bar = manager.Bars()->Add();
    bar->SetCaption(caption);
    bar->SetName(caption);
    bar->SetDockingStyle(TzqBarDockingStyle::dsTop);
    bar->SetRow(row);
    bar->SetDockedLeft(0);
    bar->SetDockedTop(dockedTop);
    bar->SetOneOnRow(true);
    bar->SetFloatLeft(floatPos.X);
    bar->SetFloatTop(floatPos.Y);
    bar->SetFloatClientWidth(23);
    bar->SetFloatClientHeight(22);
    bar->SetUseOwnFont(false);
    bar->SetVisible(true);
    return bar;
}

} // namespace

void DefineMainFormBars(TzqBarManager& Manager)
{
    Manager.SetStyle(TzqBarManagerStyle::bmsFlat);
    TFont ownFont;
    ownFont.SetName("Tahoma");
    ownFont.SetHeight(-14);
    Manager.SetFont(ownFont);
    Manager.SetUseSystemFont(true);

    TStringList categories;
    for (const char* name : {"Menus", "File", "Edit", "View"})
        categories.Add(name);
    Manager.SetCategories(categories);
    Manager.Categories()->ReadItemsVisibles({2, 2, 2, 2});
    Manager.Categories()->ReadVisibles({true, true, true, true});
    Manager.SetDockControlHeights({0, 0, 53, 0});

    // Commands.
    TzqBarButton* bbExport = MakeButton(Manager, "bbExport", "&Export...", "Export", File);
    bbExport->SetShortCut(16453); // Ctrl+E
    TzqBarButton* bbExit = MakeButton(Manager, "bbExit", "&Exit", "Exit", File);
    bbExit->SetShortCut(32856); // Alt+X

    TzqBarButton* bsAddNode = MakeButton(Manager, "bsAddNode", "&Add Node", "Add Node", Edit);
    SetGlyph(bsAddNode, Artwork::tgAddNode);
    TzqBarButton* bbAddChild = MakeButton(Manager, "bbAddChild", "Add &Child Node ", "Add Child Node ", Edit);
    SetGlyph(bbAddChild, Artwork::tgAddChild);
    TzqBarButton* bbRenameNode = MakeButton(Manager, "bbRenameNode", "&Rename Node", "Rename Node", Edit);
    SetGlyph(bbRenameNode, Artwork::tgRenameNode);
    TzqBarButton* bbDeleteNode = MakeButton(Manager, "bbDeleteNode", "&Delete Node", "Delete Node", Edit);
    SetGlyph(bbDeleteNode, Artwork::tgDeleteNode);
    // Undo and Redo start disabled: the window enables them as its chart's history fills.
    TzqBarButton* bbUndo = MakeButton(Manager, "bbUndo", "&Undo", "Undo", Edit);
    bbUndo->SetShortCut(ShortCut('Z', TShiftState{TShiftStateFlag::ssCtrl}));
    bbUndo->SetEnabled(false);
    TzqBarButton* bbRedo = MakeButton(Manager, "bbRedo", "R&edo", "Redo", Edit);
    bbRedo->SetShortCut(ShortCut('Y', TShiftState{TShiftStateFlag::ssCtrl}));
    bbRedo->SetEnabled(false);
    TzqBarButton* bbFind = MakeButton(Manager, "bbFind", "&Find...", "Find", Edit);
    bbFind->SetShortCut(ShortCut('F', TShiftState{TShiftStateFlag::ssCtrl}));

    TzqBarButton* bbZoom = MakeButton(Manager, "bbZoom", "&Zoom", "Zoom", View);
    MakeCheckButton(bbZoom, false);
    TzqBarButton* bbRotate = MakeButton(Manager, "bbRotate", "&Rotated", "Rotated", View);
    MakeCheckButton(bbRotate, false);
    TzqBarButton* bbAnimate = MakeButton(Manager, "bbAnimate", "&Animated", "Animated", View);
    MakeCheckButton(bbAnimate, true);
    TzqBarButton* bb3D = MakeButton(Manager, "bb3D", "&3D", "3D", View);
    MakeCheckButton(bb3D, true);
    TzqBarButton* bbFullExpand = MakeButton(Manager, "bbFullExpand", "Full Expand", "Full Expand", View);
    SetGlyph(bbFullExpand, Artwork::tgFullExpand);
    TzqBarButton* bbFullCollaps = MakeButton(Manager, "bbFullCollaps", "Full Collapse", "Full Collapse", View);
    SetGlyph(bbFullCollaps, Artwork::tgFullCollapse);

    TzqBarButton* bbOptions = MakeButton(Manager, "bbOptions", "&Options", "Options", Menus);
    bbOptions->SetPaintStyle(TzqBarPaintStyle::psCaption);

    // Menus.
    auto* bsFile = MakeItem<TzqBarSubItem>(Manager, "bsFile", "&File", Menus);
    LinkItems(bsFile->ItemLinks(), {bbExport, bbExit}, {bbExit});
    auto* bsEdit = MakeItem<TzqBarSubItem>(Manager, "bsEdit", "&Edit", Menus);
    LinkItems(bsEdit->ItemLinks(), {bbUndo, bbRedo, bsAddNode, bbAddChild, bbRenameNode, bbDeleteNode, bbFind},
              {bsAddNode, bbFind});
    auto* sbView = MakeItem<TzqBarSubItem>(Manager, "sbView", "&View", Menus);
    LinkItems(sbView->ItemLinks(), {bbZoom, bbRotate, bbAnimate, bb3D, bbFullExpand, bbFullCollaps}, {bbFullExpand});

    // Bars.
    TzqBar* mainMenu = MakeBar(Manager, "Main Menu", 0, 0, {396, 286});
    mainMenu->SetIsMainMenu(true);
    mainMenu->SetWholeRow(true);
    mainMenu->SetMultiLine(true);
    LinkItems(mainMenu->ItemLinks(), {bsFile, bsEdit, sbView, bbOptions});

    TzqBar* toolbar = MakeBar(Manager, "OrgChart Toolbar", 1, 27, {253, 146});
    toolbar->SetWholeRow(false);
    LinkItems(toolbar->ItemLinks(), {bsAddNode, bbAddChild, bbRenameNode, bbDeleteNode, bbFullExpand, bbFullCollaps},
              {bbFullExpand});
}
