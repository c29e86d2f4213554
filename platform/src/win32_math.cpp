#include "platform/win32_math.h"

int MulDiv(int number, int numerator, int denominator)
{
    if (denominator == 0) return MulDivFailed;
    const long long product = static_cast<long long>(number) * numerator;
    const bool negative = (product < 0) != (denominator < 0);
    const unsigned long long magnitude = product < 0 ? 0ULL - static_cast<unsigned long long>(product) : product;
    const unsigned long long divisor =
        denominator < 0 ? 0ULL - static_cast<unsigned long long>(static_cast<long long>(denominator)) : denominator;
    const unsigned long long rounded = (magnitude + divisor / 2) / divisor;
    if (rounded > (negative ? 2147483648ULL : 2147483647ULL)) return MulDivFailed;
    return negative ? static_cast<int>(0LL - static_cast<long long>(rounded)) : static_cast<int>(rounded);
}
