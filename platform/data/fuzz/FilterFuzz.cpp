// The record filter on any text: a text is refused with the filter's own error or
// parsed, and a parsed filter evaluates on every kind of value without raising, the
// same way each time, whatever the depth or length of the text.
#include "platform/data/DatabaseError.h"
#include "platform/data/FilterExpression.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const std::vector<Variant>& Values()
{
    static const std::vector<Variant> values = {Variant::Null(), Variant(int64_t(0)), Variant(int64_t(-7)),
                                                Variant(2.5),    Variant("Sales*"),   Variant(""),
                                                Variant(true),   Variant("12"),       Variant("\xC3\x89" "cole")};
    return values;
}

void Check(const std::string& text, TFilterOptions options)
{
    std::unique_ptr<TFilterExpression> expr;
    try {
        expr = TFilterExpression::Parse(text, options);
    } catch (const EFilterError&) {
        return;
    }
    const size_t fields = expr->FieldNames().size();
    for (size_t shift = 0; shift < Values().size(); ++shift) {
        auto value = [&](int i) {
            if (i < 0 || size_t(i) >= fields)
                std::abort(); // asked for a field the filter does not name
            return Values()[(size_t(i) + shift) % Values().size()];
        };
        const bool first = expr->Evaluate(value);
        if (expr->Evaluate(value) != first)
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    Check(text, {});
    Check(text, {TFilterOption::foCaseInsensitive, TFilterOption::foNoPartialCompare});
    return 0;
}
