#include "demo/MainForm.h"

#include "demo/FindBox.h"
#include "platform/core/VirtualKeys.h"

#include "bars/BarButton.h"
#include "bars/BarManager.h"
#include "bars/BarSubItem.h"
#include "demo/AboutPage.h"
#include "demo/Artwork.h"
#include "demo/DemoTableFolder.h"
#include "demo/ExportDialog.h"
#include "platform/controls/CustomEdit.h"
#include "demo/MainFormBars.h"
#include "demo/OptionsForm.h"
#include "dborgchart/DbOrgChart.h"
#include "dborgchart/OcFieldValues.h"
#include "dborgchart/OcUndoGroup.h"
#include "platform/controls/Application.h"
#include "platform/controls/Panel.h"
#include "platform/controls/Splitter.h"
#include "platform/core/Exception.h"
#include "platform/data/AutoIncField.h"
#include "platform/data/DataSource.h"
#include "platform/data/DateField.h"
#include "platform/data/IntegerField.h"
#include "platform/data/StringField.h"
#include "platform/data/Table.h"
#include "platform/drawing/ImageList.h"
#include "platform/window/SystemServices.h"
#include "sidebar/SideBar.h"
#include "sidebar/SideBarBackGround.h"
#include "sidebar/SideBarItem.h"
#include "sidebar/SideBarItems.h"
#include "sidebar/SideGroup.h"
#include "sidebar/SideGroups.h"

#include <algorithm>
#include <filesystem>
#include <unistd.h>

TMainForm* MainForm = nullptr;

namespace {

std::string& FolderOverride()
{
    static std::string folder;
    return folder;
}

// A field's value read the way the chart reads its own bound fields: text that is no
// number and a null both read as 0, and nothing raises on one odd record.
int64_t ReadInteger(const TField* field)
{
    return OcReadInteger(field).value_or(0);
}

TPanel* NewPanel(TComponent* owner, TWinControl* parent, const std::string& name, TAlign align, int size)
{
    auto* panel = new TPanel(owner);
    panel->SetName(name);
    panel->SetParent(parent);
    panel->SetBevelOuter(TBevelCut::bvNone);
    panel->SetCaption("");
    if (align == TAlign::alLeft || align == TAlign::alRight)
        panel->SetWidth(size);
    else
        panel->SetHeight(size);
    panel->SetAlign(align);
    return panel;
}

} // namespace

std::string TMainForm::ProgramFolder()
{
    if (!FolderOverride().empty())
        return FolderOverride();
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    std::string folder = ec ? std::filesystem::current_path().string() : exe.parent_path().string();
    // The folder up to and including the last path separator.
    if (folder.empty() || folder.back() != '/')
        folder += '/';
    return folder;
}

void TMainForm::SetProgramFolderForTests(const std::string& folder)
{
    FolderOverride() = folder;
}

std::string TMainForm::TableFolder()
{
    if (!FolderOverride().empty())
        return FolderOverride();
    return DemoTable::FindFolder(DemoTable::CurrentPlaces(ProgramFolder()));
}

