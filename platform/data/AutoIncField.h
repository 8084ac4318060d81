// An integer key the table assigns when a new record is posted (the field is null until then). A value stored into it by code is written as it is.
#pragma once

#include "platform/data/IntegerField.h"

class TAutoIncField : public TIntegerField {
public:
    TAutoIncField() : TIntegerField(TFieldType::ftAutoInc) {}
    int64_t TypeMin() const override { return INT32_MIN; }
    int64_t TypeMax() const override { return INT32_MAX; }
};
