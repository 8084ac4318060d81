// A text field of at most Size characters (code points). Longer text is cut to
// Size when stored; an empty text stores null, so a required string field refuses
// an empty value.
#pragma once

#include "platform/core/Utf8.h" // Utf8Left and Utf8Length, which cut text by code points
#include "platform/data/Field.h"

class TStringField : public TField {
public:
    explicit TStringField(int size = 20) : TField(TFieldType::ftString) { SetSize(size); }

protected:
    Variant ConvertValue(const Variant& value) const override;
    std::string FormatValue(const Variant& value, bool display) const override { return value.AsString(); }
    int DefaultDisplayWidth() const override { return Size() > 0 ? Size() : 20; }
};

