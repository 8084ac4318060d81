// A time of day without date; text form "HH:MM:SS".
#pragma once

#include "platform/data/DateTimeField.h"

class TTimeField : public TDateTimeField {
public:
    TTimeField() : TDateTimeField(TFieldType::ftTime) {}

protected:
    Variant ConvertValue(const Variant& value) const override;
    std::string FormatValue(const Variant& value, bool display) const override;
    int DefaultDisplayWidth() const override { return 8; }
};
