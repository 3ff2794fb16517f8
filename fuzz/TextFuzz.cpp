// libFuzzer target: the text form parser and converter. Any input must either convert or
// raise a host exception; what converts must be a fixed point of text -> binary -> text, and
// reading it as components must either work or raise without leaving components behind.
#include "host/classes/ObjectText.h"
#include "host/classes/Streams.h"
#include "host/system/Exceptions.h"

// The test suite's classes with every kind of published property.
#include "tests/host/StreamingClasses.cpp"

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
    TMemoryStream text, binary;
    text.WriteBuffer(Data, static_cast<Integer>(Size));
    text.SetPosition(0);
    try {
        ObjectTextToBinary(&text, &binary);
    } catch (const Exception&) {
        return 0;
    }
    // A converted text must come back unchanged through the canonical text.
    TMemoryStream canonical, again;
    binary.SetPosition(0);
    ObjectBinaryToText(&binary, &canonical);
    canonical.SetPosition(0);
    ObjectTextToBinary(&canonical, &again);
    if (Contents(again) != Contents(binary)) std::abort();

    static bool registered = (RegisterStreamingClasses(), true);
    (void)registered;
    std::size_t before = LiveObjects::Count();
    binary.SetPosition(0);
    try {
        binary.ReadComponent(nullptr)->Free();
    } catch (const Exception&) {
    }
    StreamLog().clear();
    if (LiveObjects::Count() != before) std::abort();
    return 0;
}
