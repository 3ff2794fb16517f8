#include "host/classes/Bits.h"

#include <bit>

namespace host {

HOST_METACLASS(TBits, TObject);

TBits::~TBits() = default;

void TBits::Error() {
    throw EBitsError("Bits index out of range");
}

bool TBits::GetBits(Integer Index) const {
    if (Index < 0 || Index >= FSize) Error();
    return (FBits[static_cast<std::size_t>(Index) / 32] >> (Index % 32)) & 1u;
}

void TBits::SetBits(Integer Index, bool Value) {
    if (Index < 0 || Index == 0x7FFFFFFF) Error(); // the size must stay an Integer
    if (Index >= FSize) SetSize(Index + 1);
    std::uint32_t& word = FBits[static_cast<std::size_t>(Index) / 32];
    std::uint32_t mask = 1u << (Index % 32);
    word = Value ? (word | mask) : (word & ~mask);
}

void TBits::SetSize(Integer Value) {
    if (Value < 0) Error();
    if (Value == FSize) return;
    try {
        FBits.resize((static_cast<std::size_t>(Value) + 31) / 32, 0u);
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory("Out of memory");
    }
    // Bits beyond the new size are cleared so that growing again yields false bits.
    if (Value % 32 != 0) FBits.back() &= (1u << (Value % 32)) - 1u;
    FSize = Value;
}

Integer TBits::OpenBit() const {
    for (std::size_t w = 0; w < FBits.size(); ++w)
        if (FBits[w] != 0xFFFFFFFFu) {
            auto i = static_cast<Integer>(w * 32 + std::countr_one(FBits[w]));
            return i < FSize ? i : FSize;
        }
    return FSize;
}

} // namespace host
