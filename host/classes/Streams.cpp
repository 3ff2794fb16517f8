// TStream: positions, exact reads and writes, copying, and resource headers.
#include "host/classes/Streams.h"

#include "host/system/Exceptions.h"

#include <algorithm>
#include <cctype>
#include <memory>

namespace host {

HOST_METACLASS(TStream, TObject);

TStream::~TStream() = default;

LongInt TStream::GetPosition() {
    return Seek(0, soFromCurrent);
}
void TStream::SetPosition(LongInt Pos) {
    Seek(Pos, soFromBeginning);
}

LongInt TStream::GetSize() {
    LongInt pos = Seek(0, soFromCurrent);
    LongInt result = Seek(0, soFromEnd);
    Seek(pos, soFromBeginning);
    return result;
}

void TStream::SetSize(LongInt) {}

void TStream::ReadBuffer(void* Buffer, LongInt Count) {
    if (Count != 0 && Read(Buffer, Count) != Count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, LongInt Count) {
    if (Count != 0 && Write(Buffer, Count) != Count) throw EWriteError("Stream write error");
}

LongInt TStream::CopyFrom(TStream* Source, LongInt Count) {
    if (!Source) throw EReadError("Stream read error");
    if (Count == 0) {
        Source->SetPosition(0);
        Count = Source->GetSize();
    }
    // A negative count can never be read in full.
    if (Count < 0) throw EReadError("Stream read error");
    constexpr LongInt MaxBufSize = 0xF000;
    const LongInt bufSize = std::min(Count, MaxBufSize);
    std::unique_ptr<Byte[]> buffer(new Byte[static_cast<std::size_t>(std::max(bufSize, 1))]);
    LongInt left = Count;
    while (left != 0) {
        LongInt n = std::min(left, bufSize);
        Source->ReadBuffer(buffer.get(), n);
        WriteBuffer(buffer.get(), n);
        left -= n;
    }
    return Count;
}

// A resource header as component writers produce it: 0xFF, the 16-bit type (RCDATA), the name
// as a zero-terminated upper-case text, 16-bit memory flags and the 32-bit size of the data.
namespace {
constexpr Word ResTypeRcData = 10;
constexpr Word ResMemoryFlags = 0x1030;

[[noreturn]] void InvalidImage() {
    throw EInvalidImage("Invalid stream format");
}

bool ReadByte(TStream& S, Byte& B) {
    return S.Read(&B, 1) == 1;
}
} // namespace

void TStream::ReadResHeader() {
    Byte b = 0, lo = 0, hi = 0;
    if (!ReadByte(*this, b) || b != 0xFF) InvalidImage();
    if (!ReadByte(*this, lo) || !ReadByte(*this, hi)) InvalidImage();
    if ((lo | (hi << 8)) != ResTypeRcData) InvalidImage();
    // The name, a text ended by a zero byte, or 0xFF and a 16-bit identifier.
    if (!ReadByte(*this, b)) InvalidImage();
    if (b == 0xFF) {
        if (!ReadByte(*this, lo) || !ReadByte(*this, hi)) InvalidImage();
    } else {
        while (b != 0)
            if (!ReadByte(*this, b)) InvalidImage();
    }
    Byte rest[6]; // memory flags and data size
    if (Read(rest, sizeof rest) != static_cast<LongInt>(sizeof rest)) InvalidImage();
}

void TStream::WriteResourceHeader(const AnsiString& ResName, LongInt& FixupInfo) {
    AnsiString header;
    header.push_back(static_cast<char>(0xFF));
    header.push_back(static_cast<char>(ResTypeRcData & 0xFF));
    header.push_back(static_cast<char>(ResTypeRcData >> 8));
    for (char c : ResName) {
        if (c == '\0') break; // the name ends at its first zero byte, as the header does
        header.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    }
    header.push_back('\0');
    header.push_back(static_cast<char>(ResMemoryFlags & 0xFF));
    header.push_back(static_cast<char>(ResMemoryFlags >> 8));
    header.append(4, '\0'); // size, filled in by FixupResourceHeader
    WriteBuffer(header.data(), static_cast<LongInt>(header.size()));
    FixupInfo = GetPosition();
}

void TStream::FixupResourceHeader(LongInt FixupInfo) {
    LongInt end = GetPosition();
    LongInt size = end - FixupInfo;
    if (FixupInfo < 4 || size < 0) InvalidImage();
    Byte le[4] = {static_cast<Byte>(size), static_cast<Byte>(size >> 8),
                  static_cast<Byte>(size >> 16), static_cast<Byte>(size >> 24)};
    SetPosition(FixupInfo - 4);
    WriteBuffer(le, 4);
    SetPosition(end);
}

} // namespace host
