// TReader's value layer: the buffer over the stream and every value kind of the binary format.
#include "host/classes/FilerBytes.h"
#include "host/classes/Reader.h"
#include "host/classes/Streams.h"
#include "host/classes/Writer.h"
#include "host/system/SysUtils.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace host {

using filer_bytes::GetLE;

HOST_METACLASS(TReader, TFiler);

TReader::TReader(TStream* Stream, Integer BufSize) : TFiler(Stream, BufSize) {}

TReader::~TReader() {
    // What is left in the buffer was never read: give it back to the stream.
    if (FStream && FBufEnd > FBufPos) FStream->Seek(FBufPos - FBufEnd, soFromCurrent);
}

void TReader::ReadError(const char* Message) {
    throw EReadError(Message);
}

void TReader::PropValueError() {
    throw EReadError("Invalid property value");
}

TReader::Nesting::Nesting(TReader* Reader) : R(Reader) {
    if (++R->FDepth > MaxFilerNesting) {
        --R->FDepth;
        ReadError("Invalid stream format");
    }
}

// ---- the buffer ----

void TReader::ReadBuffer() {
    FBufPos = 0;
    FBufEnd = FStream ? FStream->Read(FBuffer.get(), FBufSize) : 0;
    if (FBufEnd <= 0) {
        FBufEnd = 0;
        ReadError("Stream read error");
    }
}

void TReader::FlushBuffer() {
    if (FStream && FBufEnd > FBufPos) FStream->Seek(FBufPos - FBufEnd, soFromCurrent);
    FBufPos = FBufEnd = 0;
}

Integer TReader::GetPosition() const {
    return FStream ? FStream->GetPosition() - (FBufEnd - FBufPos) : 0;
}

void TReader::SetPosition(Integer Value) {
    if (FStream) FStream->SetPosition(Value);
    FBufPos = FBufEnd = 0;
}

void TReader::CheckAvailable(Int64 Count) {
    Int64 buffered = FBufEnd - FBufPos;
    if (Count <= buffered) return;
    Int64 rest = FStream ? Int64(FStream->GetSize()) - FStream->GetPosition() : 0;
    if (Count > buffered + std::max<Int64>(rest, 0)) ReadError("Stream read error");
}

void TReader::Read(void* Buf, Integer Count) {
    auto* out = static_cast<Byte*>(Buf);
    while (Count > 0) {
        if (FBufPos == FBufEnd) ReadBuffer();
        Integer n = std::min(Count, FBufEnd - FBufPos);
        std::memcpy(out, FBuffer.get() + FBufPos, static_cast<std::size_t>(n));
        FBufPos += n;
        out += n;
        Count -= n;
    }
}

void TReader::SkipBytes(Int64 Count) {
    CheckAvailable(Count);
    while (Count > 0) {
        if (FBufPos == FBufEnd) ReadBuffer();
        Integer n = static_cast<Integer>(std::min<Int64>(Count, FBufEnd - FBufPos));
        FBufPos += n;
        Count -= n;
    }
}

Integer TReader::ReadLength(int Width, Int64 ItemSize) {
    Integer len;
    if (Width == 1) {
        Byte b;
        Read(&b, 1);
        len = b;
    } else {
        Byte b[4];
        Read(b, 4);
        len = GetLE<Integer>(b);
        if (len < 0) ReadError("Invalid stream format");
    }
    CheckAvailable(len * ItemSize);
    return len;
}

// ---- tags ----

TValueType TReader::ReadValue() {
    Byte b;
    Read(&b, 1);
    return static_cast<TValueType>(b);
}

TValueType TReader::NextValue() {
    TValueType v = ReadValue();
    --FBufPos; // the byte just read is still in the buffer
    return v;
}

void TReader::CheckValue(TValueType Value) {
    if (ReadValue() != Value) PropValueError();
}

bool TReader::EndOfList() {
    return NextValue() == vaNull;
}

void TReader::ReadListBegin() {
    CheckValue(vaList);
}

void TReader::ReadListEnd() {
    CheckValue(vaNull);
}

void TReader::ReadSignature() {
    char sig[4];
    Read(sig, 4);
    if (std::memcmp(sig, FilerSignature, 4) != 0) ReadError("Invalid stream format");
}

void TReader::ReadPrefix(TFilerFlags& Flags, Integer& AChildPos) {
    Flags = TFilerFlags();
    Byte b = static_cast<Byte>(NextValue());
    if ((b & 0xF0) != 0xF0) return;
    ++FBufPos;
    Flags = TFilerFlags::FromBits(static_cast<TFilerFlags::Bits>(b & 0x07));
    if (Flags.Contains(ffChildPos)) AChildPos = ReadInteger();
}

