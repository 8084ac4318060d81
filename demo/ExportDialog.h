// TExportDialog: the small dialog asking where to save a picture of the chart: a file
// name field (a PNG file) with OK and Cancel.
#pragma once

#include "platform/controls/Form.h"

class TButton;
class TEdit;

class TExportDialog : public TForm {
public:
    explicit TExportDialog(TComponent* AOwner);

    TEdit* edFileName = nullptr;
    TButton* btnOk = nullptr;
    TButton* btnCancel = nullptr;
};