TMainForm::TMainForm(TComponent* AOwner) : TForm(AOwner)
{
    MainForm = this;
    SetName("MainForm");
    SetCaption("VelmoraOrgChart Demo");
    // Designed at 120 pixels per inch; shown scaled to the screen, centred, maximised.
    SetPixelsPerInch(120);
    SetBounds(301, 197, 646, 422);
    SetPosition(TPosition::poScreenCenter);
    SetWindowState(TWindowState::wsMaximized);
    SetColor(clBtnFace);
    TFont font;
    font.SetName("MS Sans Serif");
    font.SetHeight(-14);
    font.SetColor(clWindowText);
    SetFont(font);

    TreeLarge = new TImageList(this, 32, 32);
    TreeLarge->SetName("TreeLarge");
    Artwork::FillTreeLarge(*TreeLarge);
    SaidBar = new TImageList(this, 32, 32);
    SaidBar->SetName("SaidBar");
    Artwork::FillSideBar(*SaidBar);
    InspectorImage = new TImageList(this, 16, 16);
    InspectorImage->SetName("InspectorImage");
    Artwork::FillInspectorImage(*InspectorImage);
    InspectorShape = new TImageList(this, 16, 16);
    InspectorShape->SetName("InspectorShape");
    Artwork::FillInspectorShape(*InspectorShape);

    CreateTable();
    CreateBars();
    CreateLayout();
    CreateSideBar();
    CreateChart();
    // Created after the chart so that its strip sits above the chart in the panel.
    FindBox = new TFindBox(this, ClientPanel, Tree);
    SetKeyPreview(true);
    OnKeyDown = [this](TObject* s, WORD& Key, TShiftState Shift) { FormKeyDown(s, Key, Shift); };

    OnCreate = [this](TObject* s) { FormCreate(s); };
    OnActivate = [this](TObject* s) { FormActivate(s); };
    OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };
}

TMainForm::~TMainForm()
{
    // The chart lets go of the table before the table goes (and no longer tells the
    // bar items about its history, which goes with it).
    if (Tree) {
        Tree->OnUndoChange = nullptr;
        Tree->SetDataSource(nullptr);
    }
    if (MainForm == this)
        MainForm = nullptr;
}

void TMainForm::CreateTable()
{
    Table = new TTable(this);
    Table->SetName("Table");
    Table->SetDatabaseName(".\\data");
    Table->SetTableName("ARBOLO.DB");
    Table->AfterInsert = [this](TDataSet* d) { TableAfterInsert(d); };
    TableID = Table->CreateField<TAutoIncField>("ID");
    TablePARENT = Table->CreateField<TIntegerField>("PARENT");
    TableNAME = Table->CreateField<TStringField>("NAME", 100);
    TableCDATE = Table->CreateField<TDateField>("CDATE");
    TableCBY = Table->CreateField<TStringField>("CBY", 100);
    TableWIDTH = Table->CreateField<TIntegerField>("WIDTH");
    TableHEIGHT = Table->CreateField<TIntegerField>("HEIGHT");
    TableTYPE = Table->CreateField<TIntegerField>("TYPE");
    TableCOLOR = Table->CreateField<TIntegerField>("COLOR");
    TableIMAGE = Table->CreateField<TIntegerField>("IMAGE");
    TableIMAGEALIGN = Table->CreateField<TIntegerField>("IMAGEALIGN");
    TableORDER = Table->CreateField<TIntegerField>("ORDER");
    TableALIGN = Table->CreateField<TIntegerField>("ALIGN");
    TableWIDTH->OnChange = [this](TField* f) { TableWIDTHChange(f); };
    TableHEIGHT->OnChange = [this](TField* f) { TableHEIGHTChange(f); };
    TableTYPE->OnChange = [this](TField* f) { TableTYPEChange(f); };
    TableCOLOR->OnChange = [this](TField* f) { TableCOLORChange(f); };
    TableIMAGEALIGN->OnChange = [this](TField* f) { TableIMAGEALIGNChange(f); };
    TableALIGN->OnChange = [this](TField* f) { TableALIGNChange(f); };

    DataSource = new TDataSource(this);
    DataSource->SetName("DataSource");
    DataSource->SetDataSet(Table);
}

