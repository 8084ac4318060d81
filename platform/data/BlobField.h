// Binary data of any length, held as the bytes of a std::string. Shown as "(Blob)";
// its edit text and AsString are the bytes themselves.
#pragma once

#include "platform/data/Field.h"

class TBlobField : public TField {
public:
    TBlobField() : TField(TFieldType::ftBlob) {}

protected:
    explicit TBlobField(TFieldType type) : TField(type) {}
    Variant ConvertValue(const Variant& value) const override;
    std::string FormatValue(const Variant& value, bool display) const override;
};
