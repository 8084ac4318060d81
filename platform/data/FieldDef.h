// The description of one column of a dataset's storage, as the storage reports it
// on Open; fields are bound to these by name.
#pragma once

#include "platform/data/DataTypes.h"

#include <string>

struct TFieldDef {
    std::string Name;
    TFieldType DataType = TFieldType::ftUnknown;
    int Size = 0;              // characters for strings, 0 otherwise
    bool Required = false;     // a value must be given (NOT NULL without a default)
    bool InPrimaryKey = false; // part of the primary index (the record order)
    std::string DeclaredType;  // the type text as the storage declares it
};
