// Text of any length. Shown as "(Memo)"; its edit text and AsString are the text.
#pragma once

#include "platform/data/BlobField.h"

class TMemoField : public TBlobField {
public:
    TMemoField() : TBlobField(TFieldType::ftMemo) {}
};
