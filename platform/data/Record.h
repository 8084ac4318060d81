// One record as a dataset holds it in memory: the storage's row identity and the
// values of the data fields, in column order (TField::FieldNo - 1).
#pragma once

#include "platform/data/Variant.h"

#include <cstdint>
#include <memory>
#include <vector>

struct TRecord {
    int64_t RowId = 0;
    std::vector<Variant> Values;
};

using TRecordPtr = std::unique_ptr<TRecord>;
