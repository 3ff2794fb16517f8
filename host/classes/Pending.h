// Stand-ins for SysUtils' Format and AnsiCompareText until the shared versions are linked in.
#pragma once

#include "host/system/Types.h"

namespace host::pending {

/// "%d" and "%x" take `Data`; "%%" gives '%'.
inline AnsiString FormatData(const AnsiString& Msg, Integer Data) {
    AnsiString r;
    for (std::size_t i = 0; i < Msg.size(); ++i) {
        if (Msg[i] != '%' || i + 1 >= Msg.size()) {
            r += Msg[i];
            continue;
        }
        char c = Msg[++i];
        if (c == 'd') {
            r += std::to_string(Data);
        } else if (c == 'x') {
            static const char digits[] = "0123456789ABCDEF";
            AnsiString h;
            auto u = static_cast<Cardinal>(Data);
            do h.insert(h.begin(), digits[u % 16]);
            while (u /= 16);
            r += h;
        } else {
            r += c;
        }
    }
    return r;
}

inline int CompareText(const AnsiString& A, const AnsiString& B) {
    std::size_t n = A.size() < B.size() ? A.size() : B.size();
    for (std::size_t i = 0; i < n; ++i) {
        unsigned char x = static_cast<unsigned char>(A[i]), y = static_cast<unsigned char>(B[i]);
        if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x + 32);
        if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y + 32);
        if (x != y) return x < y ? -1 : 1;
    }
    return A.size() == B.size() ? 0 : A.size() < B.size() ? -1 : 1;
}

} // namespace host::pending
