// Builds a dialog with one of each standard control and saves its picture, so that
// the classic look can be checked by eye (build/controls-sample.png).
#include "ControlsFixture.h"

#include "platform/controls/Bevel.h"
#include "platform/controls/BitBtn.h"
#include "platform/controls/CheckBox.h"
#include "platform/controls/CheckListBox.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/CustomEdit.h"
#include "platform/controls/PopupList.h"
#include "platform/controls/GroupBox.h"
#include "platform/controls/Label.h"
#include "platform/controls/ListBox.h"
#include "platform/controls/PageControl.h"
#include "platform/controls/Panel.h"
#include "platform/controls/RadioButton.h"
#include "platform/controls/SpinEdit.h"
#include "platform/controls/Splitter.h"
#include "platform/controls/TabSheet.h"
#include "platform/drawing/Bitmap.h"

#include <cstdlib>

namespace {

class SampleDialogTest : public ControlsFixture {};

template <typename T>
T* Place(TForm* form, TWinControl* parent, int x, int y, int w, int h)
{
    auto* c = new T(form);
    c->SetParent(parent);
    c->SetBounds(x, y, w, h);
    return c;
}

TEST_F(SampleDialogTest, OneOfEachControlRendersAsATidyDialog)
{
    form->SetBorderStyle(TFormBorderStyle::bsDialog);
    form->SetCaption("Standard controls");
    form->SetClientWidth(560);
    form->SetClientHeight(330);

    // The left half: the options dialog's own controls.
    auto* frame = Place<TBevel>(form, form, 8, 8, 313, 173);
    frame->SetShape(TBevelShape::bsFrame);
    auto* group = Place<TGroupBox>(form, form, 16, 16, 177, 85);
    group->SetCaption(" Edit Mode ");
    const char* modes[] = {"Left", "Center", "Right", "Vert Center", "Wrap", "Upper", "Lower", "Grow"};
    for (int i = 0; i < 8; ++i) {
        auto* box = Place<TCheckBox>(form, group, i < 4 ? 8 : 100, 16 + 16 * (i % 4), 77, 17);
        box->SetCaption(modes[i]);
        box->SetChecked(i == 1 || i == 4);
    }
    const char* labels[] = {"Indent X", "Indent Y", "Line Width"};
    for (int i = 0; i < 3; ++i) {
        auto* label = Place<TLabel>(form, form, 200, 24 + 28 * i, 0, 0);
        label->SetCaption(labels[i]);
        auto* spin = Place<TSpinEdit>(form, form, 256, 20 + 28 * i, 57, 22);
        spin->SetValue(i == 2 ? 1 : 20 + 10 * i);
    }
    const char* options[] = {"Show Select", "Show Focus", "Show Buttons", "Edit"};
    for (int i = 0; i < 4; ++i) {
        auto* box = Place<TCheckBox>(form, form, 24, 112 + 16 * i, 89, 17);
        box->SetCaption(options[i]);
        box->SetChecked(i != 3);
    }
    auto* grayed = Place<TCheckBox>(form, form, 116, 112, 89, 17);
    grayed->SetAllowGrayed(true);
    grayed->SetState(TCheckBoxState::cbGrayed);
    grayed->SetCaption("Grayed");
    auto* radioA = Place<TRadioButton>(form, form, 116, 128, 89, 17);
    radioA->SetCaption("Radio one");
    auto* radioB = Place<TRadioButton>(form, form, 116, 144, 89, 17);
    radioB->SetCaption("Radio two");
    radioB->SetChecked(true);
    auto* disabled = Place<TCheckBox>(form, form, 116, 160, 89, 17);
    disabled->SetCaption("Disabled");
    disabled->SetEnabled(false);
    auto* combo = Place<TComboBox>(form, form, 212, 112, 101, 21);
    combo->Items()->SetText("(None)\nRandom\nUnfold\nSlide");
    combo->SetStyle(TComboBoxStyle::csDropDownList);
    combo->SetItemIndex(2);
    auto* comboEdit = Place<TComboBox>(form, form, 212, 144, 101, 21);
    comboEdit->Items()->SetText("Müller & Söhne\n東京支店");
    comboEdit->SetItemIndex(0);

    auto* ok = Place<TBitBtn>(form, form, 168, 296, 75, 25);
    ok->SetKind(TBitBtnKind::bkOK);
    ok->SetCaption("&OK");
    auto* cancel = Place<TBitBtn>(form, form, 248, 296, 75, 25);
    cancel->SetKind(TBitBtnKind::bkCancel);
    cancel->SetCaption("&Cancel");

    // The right half: a page control with lists, a panel and a splitter.
    auto* pages = Place<TPageControl>(form, form, 330, 8, 222, 280);
    auto* listsPage = new TTabSheet(form);
    listsPage->SetPageControl(pages);
    listsPage->SetCaption(" Lists ");
    auto* otherPage = new TTabSheet(form);
    otherPage->SetPageControl(pages);
    otherPage->SetCaption(" Panels ");
    auto* list = Place<TListBox>(form, listsPage, 4, 4, 100, 110);
    for (const char* s : {"Chemical", "Chip", "Construct", "Earth", "Factory", "Finance", "Handshake", "Shipping", "Skyline"})
        list->Items()->Add(s);
    list->SetItemIndex(2);
    auto* checks = Place<TCheckListBox>(form, listsPage, 108, 4, 102, 110);
    for (const char* s : {"Main Menu", "OrgChart Toolbar", "Custom 1"})
        checks->Items()->Add(s);
    checks->SetItemHeight(17);
    checks->SetChecked(0, true);
    checks->SetChecked(1, true);
    checks->SetItemEnabled(0, false);
    auto* panel = Place<TPanel>(form, listsPage, 4, 120, 206, 122);
    panel->SetBevelOuter(TBevelCut::bvLowered);
    auto* side = Place<TPanel>(form, panel, 0, 0, 60, 10);
    side->SetAlign(TAlign::alLeft);
    side->SetCaption("Side");
    auto* splitter = Place<TSplitter>(form, panel, 60, 0, 4, 10);
    splitter->SetAlign(TAlign::alLeft);
    splitter->SetBeveled(true);
    auto* client = Place<TPanel>(form, panel, 100, 0, 10, 10);
    client->SetAlign(TAlign::alClient);
    client->SetBevelOuter(TBevelCut::bvNone);
    client->SetCaption("Client");
    pages->SetActivePage(listsPage);

    form->SetPosition(TPosition::poDesigned);
    form->SetLeft(20);
    form->SetTop(20);
    ShowForm();
    ok->SetFocus();
    driver.PaintAll();

    // A few pixels that must be there whatever the fonts: the green check of OK, the
    // selected list item, the check mark of a checked box.
    ASSERT_NE(ok->ShownGlyph(), nullptr);
    EXPECT_EQ(list->ItemIndex(), 2);

    const char* dir = std::getenv("VELMORA_SAMPLE_DIR");
    const std::string path = std::string(dir ? dir : VELMORA_BINARY_DIR) + "/controls-sample.png";
    EXPECT_TRUE(driver.SavePng(form->Handle(), path)) << path;

    // The open drop-down list and the edit's menu are windows of their own.
    const std::string base = std::string(dir ? dir : VELMORA_BINARY_DIR);
    combo->SetFocus();
    combo->SetDroppedDown(true);
    ASSERT_TRUE(IsWindowVisible(combo->ListControl()->Handle()));
    EXPECT_TRUE(driver.SavePng(combo->ListControl()->Handle(), base + "/controls-sample-dropdown.png"));
    combo->SetDroppedDown(false);
    auto* edit = static_cast<TCustomEdit*>(comboEdit->EditControl());
    edit->SetFocus();
    edit->SetSelStart(0);
    edit->SetSelLength(6);
    edit->ShowEditMenu(edit->ClientToScreen({10, 10}));
    ASSERT_TRUE(edit->EditMenu()->IsOpen());
    EXPECT_TRUE(driver.SavePng(edit->EditMenu()->Handle(), base + "/controls-sample-menu.png"));
    edit->EditMenu()->CloseUp();
}

} // namespace
