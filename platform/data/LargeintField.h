// A 64-bit integer field.
#pragma once

#include "platform/data/IntegerField.h"

class TLargeintField : public TIntegerField {
public:
    TLargeintField() : TIntegerField(TFieldType::ftLargeint) {}
    int64_t TypeMin() const override { return INT64_MIN; }
    int64_t TypeMax() const override { return INT64_MAX; }
};
