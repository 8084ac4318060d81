#include "demo/OptionsForm.h"

#include "demo/MainForm.h"
#include "dborgchart/DbOrgChart.h"
#include "platform/controls/Bevel.h"
#include "platform/controls/BitBtn.h"
#include "platform/controls/CheckBox.h"
#include "platform/controls/GroupBox.h"
#include "platform/controls/Label.h"
#include "platform/controls/SpinEdit.h"

#include <algorithm>
#include <utility>

TOptionsForm* OptionsForm = nullptr;

namespace {

// The chart's indents and line width are 16-bit: the dialog keeps its values in 1..65,535.
constexpr int kMaxSetting = 0xFFFF;

} // namespace

TCheckBox* TOptionsForm::NewCheckBox(TWinControl* parent, const char* name, const char* caption, int l, int t, int w, int h)
{
    auto* box = new TCheckBox(this);
    box->SetName(name);
    box->SetParent(parent);
    box->SetCaption(caption);
    box->SetBounds(l, t, w, h);
    return box;
}

TSpinEdit* TOptionsForm::NewSpinEdit(const char* name, int top)
{
    auto* spin = new TSpinEdit(this);
    spin->SetName(name);
    spin->SetParent(this);
    spin->SetBounds(248, top, 57, 22);
    spin->SetValue(0);
    spin->OnChange = [this](TObject* s) { seLineWidthChange(s); };
    return spin;
}

TOptionsForm::TOptionsForm(TComponent* AOwner) : TForm(AOwner)
{
    OptionsForm = this;
    SetName("OptionsForm");
    SetCaption("VelmoraOrgChart Options");
    SetBorderStyle(TFormBorderStyle::bsDialog);
    SetPosition(TPosition::poScreenCenter);
    TFont font;
    font.SetName("MS Sans Serif");
    font.SetHeight(-11);
    SetFont(font);
    SetClientWidth(316);
    SetClientHeight(204);

    Bevel1 = new TBevel(this);
    Bevel1->SetName("Bevel1");
    Bevel1->SetParent(this);
    Bevel1->SetBounds(0, 0, 313, 173);
    Bevel1->SetShape(TBevelShape::bsFrame);

    GroupBox1 = new TGroupBox(this);
    GroupBox1->SetName("GroupBox1");
    GroupBox1->SetParent(this);
    GroupBox1->SetCaption(" Edit Mode ");
    GroupBox1->SetBounds(8, 8, 177, 85);
    cbLeft = NewCheckBox(GroupBox1, "cbLeft", "Left", 8, 16, 49, 17);
    cbCenter = NewCheckBox(GroupBox1, "cbCenter", "Center", 8, 32, 53, 17);
    cbRight = NewCheckBox(GroupBox1, "cbRight", "Right", 8, 48, 53, 17);
    cbVCenter = NewCheckBox(GroupBox1, "cbVCenter", "Vert Center", 8, 64, 77, 17);
    cbWrap = NewCheckBox(GroupBox1, "cbWrap", "Wrap", 100, 16, 53, 17);
    cbUpper = NewCheckBox(GroupBox1, "cbUpper", "Upper", 100, 32, 53, 17);
    cbLower = NewCheckBox(GroupBox1, "cbLower", "Lower", 100, 48, 53, 17);
    cbGrow = NewCheckBox(GroupBox1, "cbGrow", "Grow", 100, 64, 49, 17);

    auto label = [this](const char* name, const char* caption, int top) {
        auto* l = new TLabel(this);
        l->SetName(name);
        l->SetParent(this);
        l->SetCaption(caption);
        l->SetLeft(192);
        l->SetTop(top);
        return l;
    };
    Label1 = label("Label1", "Indent X", 16);
    Label2 = label("Label2", "Indent Y", 44);
    Label3 = label("Label3", "Line Width", 72);
    seX = NewSpinEdit("seX", 12);
    seY = NewSpinEdit("seY", 40);
    seLineWidth = NewSpinEdit("seLineWidth", 68);

    cbSelect = NewCheckBox(this, "cbSelect", "Show Select", 16, 104, 89, 17);
    cbFocus = NewCheckBox(this, "cbFocus", "Show Focus", 16, 120, 89, 17);
    cbButtons = NewCheckBox(this, "cbButtons", "Show Buttons", 16, 136, 89, 17);
    cbEdit = NewCheckBox(this, "cbEdit", "Edit", 16, 152, 81, 17);
    cbCanDrag = NewCheckBox(this, "cbCanDrag", "Can Drag", 108, 104, 77, 17);
    cbShowDrag = NewCheckBox(this, "cbShowDrag", "Show Drag", 108, 120, 81, 17);
    cbInsDel = NewCheckBox(this, "cbInsDel", "Insert, Delete", 108, 136, 85, 17);
    cbShowImages = NewCheckBox(this, "cbShowImages", "Show Images", 108, 152, 89, 17);

    BitBtn2 = new TBitBtn(this);
    BitBtn2->SetName("BitBtn2");
    BitBtn2->SetParent(this);
    BitBtn2->SetKind(TBitBtnKind::bkOK);
    BitBtn2->SetCaption("&OK");
    BitBtn2->SetBounds(160, 176, 75, 25);
    BitBtn2->OnClick = [this](TObject* s) { BitBtn2Click(s); };
    BitBtn1 = new TBitBtn(this);
    BitBtn1->SetName("BitBtn1");
    BitBtn1->SetParent(this);
    BitBtn1->SetKind(TBitBtnKind::bkCancel);
    BitBtn1->SetCaption("&Cancel");
    BitBtn1->SetBounds(240, 176, 75, 25);

    // Tab order: the group, the spin edits, Cancel, OK, then the lower boxes.
    int order = 0;
    for (TWinControl* c : std::initializer_list<TWinControl*>{GroupBox1, seX, seY, seLineWidth, BitBtn1, BitBtn2, cbSelect,
                                                             cbFocus, cbButtons, cbCanDrag, cbShowDrag, cbInsDel, cbEdit,
                                                             cbShowImages})
        c->SetTabOrder(order++);

    OnActivate = [this](TObject* s) { FormActivate(s); };
}

