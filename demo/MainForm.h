// TMainForm: the demonstration program's window. It shows the records of ARBOLO.DB
// as an editable org chart; the menu bar and the toolbar (the bar manager, defined in
// demo/MainFormBars.h) carry the chart commands, and the side bar at the left opens the
// program's about page. The record inspector has its place in the layout (the
// inspector panel) and arrives with its component.
#pragma once

#include "platform/controls/Form.h"

#include <functional>
#include <string>

class TzqDbOrgChart;
class TzqOcNode;
class TTable;
class TDataSource;
class TField;
class TImageList;
class TPanel;
class TSplitter;
class TFindBox;
class TExportDialog;
class TzqBarManager;
class TzqBarButton;
class TzqBarSubItem;
class TzqSideBar;
class TzqSideBarItem;

class TMainForm : public TForm {
public:
    explicit TMainForm(TComponent* AOwner);
    ~TMainForm() override;

    // ---- Components ----
    TzqDbOrgChart* Tree = nullptr;
    TDataSource* DataSource = nullptr;
    TTable* Table = nullptr;
    TField* TableID = nullptr;
    TField* TablePARENT = nullptr;
    TField* TableNAME = nullptr;
    TField* TableCDATE = nullptr;
    TField* TableCBY = nullptr;
    TField* TableWIDTH = nullptr;
    TField* TableHEIGHT = nullptr;
    TField* TableTYPE = nullptr;
    TField* TableCOLOR = nullptr;
    TField* TableIMAGE = nullptr;
    TField* TableIMAGEALIGN = nullptr;
    TField* TableORDER = nullptr;
    TField* TableALIGN = nullptr;
    TImageList* TreeLarge = nullptr;
    TImageList* SaidBar = nullptr;
    TImageList* InspectorImage = nullptr;
    TImageList* InspectorShape = nullptr;
    TzqBarManager* zqBarManager1 = nullptr;
    TPanel* MainPanel = nullptr;
    TPanel* Panel1 = nullptr;
    TzqSideBar* SideBar = nullptr;
    TSplitter* Splitter1 = nullptr;
    TPanel* ClientPanel = nullptr;
    TSplitter* Splitter2 = nullptr;
    TPanel* DBInspector = nullptr;
    // The find box over the chart (Ctrl+F, F3, Shift+F3).
    TFindBox* FindBox = nullptr;

    // The bar manager's items, found by name once its definition is read.
    TzqBarSubItem* bsFile = nullptr;
    TzqBarSubItem* bsEdit = nullptr;
    TzqBarSubItem* sbView = nullptr;
    TzqBarButton* bbOptions = nullptr;
    TzqBarButton* bbExport = nullptr;
    TzqBarButton* bbExit = nullptr;
    TzqBarButton* bsAddNode = nullptr;
    TzqBarButton* bbAddChild = nullptr;
    TzqBarButton* bbRenameNode = nullptr;
    TzqBarButton* bbDeleteNode = nullptr;
    TzqBarButton* bbUndo = nullptr;
    TzqBarButton* bbRedo = nullptr;
    TzqBarButton* bbFind = nullptr;
    TzqBarButton* bbZoom = nullptr;
    TzqBarButton* bbRotate = nullptr;
    TzqBarButton* bbAnimate = nullptr;
    TzqBarButton* bb3D = nullptr;
    TzqBarButton* bbFullExpand = nullptr;
    TzqBarButton* bbFullCollaps = nullptr;

    // ---- Commands ----
    void bsAddNodeClick(TObject* Sender);
    void bbAddChildClick(TObject* Sender);
    void bbRenameNodeClick(TObject* Sender);
    void bbDeleteNodeClick(TObject* Sender);
    // Undo and redo the chart's last action (Ctrl+Z; Ctrl+Y or Ctrl+Shift+Z).
    void bbUndoClick(TObject* Sender);
    void bbRedoClick(TObject* Sender);
    // Opens the find box (Ctrl+F).
    void bbFindClick(TObject* Sender);
    void bbZoomClick(TObject* Sender);
    void bbRotateClick(TObject* Sender);
    void bbAnimateClick(TObject* Sender);
    void bb3DClick(TObject* Sender);
    void bbFullExpandClick(TObject* Sender);
    void bbFullCollapsClick(TObject* Sender);
    void bbOptionsClick(TObject* Sender);
    void bbExitClick(TObject* Sender);
    // Asks for a file name and writes a picture of the whole chart there (an existing
    // file is replaced only when the user says so).
    void bbExportClick(TObject* Sender);
    // Made on first use.
    TExportDialog* ExportDialog = nullptr;

    // ---- Window and table handlers ----
    void FormCreate(TObject* Sender);
    void FormActivate(TObject* Sender);
    void FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void TreeCreateNode(TObject* Sender, TzqOcNode* Node);
    // The chart's history changed: Undo and Redo are enabled as far as they can run.
    void TreeUndoChange(TObject* Sender);
    void TableAfterInsert(class TDataSet* DataSet);
    void TableWIDTHChange(TField* Sender);
    void TableHEIGHTChange(TField* Sender);
    void TableTYPEChange(TField* Sender);
    void TableCOLORChange(TField* Sender);
    void TableIMAGEALIGNChange(TField* Sender);
    void TableALIGNChange(TField* Sender);
    // Item Tag 2 opens the program's about page; the other items do nothing.
    void SideBarItemClick(TObject* Sender, TzqSideBarItem* Item);

    bool TableOpened() const { return m_tableOpened; }
    // The folder the table is looked for in: the program's own (overridable for tests).
    static std::string ProgramFolder();
    static void SetProgramFolderForTests(const std::string& folder);
    // The folder the table is opened from: the program's when the table is there, else
    // the user's copy in the XDG data folder (demo/DemoTableFolder.h).
    static std::string TableFolder();

private:
    void CreateTable();
    void CreateChart();
    void CreateLayout();
    void CreateBars();
    void CreateSideBar();
    void AddNewNodeLook(TzqOcNode* Node);
    // Adds a node (by Add) and gives it the new look, in one transaction and as one
    // action of the chart's undo history (Caption).
    TzqOcNode* AddWithNewLook(const std::string& Caption, const std::function<TzqOcNode*()>& Add);
    bool FieldChangeApplies() const;
    TColor SideBarBackground() const;

    bool m_tableOpened = false;
};

extern TMainForm* MainForm;
