// Resource headers around binary forms, and telling binary forms from text forms.
#include "host/classes/FilerBytes.h"
#include "host/classes/ObjectText.h"
#include "host/classes/Reader.h"
#include "host/classes/Streams.h"
#include "host/system/SysUtils.h"

#include <cctype>
#include <cstring>

namespace host {

using filer_bytes::GetLE;

namespace {
constexpr Word RT_RCDATA = 10;

[[noreturn]] void InvalidImage() {
    throw EInvalidImage("Invalid stream format");
}

/// Reads exactly `Count` bytes or raises the resource error.
void ReadExact(TStream* S, void* Buf, Integer Count) {
    if (S->Read(Buf, Count) != Count) InvalidImage();
}

/// Restores a stream's position when a peek is done.
struct KeepPosition {
    explicit KeepPosition(TStream* S) : Stream(S), Pos(S->GetPosition()) {}
    ~KeepPosition() { Stream->SetPosition(Pos); }
    TStream* Stream;
    Integer Pos;
};

/// The 16-bit header: $FF, type id, zero-terminated name, flags, size.
void Skip16BitHeader(TStream* S) {
    Byte b[3];
    ReadExact(S, b, 3);
    if (b[0] != 0xFF || GetLE<Word>(b + 1) != RT_RCDATA) InvalidImage();
    Byte c;
    int n = 0;
    do {
        ReadExact(S, &c, 1);
        if (++n > 256) InvalidImage();
    } while (c != 0);
    Byte tail[6];
    ReadExact(S, tail, 6);
}

/// The entries of a 32-bit resource file, up to the first RCDATA that holds a form.
void Skip32BitEntries(TStream* S) {
    Int64 size = S->GetSize();
    for (;;) {
        Int64 start = S->GetPosition();
        Byte h[8];
        ReadExact(S, h, 8);
        Int64 dataSize = GetLE<Cardinal>(h);
        Int64 headerSize = GetLE<Cardinal>(h + 4);
        if (headerSize < 24 || start + headerSize + dataSize > size) InvalidImage();
        Byte t[4];
        ReadExact(S, t, 4);
        bool rcdata = GetLE<Word>(t) == 0xFFFF && GetLE<Word>(t + 2) == RT_RCDATA;
        S->SetPosition(static_cast<Integer>(start + headerSize));
        if (rcdata && dataSize >= 4) {
            char sig[4];
            ReadExact(S, sig, 4);
            S->Seek(-4, soFromCurrent);
            if (std::memcmp(sig, FilerSignature, 4) == 0) return;
        }
        Int64 next = start + headerSize + ((dataSize + 3) & ~Int64(3));
        if (next >= size) InvalidImage();
        S->SetPosition(static_cast<Integer>(next));
    }
}
} // namespace

bool HasResourceHeader(TStream* Stream) {
    KeepPosition keep(Stream);
    Byte h[8] = {};
    Integer got = Stream->Read(h, 8);
    if (got >= 1 && h[0] == 0xFF) return true;
    return got == 8 && GetLE<Cardinal>(h) == 0 && GetLE<Cardinal>(h + 4) == 32;
}

void SkipResourceHeader(TStream* Stream) {
    Byte first = 0;
    {
        KeepPosition keep(Stream);
        if (Stream->Read(&first, 1) != 1) InvalidImage();
    }
    if (first == 0xFF)
        Skip16BitHeader(Stream);
    else
        Skip32BitEntries(Stream);
}

void ObjectTextToResource(TStream* Input, TStream* Output) {
    TMemoryStream binary;
    ObjectTextToBinary(Input, &binary);
    AnsiString className;
    {
        binary.SetPosition(0);
        TReader reader(&binary, 256);
        reader.ReadSignature();
        TFilerFlags flags;
        Integer pos = 0;
        reader.ReadPrefix(flags, pos);
        className = reader.ReadStr();
    }
    LongInt fixup = 0;
    Output->WriteResourceHeader(className, fixup);
    Output->WriteBuffer(binary.GetMemory(), static_cast<Integer>(binary.GetSize()));
    Output->FixupResourceHeader(fixup);
}

TStreamOriginalFormat TestStreamFormat(TStream* Stream) {
    KeepPosition keep(Stream);
    char buf[512];
    Integer n = Stream->Read(buf, sizeof buf);
    if (n <= 0) return sofUnknown;
    std::string_view s(buf, static_cast<std::size_t>(n));
    if (s.substr(0, 4) == std::string_view(FilerSignature, 4)) return sofBinary;
    Stream->SetPosition(keep.Pos);
    if (HasResourceHeader(Stream)) return sofBinary;
    if (s.substr(0, 3) == "\xEF\xBB\xBF") s.remove_prefix(3);
    while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ' && s.front() != 0)
        s.remove_prefix(1);
    std::size_t word = 0;
    while (word < s.size() && std::isalpha(static_cast<unsigned char>(s[word]))) ++word;
    AnsiString first(s.substr(0, word));
    if (SameText(first, "object") || SameText(first, "inherited") || SameText(first, "inline"))
        return sofText;
    return sofUnknown;
}

} // namespace host
