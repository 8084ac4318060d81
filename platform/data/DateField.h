// A date without time of day; text form "YYYY-MM-DD".
#pragma once

#include "platform/data/DateTimeField.h"

class TDateField : public TDateTimeField {
public:
    TDateField() : TDateTimeField(TFieldType::ftDate) {}

protected:
    Variant ConvertValue(const Variant& value) const override;
    std::string FormatValue(const Variant& value, bool display) const override;
    int DefaultDisplayWidth() const override { return 10; }
};
