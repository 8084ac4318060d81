// A date and time field; its text form is "YYYY-MM-DD HH:MM:SS" (the time left out
// at midnight).
#pragma once

#include "platform/data/Field.h"

class TDateTimeField : public TField {
public:
    TDateTimeField() : TField(TFieldType::ftDateTime) {}
    bool IsValidChar(char32_t ch) const override;

protected:
    explicit TDateTimeField(TFieldType type) : TField(type) {}
    Variant ConvertValue(const Variant& value) const override;
    std::string FormatValue(const Variant& value, bool display) const override;
    int DefaultDisplayWidth() const override { return 19; }
    // The date-time of a value, or an error naming the field.
    TDateTime ToDateTime(const Variant& value) const;
};
