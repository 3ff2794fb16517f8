#include "host/classes/FilerBytes.h"

#include <cmath>
#include <limits>

namespace host::filer_bytes {

void ExtendedToBytes(Extended Value, Byte Out[10]) {
    std::uint64_t mant = 0;
    int exp = 0;
    bool neg = std::signbit(Value);
    if (std::isnan(Value)) {
        exp = 0x7FFF;
        mant = 0xC000000000000000ull;
    } else if (std::isinf(Value)) {
        exp = 0x7FFF;
        mant = 0x8000000000000000ull;
    } else if (Value != 0) {
        int e;
        Extended m = std::frexp(std::fabs(Value), &e); // m in [0.5, 1)
        Extended scaled = std::round(std::ldexp(m, 64));
        if (scaled >= std::ldexp(Extended(1), 64)) { // rounding carried into a new bit
            scaled = std::ldexp(Extended(1), 63);
            ++e;
        }
        mant = static_cast<std::uint64_t>(scaled);
        exp = e - 1 + 16383;
        if (exp >= 0x7FFF) {
            exp = 0x7FFF;
            mant = 0x8000000000000000ull;
        } else if (exp <= 0) { // denormal: the exponent field is 0 and means 1 - 16383
            int shift = 1 - exp;
            mant = shift >= 64 ? 0 : mant >> shift;
            exp = 0;
        }
    }
    PutLE<std::uint64_t>(Out, mant);
    PutLE<std::uint16_t>(Out + 8, static_cast<std::uint16_t>(exp | (neg ? 0x8000 : 0)));
}

Extended BytesToExtended(const Byte In[10]) {
    std::uint64_t mant = GetLE<std::uint64_t>(In);
    std::uint16_t se = GetLE<std::uint16_t>(In + 8);
    bool neg = (se & 0x8000) != 0;
    int exp = se & 0x7FFF;
    Extended v;
    if (exp == 0x7FFF) {
        v = (mant << 1) == 0 ? std::numeric_limits<Extended>::infinity()
                             : std::numeric_limits<Extended>::quiet_NaN();
    } else {
        int e = (exp == 0 ? 1 : exp) - 16383 - 63;
        v = std::ldexp(static_cast<Extended>(mant), e);
    }
    return neg ? -v : v;
}

} // namespace host::filer_bytes
