// A 16-bit unsigned integer field.
#pragma once

#include "platform/data/IntegerField.h"

class TWordField : public TIntegerField {
public:
    TWordField() : TIntegerField(TFieldType::ftWord) {}
    int64_t TypeMin() const override { return 0; }
    int64_t TypeMax() const override { return UINT16_MAX; }
};
