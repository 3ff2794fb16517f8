// Variant values of the binary format: kept apart so that only forms with Variant
// properties pull in the Variant runtime.
#include "host/classes/Reader.h"
#include "host/classes/Writer.h"
#include "host/system/Variant.h"

namespace host {

Variant TReader::ReadVariant() {
    switch (NextValue()) {
    case vaNil: ReadValue(); return Variant();
    case vaNull: ReadValue(); return Variant::Null();
    case vaInt8:
    case vaInt16:
    case vaInt32: return Variant(ReadInteger());
    case vaInt64: return Variant(static_cast<long long>(ReadInt64()));
    case vaFalse:
    case vaTrue: return Variant(ReadBoolean());
    case vaSingle: return Variant::FromSingle(ReadSingle());
    case vaCurrency: return Variant(ReadCurrency());
    case vaDate: return Variant::FromDate(ReadDate());
    case vaExtended:
    case vaDouble: return Variant(ReadFloat());
    case vaString:
    case vaLString: return Variant(ReadString());
    case vaWString:
    case vaUTF8String: return Variant(ReadWideString());
    default: PropValueError();
    }
}

void TWriter::WriteVariant(const Variant& Value) {
    switch (Value.VarType() & varTypeMask) {
    case varEmpty: WriteValue(vaNil); return;
    case varNull: WriteValue(vaNull); return;
    case varSmallint:
    case varInteger:
    case varShortInt:
    case varByte:
    case varWord: WriteInteger(Value.AsInteger()); return;
    case varLongWord:
    case varInt64: WriteInteger(static_cast<Int64>(Value.AsInt64())); return;
    case varSingle: WriteSingle(static_cast<float>(Value.AsDouble())); return;
    case varDouble: WriteFloat(Value.AsDouble()); return;
    case varCurrency: WriteCurrency(Value.AsCurrency()); return;
    case varDate: WriteDate(Value.AsDate()); return;
    case varBoolean: WriteBoolean(Value.AsBoolean()); return;
    case varString: WriteString(Value.AsString()); return;
    case varOleStr: WriteWideString(Value.AsWideString()); return;
    default:
        // Arrays, objects and addresses have no form-file representation.
        throw EWriteError("Invalid property value");
    }
}

} // namespace host
