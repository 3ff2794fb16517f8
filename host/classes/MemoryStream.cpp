// Memory streams: TCustomMemoryStream, the growable TMemoryStream and TStringStream.
#include "host/classes/Streams.h"

#include "host/system/Exceptions.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <new>

namespace host {

HOST_METACLASS(TCustomMemoryStream, TStream);
HOST_METACLASS(TMemoryStream, TCustomMemoryStream);
HOST_METACLASS(TStringStream, TStream);

namespace {
constexpr LongInt MaxLongInt = std::numeric_limits<LongInt>::max();
constexpr LongInt MemoryDelta = 0x2000; // growth step of memory streams

/// A new position from `Base` + `Offset`, kept within the range of a LongInt.
LongInt AddClamped(LongInt Base, LongInt Offset) {
    Int64 v = static_cast<Int64>(Base) + Offset;
    v = std::clamp<Int64>(v, std::numeric_limits<LongInt>::min(), MaxLongInt);
    return static_cast<LongInt>(v);
}

[[noreturn]] void MemoryStreamError() {
    throw EStreamError("Out of memory while expanding memory stream");
}
} // namespace

// ---- TCustomMemoryStream ----

TCustomMemoryStream::~TCustomMemoryStream() = default;

void TCustomMemoryStream::SetPointer(void* Ptr, LongInt Size) {
    FMemory = Ptr;
    FSize = Size;
}

LongInt TCustomMemoryStream::Read(void* Buffer, LongInt Count) {
    if (FPosition < 0 || Count < 0) return 0;
    LongInt n = FSize - FPosition;
    if (n <= 0) return 0;
    if (n > Count) n = Count;
    std::memmove(Buffer, static_cast<Byte*>(FMemory) + FPosition, static_cast<std::size_t>(n));
    FPosition += n;
    return n;
}

LongInt TCustomMemoryStream::Seek(LongInt Offset, Word Origin) {
    switch (Origin) {
    case soFromBeginning: FPosition = Offset; break;
    case soFromCurrent: FPosition = AddClamped(FPosition, Offset); break;
    case soFromEnd: FPosition = AddClamped(FSize, Offset); break;
    default: break;
    }
    return FPosition;
}

void TCustomMemoryStream::SaveToStream(TStream* Stream) {
    if (!Stream) throw EWriteError("Stream write error");
    if (FSize == 0) return;
    if (Stream == this) {
        // Writing may move our own buffer, so write from a copy.
        std::unique_ptr<Byte[]> copy(new Byte[static_cast<std::size_t>(FSize)]);
        std::memcpy(copy.get(), FMemory, static_cast<std::size_t>(FSize));
        Stream->WriteBuffer(copy.get(), FSize);
        return;
    }
    Stream->WriteBuffer(FMemory, FSize);
}

void TCustomMemoryStream::SaveToFile(const AnsiString& FileName) {
    std::unique_ptr<TFileStream> file(new TFileStream(FileName, fmCreate));
    SaveToStream(file.get());
}

// ---- TMemoryStream ----

TMemoryStream::~TMemoryStream() {
    if (FCapacity != 0) std::free(FMemory);
    FMemory = nullptr;
    FCapacity = 0;
}

void* TMemoryStream::Realloc(LongInt& NewCapacity) {
    if (NewCapacity < 0) MemoryStreamError();
    if (NewCapacity > 0 && NewCapacity != FSize) {
        Int64 rounded =
            (static_cast<Int64>(NewCapacity) + (MemoryDelta - 1)) & ~Int64(MemoryDelta - 1);
        NewCapacity = static_cast<LongInt>(std::min<Int64>(rounded, MaxLongInt));
    }
    void* result = FMemory;
    if (NewCapacity != FCapacity) {
        if (NewCapacity == 0) {
            std::free(FMemory);
            result = nullptr;
        } else {
            result = std::realloc(FCapacity == 0 ? nullptr : FMemory,
                                  static_cast<std::size_t>(NewCapacity));
            if (!result) MemoryStreamError();
        }
    }
    return result;
}

void TMemoryStream::SetCapacity(LongInt NewCapacity) {
    void* p = Realloc(NewCapacity);
    // A capacity below the size cuts the contents, so Size never exceeds the buffer.
    SetPointer(p, std::min(FSize, NewCapacity));
    FCapacity = NewCapacity;
}

void TMemoryStream::SetSize(LongInt NewSize) {
    LongInt oldPosition = FPosition;
    LongInt oldSize = FSize;
    SetCapacity(NewSize);
    if (NewSize > oldSize)
        std::memset(static_cast<Byte*>(FMemory) + oldSize, 0,
                    static_cast<std::size_t>(NewSize - oldSize));
    FSize = NewSize;
    if (oldPosition > NewSize) Seek(0, soFromEnd);
}

LongInt TMemoryStream::Write(const void* Buffer, LongInt Count) {
    if (FPosition < 0 || Count <= 0) return 0;
    Int64 end = static_cast<Int64>(FPosition) + Count;
    if (end > MaxLongInt || end <= 0) return 0;
    const LongInt pos = static_cast<LongInt>(end);
    if (pos > FSize) {
        if (pos > FCapacity) {
            // The data may lie in our own buffer, which growing moves.
            const Byte* src = static_cast<const Byte*>(Buffer);
            const Byte* mem = static_cast<const Byte*>(FMemory);
            bool inside = FCapacity != 0 && src >= mem && src < mem + FCapacity;
            std::ptrdiff_t offset = inside ? src - mem : 0;
            SetCapacity(pos);
            if (inside) Buffer = static_cast<const Byte*>(FMemory) + offset;
        }
        if (FPosition > FSize) // a gap between the old end and the position reads as zeros
            std::memset(static_cast<Byte*>(FMemory) + FSize, 0,
                        static_cast<std::size_t>(FPosition - FSize));
        FSize = pos;
    }
    std::memmove(static_cast<Byte*>(FMemory) + FPosition, Buffer, static_cast<std::size_t>(Count));
    FPosition = pos;
    return Count;
}

void TMemoryStream::Clear() {
    SetCapacity(0);
    FSize = 0;
    FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream* Stream) {
    if (!Stream) throw EReadError("Stream read error");
    Stream->SetPosition(0);
    LongInt count = Stream->GetSize();
    SetSize(count);
    if (count != 0) Stream->ReadBuffer(FMemory, count);
}

void TMemoryStream::LoadFromFile(const AnsiString& FileName) {
    std::unique_ptr<TFileStream> file(new TFileStream(FileName, fmOpenRead | fmShareDenyWrite));
    LoadFromStream(file.get());
}

// ---- TStringStream ----

TStringStream::TStringStream(const AnsiString& AString) : FDataString(AString) {}
TStringStream::~TStringStream() = default;

LongInt TStringStream::Read(void* Buffer, LongInt Count) {
    LongInt n = static_cast<LongInt>(FDataString.size()) - FPosition;
    if (n > Count) n = Count;
    if (n <= 0) return 0;
    std::memcpy(Buffer, FDataString.data() + FPosition, static_cast<std::size_t>(n));
    FPosition += n;
    return n;
}

AnsiString TStringStream::ReadString(LongInt Count) {
    LongInt n = static_cast<LongInt>(FDataString.size()) - FPosition;
    if (n > Count) n = Count;
    if (n <= 0) return AnsiString();
    AnsiString result =
        FDataString.substr(static_cast<std::size_t>(FPosition), static_cast<std::size_t>(n));
    FPosition += n;
    return result;
}

LongInt TStringStream::Seek(LongInt Offset, Word Origin) {
    const LongInt size = static_cast<LongInt>(FDataString.size());
    switch (Origin) {
    case soFromBeginning: FPosition = Offset; break;
    case soFromCurrent: FPosition = AddClamped(FPosition, Offset); break;
    case soFromEnd: FPosition = AddClamped(size, Offset); break;
    default: break;
    }
    FPosition = std::clamp(FPosition, 0, size);
    return FPosition;
}

LongInt TStringStream::Write(const void* Buffer, LongInt Count) {
    if (Count < 0) return 0;
    Int64 end = static_cast<Int64>(FPosition) + Count;
    if (end > MaxLongInt) return 0;
    // Build the new text before touching the old one: Buffer may point into it.
    AnsiString data = FDataString.substr(0, static_cast<std::size_t>(FPosition));
    data.append(static_cast<const char*>(Buffer), static_cast<std::size_t>(Count));
    FDataString.swap(data);
    FPosition = static_cast<LongInt>(end);
    return Count;
}

void TStringStream::WriteString(const AnsiString& AString) {
    Write(AString.data(), static_cast<LongInt>(AString.size()));
}

void TStringStream::SetSize(LongInt NewSize) {
    if (NewSize < 0) NewSize = 0;
    try {
        FDataString.resize(static_cast<std::size_t>(NewSize));
    } catch (const std::bad_alloc&) {
        MemoryStreamError();
    }
    if (FPosition > NewSize) FPosition = NewSize;
}

} // namespace host
