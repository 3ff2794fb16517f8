// TBits: a growable array of Boolean flags.
#pragma once

#include "host/system/Exceptions.h"

#include <cstdint>
#include <vector>

namespace host {

class TBits : public TObject {
    HOST_CLASS(TBits, TObject)
public:
    TBits() = default;
    ~TBits() override;

    /// Reading at or past Size, or at a negative index, raises EBitsError "Bits index out of
    /// range"; writing past Size grows the array first.
    bool GetBits(Integer Index) const;
    void SetBits(Integer Index, bool Value);
    Integer GetSize() const { return FSize; }
    /// New bits are false; a negative size raises EBitsError.
    void SetSize(Integer Value);
    /// The index of the first false bit, or Size when every bit is set.
    Integer OpenBit() const;

protected:
    [[noreturn]] static void Error();

    Integer FSize = 0;
    std::vector<std::uint32_t> FBits;
};

} // namespace host
