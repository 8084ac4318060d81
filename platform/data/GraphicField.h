// A picture kept as the bytes of its file format.
#pragma once

#include "platform/data/BlobField.h"

class TGraphicField : public TBlobField {
public:
    TGraphicField() : TBlobField(TFieldType::ftGraphic) {}
};
