// TOptionsForm: the modal dialog in which the user changes the chart's edit mode,
// options, images, indents and line width. It reads the chart each time it becomes
// active and writes only when OK is pressed.
#pragma once

#include "orgchart/OcTypes.h"
#include "platform/controls/Form.h"

#include <array>
#include <utility>

class TBevel;
class TBitBtn;
class TCheckBox;
class TGroupBox;
class TLabel;
class TSpinEdit;

class TOptionsForm : public TForm {
public:
    explicit TOptionsForm(TComponent* AOwner);
    ~TOptionsForm() override;

    TBevel* Bevel1 = nullptr;
    TGroupBox* GroupBox1 = nullptr;
    TCheckBox* cbLeft = nullptr;
    TCheckBox* cbCenter = nullptr;
    TCheckBox* cbRight = nullptr;
    TCheckBox* cbVCenter = nullptr;
    TCheckBox* cbWrap = nullptr;
    TCheckBox* cbUpper = nullptr;
    TCheckBox* cbLower = nullptr;
    TCheckBox* cbGrow = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label3 = nullptr;
    TSpinEdit* seX = nullptr;
    TSpinEdit* seY = nullptr;
    TSpinEdit* seLineWidth = nullptr;
    TCheckBox* cbSelect = nullptr;
    TCheckBox* cbFocus = nullptr;
    TCheckBox* cbButtons = nullptr;
    TCheckBox* cbEdit = nullptr;
    TCheckBox* cbCanDrag = nullptr;
    TCheckBox* cbShowDrag = nullptr;
    TCheckBox* cbInsDel = nullptr;
    TCheckBox* cbShowImages = nullptr;
    TBitBtn* BitBtn2 = nullptr; // OK
    TBitBtn* BitBtn1 = nullptr; // Cancel

    void FormActivate(TObject* Sender);
    void BitBtn2Click(TObject* Sender);
    void seLineWidthChange(TObject* Sender);

private:
    // The check boxes and the chart settings they stand for.
    std::array<std::pair<TCheckBox*, TzqOcEditModeFlag>, 8> EditModeBoxes() const;
    std::array<std::pair<TCheckBox*, TzqOcOption>, 7> OptionBoxes() const;
    TCheckBox* NewCheckBox(TWinControl* parent, const char* name, const char* caption, int l, int t, int w, int h);
    TSpinEdit* NewSpinEdit(const char* name, int top);
};

extern TOptionsForm* OptionsForm;
