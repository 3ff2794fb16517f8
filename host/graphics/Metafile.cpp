#include "host/graphics/Metafile.h"

#include "host/classes/Streams.h"
#include "host/graphics/MetafileFormat.h"
#include "host/graphics/MetafileRecorder.h"
#include "host/graphics/Picture.h"

#include <algorithm>

namespace host {

namespace {
constexpr Int64 MaxFile = 64 << 20; // a bigger metafile is a bad size, not a picture

AnsiString Latin1(const std::u16string& S) {
    AnsiString a;
    for (char16_t c : S) a += c < 256 ? char(c) : '?';
    return a;
}

/// The part of the header's description before the `Index`th null.
AnsiString DescriptionPart(const std::u16string& S, int Index) {
    std::size_t from = 0;
    for (int i = 0; i < Index; ++i) {
        std::size_t z = S.find(u'\0', from);
        if (z == std::u16string::npos) return {};
        from = z + 1;
    }
    return Latin1(S.substr(from, S.find(u'\0', from) - from));
}
/// The size between two edges of a frame, held where it fits (a frame read is anyone's).
Integer Extent(Integer From, Integer To) {
    return Integer(std::clamp<long long>((long long)To - From, -(1 << 30), 1 << 30));
}

/// Sets a frame's far edge at `Size` from its near edge (at `At` in the header).
void SetFrameEdge(std::vector<Byte>& Emf, std::size_t At, Integer Size) {
    long long nearEdge = filer_bytes::GetLE<Integer>(Emf.data() + At - 8);
    filer_bytes::PutLE<Integer>(
        Emf.data() + At, Integer(std::clamp<long long>(nearEdge + Size, INT32_MIN, INT32_MAX)));
}
} // namespace

// ---- the table's metafile objects ----

HENHMETAFILE SetEnhMetaFileBits(Cardinal Size, const Byte* Data) {
    if (!Data) return 0;
    try {
        emf::THeader h = emf::ReadHeader(Data, Size);
        return GdiAddObject(
            std::make_shared<TGdiEnhMetafile>(std::vector<Byte>(Data, Data + h.Bytes)));
    } catch (const EInvalidGraphic&) {
        return 0;
    }
}

Cardinal GetEnhMetaFileBits(HENHMETAFILE Handle, Cardinal Size, Byte* Buffer) {
    std::shared_ptr<TGdiEnhMetafile> m = GdiFind<TGdiEnhMetafile>(Handle, OBJ_ENHMETAFILE);
    if (!m) return 0;
    if (!Buffer) return Cardinal(m->Bits.size());
    Cardinal n = std::min<Cardinal>(Size, Cardinal(m->Bits.size()));
    std::copy_n(m->Bits.begin(), n, Buffer);
    return n;
}

bool DeleteEnhMetaFile(HENHMETAFILE Handle) {
    return GdiFind<TGdiEnhMetafile>(Handle, OBJ_ENHMETAFILE) && DeleteObject(Handle);
}

void TMetafileImage::FreeHandle() {
    DeleteEnhMetaFile(Handle);
    Handle = 0;
}

// ---- TMetafile ----

TMetafile::TMetafile() : FImage(new TMetafileImage) {
    FImage->Reference();
}

TMetafile::~TMetafile() {
    FImage->Release();
}

void TMetafile::Assign(TPersistent* Source) {
    auto* m = DynCast<TMetafile>(Source);
    if (!m) return TGraphic::Assign(Source);
    if (m == this) return;
    m->FImage->Reference();
    FImage->Release();
    FImage = m->FImage;
    FEnhanced = m->FEnhanced;
    Changed(this);
}

void TMetafile::UniqueImage() {
    if (FImage->GetRefCount() > 1) {
        auto* own = new TMetafileImage;
        own->Emf = FImage->Emf;
        own->MMWidth = FImage->MMWidth, own->MMHeight = FImage->MMHeight;
        own->Inch = FImage->Inch;
        own->Origin = FImage->Origin;
        own->Description = FImage->Description;
        own->Saved = FImage->Saved, own->SavedEnhanced = FImage->SavedEnhanced;
        own->Reference();
        FImage->Release();
        FImage = own;
    }
    // The picture changes: its object and its file no longer show it.
    FImage->FreeHandle();
    FImage->Saved.clear();
}

void TMetafile::NewImage() {
    auto* fresh = new TMetafileImage;
    fresh->Reference();
    FImage->Release();
    FImage = fresh;
}

Integer TMetafile::GetWidth() const {
    return emf::PixelsOf(FImage->MMWidth);
}

Integer TMetafile::GetHeight() const {
    return emf::PixelsOf(FImage->MMHeight);
}

void TMetafile::SetWidth(Integer Value) {
    SetMMWidth(emf::HundredthsMMOf(Value));
}

void TMetafile::SetHeight(Integer Value) {
    SetMMHeight(emf::HundredthsMMOf(Value));
}

void TMetafile::SetMMWidth(Integer Value) {
    if (Value == FImage->MMWidth) return;
    UniqueImage();
    FImage->MMWidth = Value;
    // The header's frame says the new size (its right edge is at offset 32).
    if (!FImage->Emf.empty()) SetFrameEdge(FImage->Emf, 32, Value);
    Changed(this);
}

void TMetafile::SetMMHeight(Integer Value) {
    if (Value == FImage->MMHeight) return;
    UniqueImage();
    FImage->MMHeight = Value;
    if (!FImage->Emf.empty()) SetFrameEdge(FImage->Emf, 36, Value);
    Changed(this);
}

void TMetafile::SetInch(Word Value) {
    if (Value == FImage->Inch) return;
    Word old = FImage->Inch;
    bool placeable = !FEnhanced && old && Value;
    Integer w = FImage->MMWidth, h = FImage->MMHeight;
    UniqueImage();
    FImage->Inch = Value;
    if (placeable) {
        // The picture keeps its units: at more of them an inch it is smaller.
        SetMMWidth(Integer((long long)w * old / Value));
        SetMMHeight(Integer((long long)h * old / Value));
    }
    Changed(this);
}

void TMetafile::SetEnhanced(bool Value) {
    if (Value == FEnhanced) return;
    FEnhanced = Value;
    Changed(this);
}

AnsiString TMetafile::GetCreatedBy() const {
    return DescriptionPart(FImage->Description, 0);
}

AnsiString TMetafile::GetDescription() const {
    return DescriptionPart(FImage->Description, 1);
}

void TMetafile::TakeEmf(std::vector<Byte> Emf) {
    emf::THeader h = emf::ReadHeader(Emf.data(), Emf.size());
    Emf.resize(h.Bytes);
    NewImage();
    FImage->MMWidth = Extent(h.Frame.Left, h.Frame.Right);
    FImage->MMHeight = Extent(h.Frame.Top, h.Frame.Bottom);
    FImage->Origin = h.OriginPixels();
    FImage->Description = h.Description;
    FImage->Emf = std::move(Emf);
}

void TMetafile::Recorded(std::vector<Byte> Emf) {
    Word inch = FImage->Inch;
    TakeEmf(std::move(Emf));
    FImage->Inch = inch;
    Changed(this);
}

HENHMETAFILE TMetafile::GetHandle() {
    if (!FImage->Handle && !GetEmpty())
        FImage->Handle = GdiAddObject(std::make_shared<TGdiEnhMetafile>(FImage->Emf));
    return FImage->Handle;
}

void TMetafile::SetHandle(HENHMETAFILE Value) {
    if (Value && Value == FImage->Handle) return;
    if (!Value) return Clear();
    std::shared_ptr<TGdiEnhMetafile> m = GdiFind<TGdiEnhMetafile>(Value, OBJ_ENHMETAFILE);
    if (!m) emf::Bad();
    TakeEmf(m->Bits);
    FImage->Handle = Value; // the metafile owns the object from now on
    Changed(this);
}

HENHMETAFILE TMetafile::ReleaseHandle() {
    HENHMETAFILE h = GetHandle();
    FImage->Handle = 0;
    return h;
}

void TMetafile::Clear() {
    NewImage();
    Changed(this);
}

void TMetafile::LoadFromStream(TStream* Stream) {
    Int64 start = Stream->GetPosition(), available = Stream->GetSize() - start;
    Byte head[40] = {};
    if (available < 40) emf::Bad();
    Stream->ReadBuffer(head, 40);
    Cardinal key = filer_bytes::GetLE<Cardinal>(head);
    bool enhanced = key == emf::EMR_HEADER;
    Int64 size;
    if (enhanced) {
        Byte more[12];
        if (available < 52) emf::Bad();
        Stream->ReadBuffer(more, 12);
        size = filer_bytes::GetLE<Cardinal>(more + 8); // nBytes, at offset 48
    } else if (key == emf::PlaceableKey) {
        size = 22 + Int64(filer_bytes::GetLE<Cardinal>(head + 28)) * 2; // the words after it
    } else {
        emf::Bad();
    }
    if (size < 40 || size > available || size > MaxFile) emf::Bad();
    std::vector<Byte> data(static_cast<std::size_t>(size));
    Stream->SetPosition(start);
    Stream->ReadBuffer(data.data(), LongInt(size));
    if (enhanced) {
        TakeEmf(data);
        FImage->Saved = std::move(data);
        FImage->SavedEnhanced = true;
        FEnhanced = true;
    } else {
        emf::TPlaceable p = emf::FromPlaceable(data.data(), data.size());
        // All the bytes its header counts are the file's, those after its end record too.
        NewImage();
        FImage->Emf = std::move(p.Emf);
        FImage->MMWidth = p.MMWidth, FImage->MMHeight = p.MMHeight;
        FImage->Inch = p.Inch;
        FImage->Saved = std::move(data);
        FImage->SavedEnhanced = false;
        FEnhanced = false;
    }
    Changed(this);
}

void TMetafile::SaveToStream(TStream* Stream) {
    if (GetEmpty()) return;
    const TMetafileImage& i = *FImage;
    if (!i.Saved.empty() && i.SavedEnhanced == FEnhanced) {
        Stream->WriteBuffer(i.Saved.data(), LongInt(i.Saved.size()));
        return;
    }
    if (FEnhanced) {
        Stream->WriteBuffer(i.Emf.data(), LongInt(i.Emf.size()));
        return;
    }
    std::vector<Byte> wmf =
        emf::ToPlaceable(i.Emf, i.Origin, GetWidth(), GetHeight(), i.Inch ? i.Inch : 96);
    Stream->WriteBuffer(wmf.data(), LongInt(wmf.size()));
}

void TMetafile::ReadData(TStream* Stream) {
    LongInt size = 0;
    Stream->ReadBuffer(&size, 4);
    Int64 start = Stream->GetPosition();
    if (size < 0 || size > Stream->GetSize() - start) emf::Bad();
    if (size == 0) return Clear();
    TMemoryStream data;
    data.CopyFrom(Stream, size);
    data.SetPosition(0);
    LoadFromStream(&data);
    Stream->SetPosition(start + size);
}

void TMetafile::WriteData(TStream* Stream) {
    TMemoryStream data;
    SaveToStream(&data);
    LongInt size = LongInt(data.GetSize());
    Stream->WriteBuffer(&size, 4);
    Stream->WriteBuffer(data.GetMemory(), size);
}

void TMetafile::LoadFromClipboardFormat(Word AFormat, LongWord AData, HPALETTE APalette) {
    if (AFormat != CF_ENHMETAFILE)
        return TGraphic::LoadFromClipboardFormat(AFormat, AData, APalette);
    std::shared_ptr<TGdiEnhMetafile> m = GdiFind<TGdiEnhMetafile>(AData, OBJ_ENHMETAFILE);
    if (!m) emf::Bad();
    TakeEmf(m->Bits); // a copy: the clipboard keeps its object
    FEnhanced = true;
    Changed(this);
}

void TMetafile::SaveToClipboardFormat(Word& AFormat, LongWord& AData, HPALETTE& APalette) {
    AFormat = CF_ENHMETAFILE;
    AData = GetEmpty() ? 0 : GdiAddObject(std::make_shared<TGdiEnhMetafile>(FImage->Emf));
    APalette = 0;
}

void TMetafile::Draw(TCanvas* ACanvas, const TRect& Rect) {
    if (!ACanvas || GetEmpty()) return;
    // The image may change while it plays (played onto its own metafile's canvas): a copy plays.
    std::vector<Byte> emf = FImage->Emf;
    emf::Play(emf, *ACanvas, Rect, FImage->Origin, GetWidth(), GetHeight());
}

// ---- TMetafileCanvas ----

TMetafileCanvas::TMetafileCanvas(TMetafile* AMetafile, HDC ReferenceDevice)
    : TMetafileCanvas(AMetafile, ReferenceDevice, "", "") {}

TMetafileCanvas::TMetafileCanvas(TMetafile* AMetafile, HDC, const AnsiString& CreatedBy,
                                 const AnsiString& Description)
    : FMetafile(AMetafile), FRecorder(std::make_unique<TEmfRecorder>()),
      FDC(CreateSurfaceDC(nullptr)), FMMWidth(AMetafile ? AMetafile->GetMMWidth() : 0),
      FMMHeight(AMetafile ? AMetafile->GetMMHeight() : 0) {
    if (!CreatedBy.empty() || !Description.empty()) {
        for (char c : CreatedBy) FDescription += char16_t(Byte(c));
        FDescription += u'\0';
        for (char c : Description) FDescription += char16_t(Byte(c));
        FDescription += u'\0';
        FDescription += u'\0';
    }
    SetHandle(FDC);
    SetRecorder(FRecorder.get());
    if (FMetafile) LiveObjects::Watch(FMetafile, &MetafileFreed, this);
}

void TMetafileCanvas::MetafileFreed(void* Data, TObject*) {
    static_cast<TMetafileCanvas*>(Data)->FMetafile = nullptr; // nothing to give the picture to
}

TMetafileCanvas::~TMetafileCanvas() {
    SetRecorder(nullptr);
    if (FMetafile) {
        LiveObjects::Unwatch(FMetafile, &MetafileFreed, this);
        TRect frame{0, 0, FMMWidth, FMMHeight};
        bool sized = FMMWidth > 0 && FMMHeight > 0;
        FMetafile->Recorded(FRecorder->Finish(sized ? &frame : nullptr, FDescription));
    }
    SetHandle(0);
    DeleteDC(FDC);
}

HOST_METACLASS(TMetafileImage, TSharedImage);
HOST_METACLASS(TMetafile, TGraphic);
HOST_METACLASS(TMetafileCanvas, TCanvas);

} // namespace host
