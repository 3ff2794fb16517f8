// TReader: custom properties (DefineProperties) and error reporting.
#include "host/classes/Reader.h"
#include "host/classes/Streams.h"
#include "host/system/SysUtils.h"

namespace host {

void TReader::DefineProperty(const AnsiString& Name, TReaderProc ReadData, TWriterProc, bool) {
    if (FPropName.empty() || !ReadData || !SameText(Name, FPropName)) return;
    ReadData(this);
    FPropName.clear();
}

void TReader::DefineBinaryProperty(const AnsiString& Name, TStreamProc ReadData, TStreamProc,
                                   bool) {
    if (FPropName.empty() || !ReadData || !SameText(Name, FPropName)) return;
    if (ReadValue() != vaBinary) PropValueError();
    Integer size = ReadLength(4, 1);
    TMemoryStream data;
    Byte chunk[512];
    while (size > 0) {
        Integer n = std::min<Integer>(size, sizeof chunk);
        Read(chunk, n);
        data.WriteBuffer(chunk, n);
        size -= n;
    }
    data.SetPosition(0);
    ReadData(&data);
    FPropName.clear();
}

bool TReader::Error(const AnsiString& Message) {
    bool handled = false;
    if (FOnError) FOnError(this, Message, handled);
    return handled;
}

void TReader::ReferenceName(AnsiString& Name) {
    if (FOnReferenceName) FOnReferenceName(this, Name);
}

void TReader::PropertyError() {
    SkipValue();
    RaiseFmt<EReadError>("Property %s does not exist", {FPropName});
}

} // namespace host