void TMainForm::CreateLayout()
{
    // The bars dock at the top (two rows, the bar manager's site); the side bar and the
    // record inspector stand beside the chart.
    MainPanel = NewPanel(this, this, "MainPanel", TAlign::alClient, 0);
    Panel1 = NewPanel(this, MainPanel, "Panel1", TAlign::alTop, 2);
    SideBar = new TzqSideBar(this);
    SideBar->SetName("SideBar");
    SideBar->SetParent(MainPanel);
    SideBar->SetWidth(124);
    SideBar->SetAlign(TAlign::alLeft);
    Splitter1 = new TSplitter(this);
    Splitter1->SetName("Splitter1");
    Splitter1->SetParent(MainPanel);
    Splitter1->SetWidth(4);
    Splitter1->SetAlign(TAlign::alLeft);
    Splitter1->SetMinSize(90);
    Splitter1->SetLeft(SideBar->Width());
    ClientPanel = NewPanel(this, MainPanel, "ClientPanel", TAlign::alClient, 0);
    DBInspector = NewPanel(this, ClientPanel, "DBInspector", TAlign::alRight, 229);
    DBInspector->SetColor(clBtnFace);
    Splitter2 = new TSplitter(this);
    Splitter2->SetName("Splitter2");
    Splitter2->SetParent(ClientPanel);
    Splitter2->SetWidth(3);
    Splitter2->SetAlign(TAlign::alRight);
    Splitter2->SetLeft(ClientPanel->Width() - DBInspector->Width() - 3);
    ClientPanel->SetTabOrder(0);
}

void TMainForm::CreateBars()
{
    zqBarManager1 = new TzqBarManager(this);
    zqBarManager1->SetName("zqBarManager1");
    zqBarManager1->ReadDefinition(DefineMainFormBars);
    auto button = [this](const char* name) {
        auto* item = dynamic_cast<TzqBarButton*>(zqBarManager1->ItemByName(name));
        if (!item)
            throw Exception(std::string("The bar definition has no button ") + name + ".");
        return item;
    };
    auto subItem = [this](const char* name) {
        auto* item = dynamic_cast<TzqBarSubItem*>(zqBarManager1->ItemByName(name));
        if (!item)
            throw Exception(std::string("The bar definition has no menu ") + name + ".");
        return item;
    };
    bsFile = subItem("bsFile");
    bsEdit = subItem("bsEdit");
    sbView = subItem("sbView");
    bbOptions = button("bbOptions");
    bbExit = button("bbExit");
    bbExport = button("bbExport");
    bsAddNode = button("bsAddNode");
    bbAddChild = button("bbAddChild");
    bbRenameNode = button("bbRenameNode");
    bbDeleteNode = button("bbDeleteNode");
    bbUndo = button("bbUndo");
    bbRedo = button("bbRedo");
    bbFind = button("bbFind");
    bbZoom = button("bbZoom");
    bbRotate = button("bbRotate");
    bbAnimate = button("bbAnimate");
    bb3D = button("bb3D");
    bbFullExpand = button("bbFullExpand");
    bbFullCollaps = button("bbFullCollaps");

    bbOptions->OnClick = [this](TObject* s) { bbOptionsClick(s); };
    bbExit->OnClick = [this](TObject* s) { bbExitClick(s); };
    bbExport->OnClick = [this](TObject* s) { bbExportClick(s); };
    bsAddNode->OnClick = [this](TObject* s) { bsAddNodeClick(s); };
    bbAddChild->OnClick = [this](TObject* s) { bbAddChildClick(s); };
    bbRenameNode->OnClick = [this](TObject* s) { bbRenameNodeClick(s); };
    bbDeleteNode->OnClick = [this](TObject* s) { bbDeleteNodeClick(s); };
    bbUndo->OnClick = [this](TObject* s) { bbUndoClick(s); };
    bbRedo->OnClick = [this](TObject* s) { bbRedoClick(s); };
    bbFind->OnClick = [this](TObject* s) { bbFindClick(s); };
    bbZoom->OnClick = [this](TObject* s) { bbZoomClick(s); };
    bbRotate->OnClick = [this](TObject* s) { bbRotateClick(s); };
    bbAnimate->OnClick = [this](TObject* s) { bbAnimateClick(s); };
    bb3D->OnClick = [this](TObject* s) { bb3DClick(s); };
    bbFullExpand->OnClick = [this](TObject* s) { bbFullExpandClick(s); };
    bbFullCollaps->OnClick = [this](TObject* s) { bbFullCollapsClick(s); };
}

