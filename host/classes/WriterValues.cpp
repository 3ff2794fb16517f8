// TWriter's value layer: the buffer over the stream and every value kind of the binary format.
#include "host/classes/FilerBytes.h"
#include "host/classes/Streams.h"
#include "host/classes/Writer.h"
#include "host/system/SysUtils.h"

#include <algorithm>
#include <limits>

namespace host {

using filer_bytes::PutLE;

HOST_METACLASS(TWriter, TFiler);

TWriter::TWriter(TStream* Stream, Integer BufSize) : TFiler(Stream, BufSize) {}

TWriter::~TWriter() {
    // A destructor cannot report a failed write; callers that care call FlushBuffer first.
    try {
        WriteBuffer();
    } catch (const Exception&) {
    }
}

void TWriter::WriteBuffer() {
    Integer n = FBufPos;
    FBufPos = 0;
    if (n == 0) return;
    if (!FStream) throw EWriteError("Stream write error");
    FStream->WriteBuffer(FBuffer.get(), n);
}

void TWriter::FlushBuffer() {
    WriteBuffer();
}

Integer TWriter::GetPosition() const {
    return FStream ? FStream->GetPosition() + FBufPos : FBufPos;
}

void TWriter::SetPosition(Integer Value) {
    WriteBuffer();
    if (FStream) FStream->SetPosition(Value);
}

void TWriter::Write(const void* Buf, Integer Count) {
    const auto* in = static_cast<const Byte*>(Buf);
    while (Count > 0) {
        if (FBufPos == FBufSize) WriteBuffer();
        Integer n = std::min(Count, FBufSize - FBufPos);
        std::memcpy(FBuffer.get() + FBufPos, in, static_cast<std::size_t>(n));
        FBufPos += n;
        in += n;
        Count -= n;
    }
}

void TWriter::WriteValue(TValueType Value) {
    Byte b = Value;
    Write(&b, 1);
}

void TWriter::WriteSignature() {
    Write(FilerSignature, 4);
}

void TWriter::WritePrefix(TFilerFlags Flags, Integer ChildPos) {
    if (Flags.Empty()) return;
    Byte b = static_cast<Byte>(0xF0 | Flags.ToBits());
    Write(&b, 1);
    if (Flags.Contains(ffChildPos)) WriteInteger(ChildPos);
}

void TWriter::WriteListBegin() {
    WriteValue(vaList);
}

void TWriter::WriteListEnd() {
    WriteValue(vaNull);
}

void TWriter::WriteBoolean(bool Value) {
    WriteValue(Value ? vaTrue : vaFalse);
}

void TWriter::WriteInteger(Integer Value) {
    Byte b[4];
    if (Value >= -128 && Value <= 127) {
        WriteValue(vaInt8);
        b[0] = static_cast<Byte>(Value);
        Write(b, 1);
    } else if (Value >= -32768 && Value <= 32767) {
        WriteValue(vaInt16);
        PutLE<SmallInt>(b, static_cast<SmallInt>(Value));
        Write(b, 2);
    } else {
        WriteValue(vaInt32);
        PutLE<Integer>(b, Value);
        Write(b, 4);
    }
}

void TWriter::WriteInteger(Int64 Value) {
    if (Value >= std::numeric_limits<Integer>::min() &&
        Value <= std::numeric_limits<Integer>::max())
        return WriteInteger(static_cast<Integer>(Value));
    Byte b[8];
    WriteValue(vaInt64);
    PutLE<Int64>(b, Value);
    Write(b, 8);
}

void TWriter::WriteFloat(Extended Value) {
    Byte b[10];
    filer_bytes::ExtendedToBytes(Value, b);
    WriteValue(vaExtended);
    Write(b, 10);
}

void TWriter::WriteSingle(float Value) {
    Byte b[4];
    PutLE<float>(b, Value);
    WriteValue(vaSingle);
    Write(b, 4);
}

void TWriter::WriteCurrency(Currency Value) {
    Byte b[8];
    PutLE<Int64>(b, Value.Scaled);
    WriteValue(vaCurrency);
    Write(b, 8);
}

void TWriter::WriteDate(TDateTime Value) {
    Byte b[8];
    PutLE<double>(b, Value);
    WriteValue(vaDate);
    Write(b, 8);
}

void TWriter::WriteStr(const AnsiString& Value) {
    Byte len = static_cast<Byte>(std::min<std::size_t>(Value.size(), 255));
    Write(&len, 1);
    Write(Value.data(), len);
}

void TWriter::WriteIdent(const AnsiString& Ident) {
    if (SameText(Ident, "False")) return WriteValue(vaFalse);
    if (SameText(Ident, "True")) return WriteValue(vaTrue);
    if (SameText(Ident, "nil")) return WriteValue(vaNil);
    if (SameText(Ident, "Null")) return WriteValue(vaNull);
    WriteValue(vaIdent);
    WriteStr(Ident);
}

void TWriter::WriteChar(char Value) {
    WriteString(AnsiString(1, Value));
}

void TWriter::WriteString(const AnsiString& Value) {
    if (Value.size() <= 255) {
        WriteValue(vaString);
        WriteStr(Value);
        return;
    }
    Byte b[4];
    PutLE<Integer>(b, static_cast<Integer>(Value.size()));
    WriteValue(vaLString);
    Write(b, 4);
    Write(Value.data(), static_cast<Integer>(Value.size()));
}

void TWriter::WriteWideString(const WideString& Value) {
    Byte b[4];
    PutLE<Integer>(b, static_cast<Integer>(Value.size()));
    WriteValue(vaWString);
    Write(b, 4);
    for (char16_t c : Value) {
        PutLE<char16_t>(b, c);
        Write(b, 2);
    }
}

void TWriter::WriteUTF8String(const AnsiString& Utf8) {
    Byte b[4];
    PutLE<Integer>(b, static_cast<Integer>(Utf8.size()));
    WriteValue(vaUTF8String);
    Write(b, 4);
    Write(Utf8.data(), static_cast<Integer>(Utf8.size()));
}

void TWriter::WriteBinaryData(const void* Data, Integer Count) {
    Byte b[4];
    PutLE<Integer>(b, Count);
    WriteValue(vaBinary);
    Write(b, 4);
    Write(Data, Count);
}

} // namespace host
