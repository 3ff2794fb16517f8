// Byte order of the binary form format: little-endian integers, IEEE floats and the 80-bit
// extended float, whatever the machine's own layout.
#pragma once

#include "host/system/Types.h"

#include <bit>
#include <cstring>

namespace host::filer_bytes {

template <class T>
inline void PutLE(Byte* Out, T Value) {
    static_assert(std::is_trivially_copyable_v<T>);
    std::memcpy(Out, &Value, sizeof(T));
    if constexpr (std::endian::native == std::endian::big)
        for (std::size_t i = 0; i < sizeof(T) / 2; ++i) std::swap(Out[i], Out[sizeof(T) - 1 - i]);
}

template <class T>
inline T GetLE(const Byte* In) {
    Byte tmp[sizeof(T)];
    std::memcpy(tmp, In, sizeof(T));
    if constexpr (std::endian::native == std::endian::big)
        for (std::size_t i = 0; i < sizeof(T) / 2; ++i) std::swap(tmp[i], tmp[sizeof(T) - 1 - i]);
    T v;
    std::memcpy(&v, tmp, sizeof(T));
    return v;
}

/// Appends `Value` in little-endian order (a file format built in memory).
template <class T, class Bytes>
inline void AppendLE(Bytes& Out, T Value) {
    Byte b[sizeof(T)];
    PutLE(b, Value);
    Out.insert(Out.end(), b, b + sizeof(T));
}

/// The 10 bytes of the 80-bit extended float nearest to `Value` (sign, 15-bit exponent,
/// 64-bit mantissa with its explicit integer bit).
void ExtendedToBytes(Extended Value, Byte Out[10]);
/// The value of 10 bytes of an 80-bit extended float (unnormals are taken at face value).
Extended BytesToExtended(const Byte In[10]);

} // namespace host::filer_bytes
