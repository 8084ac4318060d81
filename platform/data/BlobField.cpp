#include "platform/data/BlobField.h"

Variant TBlobField::ConvertValue(const Variant& value) const
{
    if (value.IsClear())
        return Variant::Null();
    return Variant(value.AsString());
}

std::string TBlobField::FormatValue(const Variant& value, bool display) const
{
    if (!display)
        return value.AsString();
    switch (DataType()) {
    case TFieldType::ftMemo:
    case TFieldType::ftFmtMemo: return "(Memo)";
    case TFieldType::ftGraphic: return "(Graphic)";
    default: return "(Blob)";
    }
}
