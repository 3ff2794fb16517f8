// zeltrix convert IN OUT [--to text|binary]: converts a form file between the host's binary
// and text formats, detecting the input's format.
#include "host/classes/ObjectText.h"
#include "host/classes/Streams.h"
#include "host/system/Exceptions.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

namespace {

bool ReadFile(const char* Path, std::string& Data) {
    std::ifstream f(Path, std::ios::binary);
    if (!f) return false;
    Data.assign(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
    return !f.bad();
}

bool WriteFile(const char* Path, const void* Data, std::size_t Size) {
    std::ofstream f(Path, std::ios::binary | std::ios::trunc);
    f.write(static_cast<const char*>(Data), static_cast<std::streamsize>(Size));
    return static_cast<bool>(f.flush());
}

int Fail(const char* In, const std::string& Message) {
    std::fprintf(stderr, "zeltrix convert: %s: %s\n", In, Message.c_str());
    return 1;
}

} // namespace

int RunConvert(int argc, char** argv) {
    const char* usage =
        "usage: zeltrix convert IN OUT [--to text|binary]\n"
        "\n"
        "Converts the form file IN (text, binary, or binary behind a resource header) into OUT:\n"
        "binary becomes text and text becomes binary unless --to says which. The text written\n"
        "is the host's canonical layout. The form is checked in full on the way, but not\n"
        "loaded: its classes need not exist.\n";
    const char* in = nullptr;
    const char* out = nullptr;
    const char* to = nullptr;
    for (int i = 0; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h"))
            return std::fputs(usage, stdout), 0;
        if (!std::strcmp(argv[i], "--to") && i + 1 < argc)
            to = argv[++i];
        else if (!std::strncmp(argv[i], "--to=", 5))
            to = argv[i] + 5;
        else if (!in)
            in = argv[i];
        else if (!out)
            out = argv[i];
        else
            return std::fprintf(stderr, "zeltrix convert: unexpected '%s'\n%s", argv[i], usage), 2;
    }
    if (!in || !out)
        return std::fprintf(stderr, "zeltrix convert: expects IN and OUT\n%s", usage), 2;
    if (to && std::strcmp(to, "text") && std::strcmp(to, "binary"))
        return std::fprintf(stderr, "zeltrix convert: --to takes text or binary, not '%s'\n", to),
               2;

    std::string data;
    if (!ReadFile(in, data)) return Fail(in, "cannot read the file");
    host::TMemoryStream input, binary, output;
    input.WriteBuffer(data.data(), static_cast<host::Integer>(data.size()));
    input.SetPosition(0);

    host::TStreamOriginalFormat format = host::TestStreamFormat(&input);
    if (format == host::sofUnknown)
        return Fail(in, "neither a binary nor a text form (it should start with TPF0 or 'object')");
    bool toText = to ? !std::strcmp(to, "text") : format == host::sofBinary;
    try {
        // Everything passes through the binary form, so a text input is checked in full and
        // text output is always canonical.
        if (format == host::sofText) {
            host::ObjectTextToBinary(&input, &binary);
        } else {
            if (host::HasResourceHeader(&input)) host::SkipResourceHeader(&input);
            host::Integer start = input.GetPosition();
            binary.WriteBuffer(static_cast<const char*>(input.GetMemory()) + start,
                               static_cast<host::Integer>(input.GetSize() - start));
            // Validate by converting; the text is thrown away when binary is wanted.
            binary.SetPosition(0);
            host::TMemoryStream check;
            try {
                host::ObjectBinaryToText(&binary, &check);
            } catch (const host::EReadError& e) {
                // The reader hands back what it did not consume: the stream stands where
                // reading failed.
                return Fail(in, e.Message() + " (at byte " +
                                    std::to_string(start + binary.GetPosition()) + ")");
            }
        }
        binary.SetPosition(0);
        if (toText)
            host::ObjectBinaryToText(&binary, &output);
        else
            output.WriteBuffer(binary.GetMemory(), static_cast<host::Integer>(binary.GetSize()));
    } catch (const host::Exception& e) {
        return Fail(in, e.Message());
    }
    if (!WriteFile(out, output.GetMemory(), static_cast<std::size_t>(output.GetSize())))
        return Fail(out, "cannot write the file");
    return 0;
}
