// A 16-bit signed integer field.
#pragma once

#include "platform/data/IntegerField.h"

class TSmallintField : public TIntegerField {
public:
    TSmallintField() : TIntegerField(TFieldType::ftSmallint) {}
    int64_t TypeMin() const override { return INT16_MIN; }
    int64_t TypeMax() const override { return INT16_MAX; }
};