void TMainForm::CreateSideBar()
{
    TzqSideBarBackGround background;
    background.SetBeginColor(clGrayText);
    background.SetEndColor(clGrayText);
    background.SetFillStyle(TzqSideBarFillStyle::bfsNone);
    SideBar->SetBkGround(background);
    SideBar->SetCanSelected(true);
    SideBar->SetPaintStyle(TzqsbPaintStyle::sbpsXP);
    SideBar->SetShowGroups(false);
    SideBar->SetStoreInRegistry(false);
    SideBar->SetTransparentImages(false);
    SideBar->SetScrollDelay(300);
    SideBar->SetSpaceHeight(11);
    SideBar->SetGroupHeightOffSet(0);
    TFont font;
    font.SetName("MS Sans Serif");
    font.SetHeight(-11);
    font.SetColor(clWindowText);
    SideBar->SetGroupFont(font);
    // Stored white; the start gives it the window-text colour.
    font.SetColor(clWhite);
    SideBar->SetItemFont(font);
    SideBar->SetLargeImages(SaidBar);

    TzqSideGroup* group = SideBar->Groups()->Add();
    group->SetCaption("New Group");
    group->SetIconType(TzqSideGroupIconType::zqsgLargeIcon);
    struct ItemSettings {
        const char* caption;
        int largeImage;
        int tag;
    };
    for (const ItemSettings& settings : {ItemSettings{"Velmora OrgChart", 0, 1}, ItemSettings{"Korvath on the Web", 1, 2}}) {
        TzqSideBarItem* item = group->Items()->Add();
        item->SetCaption(settings.caption);
        item->SetIsDefault(true);
        item->SetLargeImage(settings.largeImage);
        item->SetSmallImage(-1);
        item->SetTag(settings.tag);
    }
    SideBar->SetActiveGroupIndex(0);
    SideBar->OnItemClick = [this](TObject* s, TzqSideBarItem* item) { SideBarItemClick(s, item); };
}

void TMainForm::CreateChart()
{
    Tree = new TzqDbOrgChart(this);
    Tree->SetName("Tree");
    Tree->SetParent(ClientPanel);
    Tree->SetAlign(TAlign::alClient);
    Tree->SetTabOrder(0);
    Tree->SetDefaultNodeWidth(90);
    Tree->SetDefaultNodeHeight(70);
    Tree->SetOptions(TzqOcOptions{TzqOcOption::ocSelect, TzqOcOption::ocFocus, TzqOcOption::ocButtons,
                                  TzqOcOption::ocDblClick, TzqOcOption::ocEdit, TzqOcOption::ocCanDrag,
                                  TzqOcOption::ocShowDrag, TzqOcOption::ocInsDel, TzqOcOption::ocRect3D,
                                  TzqOcOption::ocAnimate});
    Tree->SetEditMode(TzqOcEditMode{TzqOcEditModeFlag::emCenter, TzqOcEditModeFlag::emVCenter, TzqOcEditModeFlag::emWrap});
    Tree->SetImages(TreeLarge);
    Tree->SetDefaultImageAlign(TzqOcImageAlign::iaLT);
    TFont font;
    font.SetName("Arial");
    font.SetHeight(-15);
    font.SetColor(clWindowText);
    Tree->SetParentFont(false);
    Tree->SetFont(font);
    Tree->OnCreateNode = [this](TObject* s, TzqOcNode* n) { TreeCreateNode(s, n); };
    Tree->OnUndoChange = [this](TObject* s) { TreeUndoChange(s); };
    Tree->SetKeyFieldName("ID");
    Tree->SetParentFieldName("PARENT");
    Tree->SetTextFieldName("NAME");
    Tree->SetOrderFieldName("ORDER");
    Tree->SetImageFieldName("IMAGE");
    Tree->SetDataSource(DataSource);
}

