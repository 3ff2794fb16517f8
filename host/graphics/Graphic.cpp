#include "host/graphics/Graphic.h"

#include "host/classes/Filer.h"
#include "host/classes/Streams.h"

namespace host {

void TGraphic::Changed(TObject*) {
    FModified = true;
    if (FOnChange) FOnChange(this);
}

void TGraphic::SetModified(bool Value) {
    if (Value)
        Changed(this);
    else
        FModified = false;
}

void TGraphic::SetTransparent(bool Value) {
    if (Value == FTransparent) return;
    FTransparent = Value;
    Changed(this);
}

void TGraphic::Progress(TObject* Sender, TProgressStage Stage, Byte PercentDone, bool RedrawNow,
                        const TRect& R, const AnsiString& Msg) {
    if (FOnProgress) FOnProgress(Sender, Stage, PercentDone, RedrawNow, R, Msg);
}

void TGraphic::DefineProperties(TFiler* Filer) {
    TPersistent::DefineProperties(Filer);
    Filer->DefineBinaryProperty("Data", TStreamProc::Bind<&TGraphic::ReadData>(this),
                                TStreamProc::Bind<&TGraphic::WriteData>(this), !GetEmpty());
}

void TGraphic::ReadData(TStream* Stream) {
    LoadFromStream(Stream);
}

void TGraphic::WriteData(TStream* Stream) {
    SaveToStream(Stream);
}

void TGraphic::LoadFromFile(const AnsiString& Filename) {
    TFileStream stream(Filename, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&stream);
}

void TGraphic::SaveToFile(const AnsiString& Filename) {
    TFileStream stream(Filename, fmCreate);
    SaveToStream(&stream);
}

void TGraphic::LoadFromClipboardFormat(Word, LongWord, HPALETTE) {
    throw EInvalidGraphic("Unsupported clipboard format");
}

void TGraphic::SaveToClipboardFormat(Word&, LongWord&, HPALETTE&) {
    throw EInvalidGraphic("Unsupported clipboard format");
}

HOST_METACLASS(EInvalidGraphic, Exception);
HOST_METACLASS(EInvalidGraphicOperation, Exception);
HOST_METACLASS(TGraphic, TPersistent);

} // namespace host
