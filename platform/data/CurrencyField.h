// A money amount, kept exactly with four decimals and shown with two.
#pragma once

#include "platform/data/FloatField.h"

class TCurrencyField : public TFloatField {
public:
    TCurrencyField() : TFloatField(TFieldType::ftCurrency) {}

protected:
    Variant ConvertValue(const Variant& value) const override;
    std::string FormatValue(const Variant& value, bool display) const override;
};
