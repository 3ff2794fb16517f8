#include "host/graphics/Picture.h"

#include "host/classes/Filer.h"
#include "host/classes/Streams.h"
#include "host/graphics/Bitmap.h"
#include "host/graphics/Icon.h"
#include "host/graphics/Metafile.h"
#include "host/system/SysUtils.h"

#include <algorithm>
#include <mutex>
#include <vector>

namespace host {

namespace {
struct FileFormat {
    AnsiString Extension; // without the dot, lower case
    AnsiString Description;
    TGraphicClass Class;
};
struct ClipboardFormat {
    Word Format;
    TGraphicClass Class;
};
struct Formats {
    std::mutex Lock;
    std::vector<FileFormat> Files{{"bmp", "Bitmaps", TBitmap::StaticClass()},
                                  {"ico", "Icons", TIcon::StaticClass()},
                                  {"emf", "Enhanced Metafiles", TMetafile::StaticClass()},
                                  {"wmf", "Metafiles", TMetafile::StaticClass()}};
    std::vector<ClipboardFormat> Clipboard{{CF_BITMAP, TBitmap::StaticClass()},
                                           {CF_ENHMETAFILE, TMetafile::StaticClass()}};
};
Formats& Registered() {
    static Formats* f = new Formats;
    return *f;
}

AnsiString Extension(const AnsiString& Filename) {
    AnsiString e = LowerCase(ExtractFileExt(Filename));
    return e.empty() ? e : e.substr(1);
}

TGraphic* NewGraphic(TGraphicClass Class) {
    if (!Class || !Class->InheritsFrom(TGraphic::StaticClass()) || !Class->NewObject)
        throw EInvalidGraphic("Invalid graphic format");
    return static_cast<TGraphic*>(Class->NewObject());
}
} // namespace

TPicture::TPicture() = default;

TPicture::~TPicture() {
    FreeObject(FGraphic);
}

void TPicture::Changed(TObject*) {
    if (FOnChange) FOnChange(this);
    if (FAdapter) FAdapter->Changed();
}

void TPicture::GraphicProgress(TObject* Sender, TProgressStage Stage, Byte PercentDone,
                               bool RedrawNow, const TRect& R, const AnsiString& Msg) {
    if (FOnProgress) FOnProgress(Sender, Stage, PercentDone, RedrawNow, R, Msg);
}

void TPicture::SetOnProgress(TProgressEvent Value) {
    FOnProgress = Value;
}

void TPicture::Adopt(TGraphic* Graphic) {
    TGraphic* old = FGraphic;
    FGraphic = Graphic;
    FUnknownClass.clear();
    FUnknownData.clear();
    if (FGraphic) {
        FGraphic->SetOnChange(TNotifyEvent::Bind<&TPicture::GraphicChanged>(this));
        FGraphic->SetOnProgress(TProgressEvent::Bind<&TPicture::GraphicProgress>(this));
    }
    FreeObject(old);
    Changed(this);
}

void TPicture::SetGraphic(TGraphic* Value) {
    if (!Value) return Adopt(nullptr);
    TGraphic* copy = NewGraphic(Value->ClassType());
    try {
        copy->Assign(Value);
    } catch (...) {
        copy->Free();
        throw;
    }
    Adopt(copy);
}

void TPicture::Assign(TPersistent* Source) {
    if (!Source) return SetGraphic(nullptr);
    if (auto* p = DynCast<TPicture>(Source)) {
        if (p == this) return;
        SetGraphic(p->FGraphic);
        FUnknownClass = p->FUnknownClass;
        FUnknownData = p->FUnknownData;
        return;
    }
    if (auto* g = DynCast<TGraphic>(Source)) return SetGraphic(g);
    TPersistent::Assign(Source);
}

TBitmap* TPicture::GetBitmap() {
    if (!DynCast<TBitmap>(FGraphic)) Adopt(new TBitmap);
    return static_cast<TBitmap*>(FGraphic);
}

void TPicture::SetBitmap(TBitmap* Value) {
    SetGraphic(Value);
}

TIcon* TPicture::GetIcon() {
    if (!DynCast<TIcon>(FGraphic)) Adopt(new TIcon);
    return static_cast<TIcon*>(FGraphic);
}

void TPicture::SetIcon(TIcon* Value) {
    SetGraphic(Value);
}

TMetafile* TPicture::GetMetafile() {
    if (!DynCast<TMetafile>(FGraphic)) Adopt(new TMetafile);
    return static_cast<TMetafile*>(FGraphic);
}

void TPicture::SetMetafile(TMetafile* Value) {
    SetGraphic(Value);
}

Integer TPicture::GetWidth() const {
    return FGraphic ? FGraphic->GetWidth() : 0;
}

Integer TPicture::GetHeight() const {
    return FGraphic ? FGraphic->GetHeight() : 0;
}

void TPicture::LoadFromFile(const AnsiString& Filename) {
    AnsiString ext = Extension(Filename);
    TGraphicClass cls = nullptr;
    {
        Formats& f = Registered();
        std::lock_guard g(f.Lock);
        for (const FileFormat& ff : f.Files)
            if (ff.Extension == ext) cls = ff.Class;
    }
    if (!cls) throw EInvalidGraphic("Unknown picture file extension (." + ext + ")");
    TGraphic* graphic = NewGraphic(cls);
    try {
        graphic->SetOnProgress(TProgressEvent::Bind<&TPicture::GraphicProgress>(this));
        graphic->LoadFromFile(Filename);
    } catch (...) {
        graphic->Free();
        throw;
    }
    Adopt(graphic);
}

void TPicture::SaveToFile(const AnsiString& Filename) {
    if (FGraphic) FGraphic->SaveToFile(Filename);
}

void TPicture::LoadFromClipboardFormat(Word AFormat, LongWord AData, HPALETTE APalette) {
    TGraphicClass cls = nullptr;
    {
        Formats& f = Registered();
        std::lock_guard g(f.Lock);
        for (const ClipboardFormat& c : f.Clipboard)
            if (c.Format == AFormat) cls = c.Class;
    }
    if (!cls) throw EInvalidGraphic("Unsupported clipboard format");
    TGraphic* graphic = NewGraphic(cls);
    try {
        graphic->LoadFromClipboardFormat(AFormat, AData, APalette);
    } catch (...) {
        graphic->Free();
        throw;
    }
    Adopt(graphic);
}

void TPicture::SaveToClipboardFormat(Word& AFormat, LongWord& AData, HPALETTE& APalette) {
    if (FGraphic) FGraphic->SaveToClipboardFormat(AFormat, AData, APalette);
}

bool TPicture::SupportsClipboardFormat(Word AFormat) {
    Formats& f = Registered();
    std::lock_guard g(f.Lock);
    return std::any_of(f.Clipboard.begin(), f.Clipboard.end(),
                       [&](const ClipboardFormat& c) { return c.Format == AFormat; });
}

void TPicture::RegisterFileFormat(const AnsiString& AExtension, const AnsiString& ADescription,
                                  TGraphicClass AGraphicClass) {
    if (!AGraphicClass || !AGraphicClass->InheritsFrom(TGraphic::StaticClass())) return;
    AnsiString ext = LowerCase(AExtension);
    if (!ext.empty() && ext[0] == '.') ext.erase(0, 1);
    Formats& f = Registered();
    std::lock_guard g(f.Lock);
    f.Files.push_back({ext, ADescription, AGraphicClass});
}

void TPicture::RegisterFileFormatRes(const AnsiString& AExtension, Integer ADescriptionResID,
                                     TGraphicClass AGraphicClass) {
    // Headless: the description's resource string is its number.
    RegisterFileFormat(AExtension, IntToStr(ADescriptionResID), AGraphicClass);
}

void TPicture::RegisterClipboardFormat(Word AFormat, TGraphicClass AGraphicClass) {
    if (!AGraphicClass || !AGraphicClass->InheritsFrom(TGraphic::StaticClass())) return;
    Formats& f = Registered();
    std::lock_guard g(f.Lock);
    f.Clipboard.push_back({AFormat, AGraphicClass});
}

void TPicture::UnregisterGraphicClass(TGraphicClass AClass) {
    Formats& f = Registered();
    std::lock_guard g(f.Lock);
    std::erase_if(f.Files, [&](const FileFormat& ff) { return ff.Class == AClass; });
    std::erase_if(f.Clipboard, [&](const ClipboardFormat& c) { return c.Class == AClass; });
}

TGraphicClass TPicture::FindGraphicClass(const AnsiString& Name) {
    Formats& f = Registered();
    std::lock_guard g(f.Lock);
    for (const FileFormat& ff : f.Files)
        if (ff.Class->ClassNameIs(Name)) return ff.Class;
    for (const ClipboardFormat& c : f.Clipboard)
        if (c.Class->ClassNameIs(Name)) return c.Class;
    return nullptr;
}

void TPicture::DefineProperties(TFiler* Filer) {
    TPersistent::DefineProperties(Filer);
    bool has = (FGraphic && !FGraphic->GetEmpty()) || !FUnknownClass.empty();
    Filer->DefineBinaryProperty("Data", TStreamProc::Bind<&TPicture::ReadData>(this),
                                TStreamProc::Bind<&TPicture::WriteData>(this), has);
}

void TPicture::ReadData(TStream* Stream) {
    Byte len = 0;
    Stream->ReadBuffer(&len, 1);
    AnsiString name(len, '\0');
    if (len) Stream->ReadBuffer(name.data(), len);
    TGraphicClass cls = FindGraphicClass(name);
    if (!cls) {
        // Another program's picture format: kept as it came.
        Int64 rest = Stream->GetSize() - Stream->GetPosition();
        std::string data(static_cast<std::size_t>(std::max<Int64>(rest, 0)), '\0');
        if (rest > 0) Stream->ReadBuffer(data.data(), LongInt(rest));
        Adopt(nullptr);
        FUnknownClass = name;
        FUnknownData = std::move(data);
        return;
    }
    TGraphic* graphic = NewGraphic(cls);
    try {
        graphic->ReadData(Stream);
    } catch (...) {
        graphic->Free();
        throw;
    }
    Adopt(graphic);
}

void TPicture::WriteData(TStream* Stream) {
    AnsiString name = FGraphic ? FGraphic->ClassName() : FUnknownClass;
    Byte len = Byte(std::min<std::size_t>(name.size(), 255));
    Stream->WriteBuffer(&len, 1);
    Stream->WriteBuffer(name.data(), len);
    if (FGraphic)
        FGraphic->WriteData(Stream);
    else if (!FUnknownData.empty())
        Stream->WriteBuffer(FUnknownData.data(), LongInt(FUnknownData.size()));
}

HOST_METACLASS(TPicture, TPersistent);

} // namespace host