TColor TMainForm::SideBarBackground() const
{
    // The button face lightened by 16 per cent of the way to white.
    const COLORREF face = ColorToRGB(clBtnFace);
    auto lift = [](int v) { return static_cast<uint8_t>(v + MulDiv(255 - v, 16, 100)); };
    return GetNearestColor(RGB(lift(GetRValue(face)), lift(GetGValue(face)), lift(GetBValue(face))));
}

// ---- Window and table handlers ----

void TMainForm::FormCreate(TObject*)
{
    // The side bar's colours follow the system's colours of this screen.
    SideBar->SetColor(SideBarBackground());
    TFont itemFont;
    itemFont.Assign(*SideBar->ItemFont());
    itemFont.SetColor(clWindowText);
    SideBar->SetItemFont(itemFont);

    m_tableOpened = false;
    // The window is on the screen before the table opens, so that the load of a large
    // table shows in it how far it got (and a table that cannot be found or copied is
    // reported over it).
    Show();
    Table->SetDatabaseName(TableFolder());
    Table->Open();
    m_tableOpened = true;
    // The window was activated while the chart was still empty: the first top-level
    // node is selected now, as activation does.
    FormActivate(this);
}

void TMainForm::FormActivate(TObject*)
{
    if (Tree->Count() > 0)
        Tree->SetSelected(Tree->Items(0));
}

void TMainForm::FormClose(TObject*, TCloseAction& Action)
{
    if (Table->State() != TDataSetState::dsEdit && Table->State() != TDataSetState::dsInsert)
        return;
    try {
        Table->Post();
    } catch (const std::exception& e) {
        // The edit is kept and the window stays open: the user can correct it.
        Action = TCloseAction::caNone;
        if (Application)
            Application->ShowException(e);
    }
}

void TMainForm::TreeCreateNode(TObject*, TzqOcNode* Node)
{
    if (m_tableOpened) {
        Node->SetColor(0xFFFFFF);
        Node->AssignText("New Item");
        return;
    }
    // Loading: the table stands on the node's record. Values beyond an attribute's
    // range are limited as the chart limits them, never wrapped around.
    const int64_t width = ReadInteger(Table->FieldByName("WIDTH"));
    const int64_t height = ReadInteger(Table->FieldByName("HEIGHT"));
    if (width > 50)
        Node->SetWidth(OcSizeFrom(width));
    if (height > 50)
        Node->SetHeight(OcSizeFrom(height));
    Node->SetShape(static_cast<TzqOcShape>(OcEnumFrom(ReadInteger(Table->FieldByName("TYPE")))));
    Node->SetColor(OcColorFrom(ReadInteger(Table->FieldByName("COLOR"))));
}

void TMainForm::TableAfterInsert(TDataSet* DataSet)
{
    DataSet->FieldByName("HEIGHT")->SetAsInteger(Tree->DefaultNodeHeight());
    DataSet->FieldByName("WIDTH")->SetAsInteger(Tree->DefaultNodeWidth());
    DataSet->FieldByName("TYPE")->SetAsInteger(0);
    DataSet->FieldByName("COLOR")->SetAsInteger(0xFFFFFF);
    DataSet->FieldByName("IMAGE")->SetAsInteger(0);
    DataSet->FieldByName("IMAGEALIGN")->SetAsInteger(0);
    DataSet->FieldByName("NAME")->SetAsString("New Item");
    DataSet->FieldByName("ALIGN")->SetAsInteger(1);
}

bool TMainForm::FieldChangeApplies() const
{
    return Table->State() == TDataSetState::dsEdit && Tree->Selected() != nullptr;
}

void TMainForm::TableWIDTHChange(TField* Sender)
{
    if (FieldChangeApplies())
        Tree->Selected()->SetWidth(OcSizeFrom(ReadInteger(Sender)));
}

