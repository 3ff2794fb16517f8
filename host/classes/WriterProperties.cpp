// TWriter: custom properties (DefineProperties).
#include "host/classes/Streams.h"
#include "host/classes/Writer.h"

namespace host {

void TWriter::WritePropName(const AnsiString& PropName) {
    WriteStr(FPropPath + PropName);
}

void TWriter::DefineProperty(const AnsiString& Name, TReaderProc, TWriterProc WriteData,
                             bool HasData) {
    if (!HasData || !WriteData) return;
    WritePropName(Name);
    WriteData(this);
}

void TWriter::DefineBinaryProperty(const AnsiString& Name, TStreamProc, TStreamProc WriteData,
                                   bool HasData) {
    if (!HasData || !WriteData) return;
    WritePropName(Name);
    WriteBinary(WriteData);
}

void TWriter::WriteBinary(TStreamProc WriteData) {
    TMemoryStream data;
    WriteData(&data);
    WriteBinaryData(data.GetMemory(), static_cast<Integer>(data.GetSize()));
}

} // namespace host
