// A true/false field. DisplayValues is "text for true;text for false" and is both
// how the value is shown and which texts are accepted (case-insensitively), besides
// "true", "false", "1" and "0".
#pragma once

#include "platform/data/Field.h"

class TBooleanField : public TField {
public:
    TBooleanField() : TField(TFieldType::ftBoolean) {}

    const std::string& DisplayValues() const { return m_displayValues; }
    void SetDisplayValues(const std::string& values) { m_displayValues = values; }

protected:
    Variant ConvertValue(const Variant& value) const override;
    std::string FormatValue(const Variant& value, bool display) const override;
    int DefaultDisplayWidth() const override { return 5; }

private:
    std::string TrueText() const;
    std::string FalseText() const;
    std::string m_displayValues = "True;False";
};
