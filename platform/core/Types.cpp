#include "Types.h"

#include <cstdlib>

int32_t MulDiv(int32_t a, int32_t b, int32_t c)
{
    if (c == 0)
        return -1;
    const int64_t product = static_cast<int64_t>(a) * b;
    const bool negative = (product < 0) != (c < 0);
    const int64_t num = std::llabs(product);
    const int64_t den = std::llabs(static_cast<int64_t>(c));
    int64_t q = (num + den / 2) / den;
    if (negative)
        q = -q;
    return Saturate32(q);
}