void TMainForm::TableHEIGHTChange(TField* Sender)
{
    if (FieldChangeApplies())
        Tree->Selected()->SetHeight(OcSizeFrom(ReadInteger(Sender)));
}

void TMainForm::TableTYPEChange(TField* Sender)
{
    if (FieldChangeApplies())
        Tree->Selected()->SetShape(static_cast<TzqOcShape>(OcEnumFrom(ReadInteger(Sender))));
}

void TMainForm::TableCOLORChange(TField* Sender)
{
    if (FieldChangeApplies())
        Tree->Selected()->SetColor(OcColorFrom(ReadInteger(Sender)));
}

void TMainForm::TableIMAGEALIGNChange(TField* Sender)
{
    if (FieldChangeApplies())
        Tree->Selected()->SetImageAlign(static_cast<TzqOcImageAlign>(OcEnumFrom(ReadInteger(Sender))));
}

void TMainForm::TableALIGNChange(TField* Sender)
{
    if (FieldChangeApplies())
        Tree->Selected()->SetAlign(static_cast<TzqOcNodeAlign>(OcEnumFrom(ReadInteger(Sender))));
}

// ---- Commands ----

void TMainForm::AddNewNodeLook(TzqOcNode* Node)
{
    Node->SetShape(TzqOcShape::shRectangle);
    Node->SetColor(0xFFFFFF);
    Node->AssignText("New topic");
}

TzqOcNode* TMainForm::AddWithNewLook(const std::string& Caption, const std::function<TzqOcNode*()>& Add)
{
    // A table that cannot take the record yields no node, and nothing more happens.
    if (!Table->Active() || !Table->CanModify())
        return Add();
    // The record and its look are one user action: written together, or not at all
    // (the rollback takes the chart's node with the record), and undone together.
    TzqOcUndoGroup undoGroup(*Tree, Caption);
    TTableTransaction transaction(*Table);
    TzqOcNode* node = Add();
    if (node)
        AddNewNodeLook(node);
    transaction.Commit();
    undoGroup.Commit();
    return node;
}

void TMainForm::bsAddNodeClick(TObject*)
{
    TzqOcNode* selected = Tree->Selected();
    TzqOcNode* node =
        AddWithNewLook("Add Node", [&] { return selected ? Tree->Insert(selected, 0) : Tree->Add(nullptr, 0); });
    if (!node)
        return;
    Tree->SetSelected(node);
}

void TMainForm::bbAddChildClick(TObject*)
{
    TzqOcNode* selected = Tree->Selected();
    TzqOcNode* node =
        AddWithNewLook("Add Child Node", [&] { return selected ? Tree->AddChild(selected, 0) : Tree->Add(nullptr, 0); });
    if (!node)
        return;
    if (Tree->Selected())
        Tree->Selected()->Expand(false);
    Tree->SetSelected(node);
}

void TMainForm::bbRenameNodeClick(TObject*)
{
    if (Tree->Selected())
        Tree->ShowEditor();
}

void TMainForm::bbDeleteNodeClick(TObject*)
{
    if (Tree->Selected())
        Tree->DeleteNode(Tree->Selected());
}

void TMainForm::bbUndoClick(TObject*)
{
    Tree->Undo();
}

void TMainForm::bbRedoClick(TObject*)
{
    Tree->Redo();
}

void TMainForm::bbFindClick(TObject*)
{
    FindBox->Open();
}

void TMainForm::TreeUndoChange(TObject*)
{
    // The hint names what the command would undo or redo.
    bbUndo->SetEnabled(Tree->CanUndo());
    bbUndo->SetHint(Tree->CanUndo() ? "Undo " + Tree->UndoCaption() : "Undo");
    bbRedo->SetEnabled(Tree->CanRedo());
    bbRedo->SetHint(Tree->CanRedo() ? "Redo " + Tree->RedoCaption() : "Redo");
}

