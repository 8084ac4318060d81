#include "platform/data/StringField.h"

Variant TStringField::ConvertValue(const Variant& value) const
{
    if (value.IsClear())
        return Variant::Null();
    std::string text = value.AsString();
    if (text.empty())
        return Variant::Null();
    if (Size() > 0 && text.size() > size_t(Size()))
        text = Utf8Left(text, size_t(Size()));
    return Variant(std::move(text));
}