TOptionsForm::~TOptionsForm()
{
    if (OptionsForm == this)
        OptionsForm = nullptr;
}

std::array<std::pair<TCheckBox*, TzqOcEditModeFlag>, 8> TOptionsForm::EditModeBoxes() const
{
    // In the order OK writes them: Left, Center, Right, Vert Center, Wrap, Upper, Lower, Grow.
    return {{{cbLeft, TzqOcEditModeFlag::emLeft},
             {cbCenter, TzqOcEditModeFlag::emCenter},
             {cbRight, TzqOcEditModeFlag::emRight},
             {cbVCenter, TzqOcEditModeFlag::emVCenter},
             {cbWrap, TzqOcEditModeFlag::emWrap},
             {cbUpper, TzqOcEditModeFlag::emUpper},
             {cbLower, TzqOcEditModeFlag::emLower},
             {cbGrow, TzqOcEditModeFlag::emGrow}}};
}

std::array<std::pair<TCheckBox*, TzqOcOption>, 7> TOptionsForm::OptionBoxes() const
{
    // In the order OK writes them: Show Select, Show Focus, Show Buttons, Edit, Can Drag,
    // Show Drag, Insert and Delete.
    return {{{cbSelect, TzqOcOption::ocSelect},
             {cbFocus, TzqOcOption::ocFocus},
             {cbButtons, TzqOcOption::ocButtons},
             {cbEdit, TzqOcOption::ocEdit},
             {cbCanDrag, TzqOcOption::ocCanDrag},
             {cbShowDrag, TzqOcOption::ocShowDrag},
             {cbInsDel, TzqOcOption::ocInsDel}}};
}

void TOptionsForm::FormActivate(TObject*)
{
    TzqDbOrgChart* tree = MainForm->Tree;
    const TzqOcEditMode mode = tree->EditMode();
    for (auto [box, flag] : EditModeBoxes())
        box->SetChecked(mode.contains(flag));
    const TzqOcOptions options = tree->Options();
    for (auto [box, option] : OptionBoxes())
        box->SetChecked(options.contains(option));
    seX->SetValue(tree->IndentX());
    seY->SetValue(tree->IndentY());
    seLineWidth->SetValue(tree->LineWidth());
    cbShowImages->SetChecked(tree->Images() != nullptr);
}

void TOptionsForm::BitBtn2Click(TObject*)
{
    TzqDbOrgChart* tree = MainForm->Tree;
    for (auto [box, flag] : EditModeBoxes())
        tree->SetEditMode(TzqOcEditMode(tree->EditMode()).set(flag, box->Checked()));
    for (auto [box, option] : OptionBoxes())
        tree->SetOptions(TzqOcOptions(tree->Options()).set(option, box->Checked()));
    tree->SetImages(cbShowImages->Checked() ? MainForm->TreeLarge : nullptr);
    tree->SetIndentX(static_cast<uint16_t>(seX->Value()));
    tree->SetIndentY(static_cast<uint16_t>(seY->Value()));
    tree->SetLineWidth(static_cast<uint16_t>(seLineWidth->Value()));
}

void TOptionsForm::seLineWidthChange(TObject* Sender)
{
    auto* spin = dynamic_cast<TSpinEdit*>(Sender);
    if (!spin)
        return;
    // Below 1 becomes 1; above what the chart can hold becomes its largest value.
    if (spin->Value() < 1)
        spin->SetValue(1);
    else if (spin->Value() > kMaxSetting)
        spin->SetValue(kMaxSetting);
}