// The View switches are check buttons: a click toggles Down before the handler runs,
// and the chart takes the state the button now shows.
void TMainForm::bbZoomClick(TObject*)
{
    Tree->SetZoom(bbZoom->Down());
}

void TMainForm::bbRotateClick(TObject*)
{
    Tree->SetRotated(bbRotate->Down());
}

void TMainForm::bbAnimateClick(TObject*)
{
    Tree->SetOptions(Tree->Options().set(TzqOcOption::ocAnimate, bbAnimate->Down()));
}

void TMainForm::bb3DClick(TObject*)
{
    Tree->SetOptions(Tree->Options().set(TzqOcOption::ocRect3D, bb3D->Down()));
}

void TMainForm::bbFullExpandClick(TObject*)
{
    Tree->FullExpand();
}

void TMainForm::bbFullCollapsClick(TObject*)
{
    Tree->FullCollapse();
}

void TMainForm::bbOptionsClick(TObject*)
{
    if (OptionsForm)
        OptionsForm->ShowModal();
}

void TMainForm::bbExitClick(TObject*)
{
    Close();
}

void TMainForm::bbExportClick(TObject*)
{
    if (!ExportDialog)
        ExportDialog = new TExportDialog(this);
    if (ExportDialog->edFileName->Text().empty())
        ExportDialog->edFileName->SetText((std::filesystem::current_path() / "chart.png").string());
    ExportDialog->edFileName->SelectAll();
    if (ExportDialog->ShowModal() != mrOk)
        return;
    const std::string fileName = ExportDialog->edFileName->Text();
    if (fileName.empty())
        return;
    std::error_code error;
    if (std::filesystem::exists(fileName, error) &&
        ShowMessageBox("The file " + fileName + " already exists. Replace it?", "Export Chart",
                       MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    // A failed export raises its message; the application's loop shows it.
    const double scale = Tree->ExportToFile(fileName);
    if (scale < 1.0)
        ShowMessageBox("The chart was too large for one picture and was saved at " +
                           std::to_string(int(scale * 1000.0) / 10) + "." + std::to_string(int(scale * 1000.0) % 10) +
                           " % of its size.",
                       "Export Chart", MB_OK | MB_ICONINFORMATION);
}

void TMainForm::SideBarItemClick(TObject*, TzqSideBarItem* Item)
{
    if (!Item || Item->Tag() != 2)
        return;
    // A page that is not there, or a desktop that cannot open it, is said plainly: a
    // click that silently does nothing would look like a broken button.
    const std::string address = AboutPage::Address(ProgramFolder());
    if (address.empty()) {
        std::string looked;
        for (const std::string& candidate : AboutPage::Candidates(ProgramFolder()))
            looked += (looked.empty() ? "" : ", ") + candidate;
        ShowMessageBox("The about page " + std::string(AboutPage::kFileName) + " was not found (looked in " + looked +
                           ").",
                       "VelmoraOrgChart Demo", MB_OK | MB_ICONWARNING);
        return;
    }
    if (!ShellOpen(address))
        ShowMessageBox("The about page " + address + " could not be opened: the desktop found no program to show it.",
                       "VelmoraOrgChart Demo", MB_OK | MB_ICONWARNING);
}

void TMainForm::FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift)
{
    (void)Sender;
    const bool ctrl = Shift.contains(TShiftStateFlag::ssCtrl);
    const bool shift = Shift.contains(TShiftStateFlag::ssShift);
    if (Key == 'F' && ctrl && !shift && !Shift.contains(TShiftStateFlag::ssAlt)) {
        FindBox->Open();
        Key = 0;
    } else if (Key == VK_F3 && !ctrl) {
        FindBox->FindNext(!shift);
        Key = 0;
    } else if (Key == 'Z' && ctrl && shift && !Shift.contains(TShiftStateFlag::ssAlt)) {
        // Ctrl+Shift+Z redoes, as Ctrl+Y does.
        Key = 0;
        if (Tree->CanRedo())
            Tree->Redo();
    }
}
