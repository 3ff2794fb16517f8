// libFuzzer target: the binary form reader. Any input must either convert to text or raise a
// host exception; what converts must read back as the same text.
#include "host/classes/ObjectText.h"
#include "host/classes/Streams.h"
#include "host/system/Exceptions.h"

#include <cstdint>
#include <cstdlib>
#include <string>

using namespace host;

namespace {
std::string Contents(TMemoryStream& S) {
    return std::string(static_cast<const char*>(S.GetMemory()),
                       static_cast<std::size_t>(S.GetSize()));
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    TMemoryStream binary, text;
    binary.WriteBuffer(Data, static_cast<Integer>(Size));
    binary.SetPosition(0);
    try {
        ObjectBinaryToText(&binary, &text);
    } catch (const Exception&) {
        return 0;
    }
    TMemoryStream again, text2;
    text.SetPosition(0);
    ObjectTextToBinary(&text, &again);
    again.SetPosition(0);
    ObjectBinaryToText(&again, &text2);
    if (Contents(text2) != Contents(text)) std::abort();
    return 0;
}
