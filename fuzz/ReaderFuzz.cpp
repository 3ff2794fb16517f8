// libFuzzer target: the binary form reader. Any input must either read or raise a host
// exception: as text (what converts must read back as the same text) and as components of
// classes with every kind of published property, with and without an OnError handler that
// skips bad properties.
#include "host/classes/ObjectText.h"
#include "host/classes/Reader.h"
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

struct Skipper {
    int Errors = 0;
    void OnError(TReader*, const AnsiString&, bool& Handled) { Handled = ++Errors < 100; }
};

void ReadAsComponents(const std::uint8_t* Data, std::size_t Size, bool Handle) {
    TMemoryStream s;
    s.WriteBuffer(Data, static_cast<Integer>(Size));
    s.SetPosition(0);
    Skipper skipper;
    TReader reader(&s, 512);
    if (Handle) reader.SetOnError(TReaderError::Bind<&Skipper::OnError>(&skipper));
    TComponent* root = nullptr;
    try {
        root = reader.ReadRootComponent(nullptr);
    } catch (const Exception&) {
        return;
    }
    root->Free();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    static bool registered = (RegisterStreamingClasses(), true);
    (void)registered;
    std::size_t before = LiveObjects::Count();
    ReadAsComponents(Data, Size, false);
    ReadAsComponents(Data, Size, true);
    StreamLog().clear();
    if (LiveObjects::Count() != before) std::abort(); // a component outlived a failed read

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