// ---- numbers ----

namespace {
bool IsIntegerTag(TValueType v) {
    return v == vaInt8 || v == vaInt16 || v == vaInt32 || v == vaInt64;
}
} // namespace

Int64 TReader::ReadInt64() {
    Byte b[8];
    switch (ReadValue()) {
    case vaInt8: Read(b, 1); return static_cast<ShortInt>(b[0]);
    case vaInt16: Read(b, 2); return GetLE<SmallInt>(b);
    case vaInt32: Read(b, 4); return GetLE<Integer>(b);
    case vaInt64: Read(b, 8); return GetLE<Int64>(b);
    default: PropValueError();
    }
}

Integer TReader::ReadInteger() {
    if (NextValue() == vaInt64) {
        Int64 v = ReadInt64();
        if (v < std::numeric_limits<Integer>::min() || v > std::numeric_limits<Integer>::max())
            PropValueError();
        return static_cast<Integer>(v);
    }
    return static_cast<Integer>(ReadInt64());
}

Extended TReader::ReadFloat() {
    Byte b[10];
    TValueType v = NextValue();
    if (IsIntegerTag(v)) return static_cast<Extended>(ReadInt64());
    ReadValue();
    switch (v) {
    case vaExtended: Read(b, 10); return filer_bytes::BytesToExtended(b);
    case vaDouble:
    case vaDate: Read(b, 8); return GetLE<double>(b);
    case vaSingle: Read(b, 4); return GetLE<float>(b);
    case vaCurrency: Read(b, 8); return static_cast<Extended>(GetLE<Int64>(b)) / 10000;
    default: PropValueError();
    }
}

float TReader::ReadSingle() {
    if (NextValue() == vaSingle) {
        Byte b[4];
        ReadValue();
        Read(b, 4);
        return GetLE<float>(b);
    }
    return static_cast<float>(ReadFloat());
}

Currency TReader::ReadCurrency() {
    TValueType v = NextValue();
    if (v == vaCurrency) {
        Byte b[8];
        ReadValue();
        Read(b, 8);
        return Currency::FromScaled(GetLE<Int64>(b));
    }
    if (IsIntegerTag(v)) {
        Int64 i = ReadInt64();
        if (i > std::numeric_limits<Int64>::max() / 10000 ||
            i < std::numeric_limits<Int64>::min() / 10000)
            PropValueError();
        return Currency::FromScaled(i * 10000);
    }
    Extended f = ReadFloat();
    if (!(std::fabs(f) < 922337203685477.0L)) PropValueError();
    return Currency::FromScaled(static_cast<Int64>(std::llround(f * 10000)));
}

TDateTime TReader::ReadDate() {
    if (NextValue() == vaDate) {
        Byte b[8];
        ReadValue();
        Read(b, 8);
        return GetLE<double>(b);
    }
    return static_cast<TDateTime>(ReadFloat());
}

// ---- Booleans, characters, identifiers, strings ----

bool TReader::ReadBoolean() {
    // Anything but the two Boolean tags would leave its payload unread: refuse it.
    switch (ReadValue()) {
    case vaTrue: return true;
    case vaFalse: return false;
    default: PropValueError();
    }
}

char TReader::ReadChar() {
    TValueType v = NextValue();
    if (v == vaString) {
        ReadValue();
        Integer len = ReadLength(1, 1);
        if (len != 1) PropValueError();
        char c;
        Read(&c, 1);
        return c;
    }
    WideString w = ReadWideString();
    if (w.size() != 1 || w[0] > 0xFF) PropValueError();
    return static_cast<char>(w[0]);
}

AnsiString TReader::ReadStr() {
    Integer len = ReadLength(1, 1);
    AnsiString s(static_cast<std::size_t>(len), '\0');
    Read(s.data(), len);
    return s;
}

AnsiString TReader::ReadIdent() {
    switch (ReadValue()) {
    case vaIdent: return ReadStr();
    case vaFalse: return "False";
    case vaTrue: return "True";
    case vaNil: return "nil";
    case vaNull: return "Null";
    default: PropValueError();
    }
}

AnsiString TReader::ReadString() {
    switch (NextValue()) {
    case vaString: {
        ReadValue();
        return ReadStr();
    }
    case vaLString: {
        ReadValue();
        Integer len = ReadLength(4, 1);
        AnsiString s(static_cast<std::size_t>(len), '\0');
        Read(s.data(), len);
        return s;
    }
    case vaWString:
    case vaUTF8String: return WideToString(ReadWideString());
    default: PropValueError();
    }
}

