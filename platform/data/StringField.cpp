#include "platform/data/StringField.h"

size_t Utf8Length(const std::string& text)
{
    size_t n = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80)
            ++n;
    return n;
}

std::string Utf8Left(const std::string& text, size_t count)
{
    size_t seen = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            if (seen == count)
                return text.substr(0, i);
            ++seen;
        }
    }
    return text;
}

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
