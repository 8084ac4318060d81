#include "demo/ExportDialog.h"

#include "platform/controls/Button.h"
#include "platform/controls/CustomEdit.h"
#include "platform/controls/Label.h"

TExportDialog::TExportDialog(TComponent* AOwner) : TForm(AOwner)
{
    SetName("ExportDialog");
    SetCaption("Export Chart");
    SetBorderStyle(TFormBorderStyle::bsDialog);
    SetPosition(TPosition::poMainFormCenter);
    SetClientWidth(420);
    SetClientHeight(96);

    auto* prompt = new TLabel(this);
    prompt->SetParent(this);
    prompt->SetCaption("Save the whole chart as (a .png picture, .svg drawing or .pdf document):");
    prompt->SetBounds(10, 10, 400, 16);

    edFileName = new TEdit(this);
    edFileName->SetName("edFileName");
    edFileName->SetParent(this);
    edFileName->SetBounds(10, 30, 400, 22);

    btnOk = new TButton(this);
    btnOk->SetName("btnOk");
    btnOk->SetParent(this);
    btnOk->SetCaption("OK");
    btnOk->SetBounds(250, 62, 75, 25);
    btnOk->SetDefault(true);
    btnOk->SetModalResult(mrOk);

    btnCancel = new TButton(this);
    btnCancel->SetName("btnCancel");
    btnCancel->SetParent(this);
    btnCancel->SetCaption("Cancel");
    btnCancel->SetBounds(335, 62, 75, 25);
    btnCancel->SetCancel(true);
    btnCancel->SetModalResult(mrCancel);

    SetActiveControl(edFileName);
}