WideString TReader::ReadWideString() {
    switch (NextValue()) {
    case vaWString: {
        ReadValue();
        Integer len = ReadLength(4, 2);
        WideString w(static_cast<std::size_t>(len), u'\0');
        for (Integer i = 0; i < len; ++i) {
            Byte b[2];
            Read(b, 2);
            w[static_cast<std::size_t>(i)] = GetLE<char16_t>(b);
        }
        return w;
    }
    case vaUTF8String: {
        ReadValue();
        Integer len = ReadLength(4, 1);
        AnsiString s(static_cast<std::size_t>(len), '\0');
        Read(s.data(), len);
        return Utf8Decode(s);
    }
    case vaString:
    case vaLString: return StringToWide(ReadString());
    default: PropValueError();
    }
}

// ---- skipping and copying ----

void TReader::SkipSetBody() {
    while (!ReadStr().empty()) {
    }
}

void TReader::SkipProperty() {
    ReadStr();
    SkipValue();
}

void TReader::SkipCollection() {
    while (!EndOfList()) {
        if (IsIntegerTag(NextValue())) SkipValue();
        ReadListBegin();
        while (!EndOfList()) SkipProperty();
        ReadListEnd();
    }
    ReadListEnd();
}

void TReader::SkipValue() {
    Nesting guard(this);
    switch (ReadValue()) {
    case vaNull:
    case vaFalse:
    case vaTrue:
    case vaNil: break;
    case vaList:
        while (!EndOfList()) SkipValue();
        ReadListEnd();
        break;
    case vaInt8: SkipBytes(1); break;
    case vaInt16: SkipBytes(2); break;
    case vaInt32:
    case vaSingle: SkipBytes(4); break;
    case vaInt64:
    case vaCurrency:
    case vaDate:
    case vaDouble: SkipBytes(8); break;
    case vaExtended: SkipBytes(10); break;
    case vaString:
    case vaIdent: SkipBytes(ReadLength(1, 1)); break;
    case vaBinary:
    case vaLString:
    case vaUTF8String: SkipBytes(ReadLength(4, 1)); break;
    case vaWString: SkipBytes(Int64(ReadLength(4, 2)) * 2); break;
    case vaSet: SkipSetBody(); break;
    case vaCollection: SkipCollection(); break;
    default: ReadError("Invalid stream format");
    }
}

void TReader::CopyValue(TWriter* Writer) {
    Nesting guard(this);
    auto copyBytes = [&](Int64 n) {
        CheckAvailable(n);
        Byte chunk[512];
        while (n > 0) {
            Integer k = static_cast<Integer>(std::min<Int64>(n, sizeof chunk));
            Read(chunk, k);
            Writer->Write(chunk, k);
            n -= k;
        }
    };
    auto copyLength = [&](int width, Int64 itemSize) {
        Byte b[4];
        Read(b, width);
        Writer->Write(b, width);
        Int64 len = width == 1 ? b[0] : GetLE<Integer>(b);
        if (len < 0) ReadError("Invalid stream format");
        copyBytes(len * itemSize);
    };
    TValueType v = ReadValue();
    Writer->WriteValue(v);
    switch (v) {
    case vaNull:
    case vaFalse:
    case vaTrue:
    case vaNil: break;
    case vaList:
        while (!EndOfList()) CopyValue(Writer);
        ReadListEnd();
        Writer->WriteListEnd();
        break;
    case vaInt8: copyBytes(1); break;
    case vaInt16: copyBytes(2); break;
    case vaInt32:
    case vaSingle: copyBytes(4); break;
    case vaInt64:
    case vaCurrency:
    case vaDate:
    case vaDouble: copyBytes(8); break;
    case vaExtended: copyBytes(10); break;
    case vaString:
    case vaIdent: copyLength(1, 1); break;
    case vaBinary:
    case vaLString:
    case vaUTF8String: copyLength(4, 1); break;
    case vaWString: copyLength(4, 2); break;
    case vaSet:
        for (AnsiString s = ReadStr();; s = ReadStr()) {
            Writer->WriteStr(s);
            if (s.empty()) break;
        }
        break;
    case vaCollection:
        while (!EndOfList()) {
            if (IsIntegerTag(NextValue())) CopyValue(Writer);
            ReadListBegin();
            Writer->WriteListBegin();
            while (!EndOfList()) {
                Writer->WriteStr(ReadStr());
                CopyValue(Writer);
            }
            ReadListEnd();
            Writer->WriteListEnd();
        }
        ReadListEnd();
        Writer->WriteListEnd();
        break;
    default: ReadError("Invalid stream format");
    }
}

} // namespace host
