#include "host/graphics/Bitmap.h"

#include "host/classes/FilerBytes.h"
#include "host/classes/Streams.h"
#include "host/classes/TypInfoRows.h"

#include <algorithm>
#include <cstring>

namespace host {

namespace {

Integer BitsOf(TPixelFormat F) {
    switch (F) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf15bit:
    case pf16bit: return 16;
    case pf24bit: return 24;
    default: return 32; // the device's depth, and custom layouts, are 32 bits here
    }
}

bool Indexed(TPixelFormat F) {
    return F == pf1bit || F == pf4bit || F == pf8bit;
}

/// The palette a bitmap of an indexed format starts with.
std::vector<TColorRef> DefaultPalette(TPixelFormat F) {
    static constexpr TColorRef Vga[16] = {
        RGB(0, 0, 0),       RGB(128, 0, 0),   RGB(0, 128, 0),   RGB(128, 128, 0),
        RGB(0, 0, 128),     RGB(128, 0, 128), RGB(0, 128, 128), RGB(192, 192, 192),
        RGB(128, 128, 128), RGB(255, 0, 0),   RGB(0, 255, 0),   RGB(255, 255, 0),
        RGB(0, 0, 255),     RGB(255, 0, 255), RGB(0, 255, 255), RGB(255, 255, 255)};
    switch (F) {
    case pf1bit: return {RGB(0, 0, 0), RGB(255, 255, 255)};
    case pf4bit: return std::vector<TColorRef>(Vga, Vga + 16);
    case pf8bit: {
        std::vector<TColorRef> p(Vga, Vga + 16);
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 6; ++g)
                for (int b = 0; b < 6; ++b)
                    p.push_back(RGB(Byte(r * 51), Byte(g * 51), Byte(b * 51)));
        for (int i = 0; p.size() < 256; ++i)
            p.push_back(RGB(Byte(8 + i * 10), Byte(8 + i * 10), Byte(8 + i * 10)));
        return p;
    }
    default: return {};
    }
}

using filer_bytes::AppendLE;
using filer_bytes::GetLE;

[[noreturn]] void BadBitmap() {
    throw EInvalidGraphic("Bitmap image is not valid");
}

constexpr long long MaxPixels = 1ll << 28;
constexpr Word CF_BITMAP_FORMAT = 2; // the clipboard's bitmap format

} // namespace

// ---- TBitmapCanvas ----

TBitmapCanvas::~TBitmapCanvas() {
    FreeContext();
}

void TBitmapCanvas::FreeContext() {
    if (HandleAllocated()) {
        DeleteDC(GetHandleValue());
        SetHandle(0);
    }
}

void TBitmapCanvas::CreateHandle() {
    SetHandle(CreateSurfaceDC(FBitmap->CanvasSurface()));
}

void TBitmapCanvas::RequiredState() {
    // Whoever holds the context may draw through it: it must show the bitmap's own pixels.
    FBitmap->CanvasSurface();
}

void TBitmapCanvas::Changed() {
    FBitmap->CanvasChanged();
    TCanvas::Changed();
}

// ---- TBitmapImage ----

TBitmapImage::TBitmapImage() : FSurface(std::make_shared<TPixelSurface>(0, 0)) {}

TBitmapImage::TBitmapImage(const TBitmapImage& Source)
    : TSharedImage(Source), FWidth(Source.FWidth), FHeight(Source.FHeight),
      FPixelFormat(Source.FPixelFormat), FPalette(Source.FPalette),
      // Only the forms that show the picture are copied; the other is made again when needed.
      FSurface(Source.FSurfaceCurrent ? std::make_shared<TPixelSurface>(*Source.FSurface)
                                      : std::make_shared<TPixelSurface>(0, 0)),
      FRows(Source.FRowsCurrent ? Source.FRows : std::vector<Byte>{}),
      FSurfaceCurrent(Source.FSurfaceCurrent), FRowsCurrent(Source.FRowsCurrent),
      FQuantize(Source.FQuantize), FSaved(Source.FSaved) {}

void TBitmapImage::FreeHandle() {
    DeleteObject(FHandle);
    DeleteObject(FMaskHandle);
    DeleteObject(FPaletteHandle);
    FHandle = FMaskHandle = FPaletteHandle = 0;
}

// ---- TBitmap ----

TBitmap::TBitmap() : FImage(new TBitmapImage) {
    FImage->Reference();
}

TBitmap::~TBitmap() {
    if (FCanvas) FCanvas->Free();
    FImage->Release();
}

TBitmapImage& TBitmap::OwnImage() {
    if (FImage->GetRefCount() > 1) {
        auto* copy = new TBitmapImage(*FImage);
        copy->Reference();
        FImage->Release();
        FImage = copy;
        if (FCanvas) FCanvas->FreeContext(); // it drew on the pixels left to the others
    }
    return *FImage;
}

const std::shared_ptr<TPixelSurface>& TBitmap::CanvasSurface() {
    TBitmapImage& im = OwnImage();
    im.SurfaceNeeded();
    return im.FSurface;
}

void TBitmap::ReadData(TStream* Stream) {
    LongInt size = 0;
    Stream->ReadBuffer(&size, 4);
    Int64 start = Stream->GetPosition();
    if (size < 0 || size > Stream->GetSize() - start) BadBitmap();
    if (size == 0) { // no picture
        SetSize(0, 0);
        return;
    }
    TMemoryStream data;
    data.CopyFrom(Stream, size);
    data.SetPosition(0);
    LoadFromStream(&data);
    Stream->SetPosition(start + size);
}

void TBitmap::WriteData(TStream* Stream) {
    TMemoryStream data;
    SaveToStream(&data);
    LongInt size = LongInt(data.GetSize());
    Stream->WriteBuffer(&size, 4);
    Stream->WriteBuffer(data.GetMemory(), size);
}

namespace {
// A brush paints a bitmap's pixels through the bitmap's object.
const bool BrushHook = (
    BrushBitmapHandle = [](TBitmap* B) { return B->GetHandle(); }, true);
} // namespace

// The table objects belong to the image: bitmaps sharing one share its handles, and a bitmap
// that gives one away or replaces it takes an image of its own first.

HBITMAP TBitmap::GetHandle() {
    TBitmapImage& im = *FImage;
    im.SurfaceNeeded();
    if (!im.FHandle || !GdiFind<TGdiBitmap>(im.FHandle, OBJ_BITMAP))
        im.FHandle = GdiAddObject(std::make_shared<TGdiBitmap>(im.FSurface));
    return im.FHandle;
}

void TBitmap::SetHandle(HBITMAP Value) {
    if (Value == FImage->FHandle) return;
    std::shared_ptr<TGdiBitmap> b = GdiFind<TGdiBitmap>(Value, OBJ_BITMAP);
    if (Value && !b) throw EInvalidGraphic("Bitmap image is not valid");
    TBitmapImage& im = OwnImage();
    DeleteObject(im.FHandle);
    im.FHandle = Value;
    im.FSurface = b ? b->Surface : std::make_shared<TPixelSurface>(0, 0);
    im.FWidth = im.FSurface->Width(), im.FHeight = im.FSurface->Height();
    im.FPixelFormat = pfDevice;
    im.FPalette.clear();
    im.FSurfaceCurrent = true, im.FRowsCurrent = false, im.FQuantize = false;
    im.FSaved.clear();
    if (FCanvas) FCanvas->FreeContext();
    Changed(this);
}

HBITMAP TBitmap::ReleaseHandle() {
    OwnImage();
    HBITMAP h = GetHandle();
    // The object keeps the pixels it had; the bitmap draws on a copy from now on.
    FImage->FSurface = std::make_shared<TPixelSurface>(*FImage->FSurface);
    FImage->FHandle = 0;
    if (FCanvas) FCanvas->FreeContext();
    return h;
}

HBITMAP TBitmap::GetMaskHandle() {
    TBitmapImage& im = *FImage;
    if (im.FMaskHandle && GdiFind<TGdiBitmap>(im.FMaskHandle, OBJ_BITMAP)) return im.FMaskHandle;
    im.SurfaceNeeded();
    TColorRef key = ColorToRGB(TColor(GetTransparentColor() & 0xFFFFFF));
    auto mask = std::make_shared<TPixelSurface>(im.FWidth, im.FHeight, 0);
    for (Integer y = 0; y < im.FHeight; ++y)
        for (Integer x = 0; x < im.FWidth; ++x)
            if (im.FSurface->Get(x, y) == key) mask->Set(x, y, RGB(255, 255, 255));
    im.FMaskHandle = GdiAddObject(std::make_shared<TGdiBitmap>(std::move(mask)));
    return im.FMaskHandle;
}

void TBitmap::SetMaskHandle(HBITMAP Value) {
    if (Value == FImage->FMaskHandle) return;
    if (Value && !GdiFind<TGdiBitmap>(Value, OBJ_BITMAP))
        throw EInvalidGraphic("Bitmap image is not valid");
    TBitmapImage& im = OwnImage();
    DeleteObject(im.FMaskHandle);
    im.FMaskHandle = Value;
}

HBITMAP TBitmap::ReleaseMaskHandle() {
    OwnImage();
    HBITMAP h = GetMaskHandle();
    FImage->FMaskHandle = 0;
    return h;
}

HPALETTE TBitmap::GetPalette() const {
    TBitmapImage& im = *FImage;
    if (!Indexed(im.FPixelFormat)) return 0;
    if (!im.FPaletteHandle || GetObjectType(im.FPaletteHandle) != OBJ_PAL)
        im.FPaletteHandle = GdiAddObject(std::make_shared<TGdiPalette>(im.FPalette));
    return im.FPaletteHandle;
}

void TBitmap::SetPalette(HPALETTE Value) {
    std::shared_ptr<TGdiPalette> p = GdiFind<TGdiPalette>(Value, OBJ_PAL);
    if (!p || !Indexed(GetPixelFormat())) return;
    // The image's own palette object stays with the image, also when this bitmap leaves it.
    bool held = Value == FImage->FPaletteHandle;
    TBitmapImage& im = OwnImage();
    // The pixels keep their indices and show the new colours.
    im.RowsNeeded();
    im.FPalette = p->Colors;
    im.FPalette.resize(std::size_t(1) << BitsOf(im.FPixelFormat), 0);
    if (!held) {
        DeleteObject(im.FPaletteHandle);
        im.FPaletteHandle = Value;
    }
    im.FSurfaceCurrent = false;
    im.FSaved.clear();
    SetPaletteModified(true);
    Changed(this);
}

HPALETTE TBitmap::ReleasePalette() {
    OwnImage();
    HPALETTE h = GetPalette();
    FImage->FPaletteHandle = 0;
    return h;
}

void TBitmap::LoadFromClipboardFormat(Word AFormat, LongWord AData, HPALETTE APalette) {
    std::shared_ptr<TGdiBitmap> b = GdiFind<TGdiBitmap>(AData, OBJ_BITMAP);
    if (AFormat != CF_BITMAP_FORMAT || !b) throw EInvalidGraphic("Unsupported clipboard format");
    auto copy = std::make_shared<TPixelSurface>(*b->Surface);
    SetHandle(GdiAddObject(std::make_shared<TGdiBitmap>(copy)));
    if (auto p = GdiFind<TGdiPalette>(APalette, OBJ_PAL); p && p->Colors.size() <= 256) {
        TBitmapImage& im = OwnImage();
        im.FPixelFormat = p->Colors.size() <= 2 ? pf1bit : p->Colors.size() <= 16 ? pf4bit : pf8bit;
        im.FPalette = p->Colors;
        im.FPalette.resize(std::size_t(1) << BitsOf(im.FPixelFormat), 0);
        im.FQuantize = true;
    }
}

void TBitmap::SaveToClipboardFormat(Word& AFormat, LongWord& AData, HPALETTE& APalette) {
    const TBitmapImage& im = *FImage;
    FImage->SurfaceNeeded();
    AFormat = CF_BITMAP_FORMAT;
    AData =
        GdiAddObject(std::make_shared<TGdiBitmap>(std::make_shared<TPixelSurface>(*im.FSurface)));
    APalette =
        Indexed(im.FPixelFormat) ? GdiAddObject(std::make_shared<TGdiPalette>(im.FPalette)) : 0;
}

namespace {
/// A bitmap resource as a BMP file: the file header the resource leaves out, then the DIB.
void LoadDib(TBitmap& Bitmap, TResourceStream& Resource) {
    Int64 size = Resource.GetSize();
    if (size < 16) BadBitmap();
    const auto* dib = static_cast<const Byte*>(Resource.GetMemory());
    Cardinal header = GetLE<Cardinal>(dib);
    Word bits = header == 12 ? GetLE<Word>(dib + 10) : GetLE<Word>(dib + 14);
    Cardinal clrUsed = header >= 40 && size >= 36 ? GetLE<Cardinal>(dib + 32) : 0;
    Cardinal compression = header >= 40 && size >= 20 ? GetLE<Cardinal>(dib + 16) : 0;
    Cardinal colors = bits <= 8 ? (clrUsed ? clrUsed : 1u << bits) : 0;
    Cardinal offBits =
        14 + header + colors * (header == 12 ? 3 : 4) + (compression == 3 && header == 40 ? 12 : 0);
    std::vector<Byte> file{'B', 'M'};
    AppendLE<Cardinal>(file, Cardinal(14 + size));
    AppendLE<Cardinal>(file, 0);
    AppendLE<Cardinal>(file, offBits);
    file.insert(file.end(), dib, dib + size);
    TMemoryStream s;
    s.WriteBuffer(file.data(), LongInt(file.size()));
    s.SetPosition(0);
    Bitmap.LoadFromStream(&s);
}
} // namespace

void TBitmap::LoadFromResourceName(THandle Instance, const AnsiString& ResName) {
    TResourceStream r(Instance, ResName, RT_BITMAP);
    LoadDib(*this, r);
}

void TBitmap::LoadFromResourceID(THandle Instance, Integer ResID) {
    TResourceStream r(Instance, TResName::FromId(static_cast<Word>(ResID)), RT_BITMAP);
    LoadDib(*this, r);
}

void TBitmap::Mask(TColor TransparentColor) {
    TBitmapImage& im = OwnImage();
    im.SurfaceNeeded();
    TColorRef key = ColorToRGB(TransparentColor);
    TPixelSurface& s = *im.FSurface;
    for (Integer y = 0; y < im.FHeight; ++y)
        for (Integer x = 0; x < im.FWidth; ++x)
            s.Set(x, y, s.Get(x, y) == key ? RGB(255, 255, 255) : 0);
    im.FPixelFormat = pf1bit;
    im.ResetPalette();
    im.FRowsCurrent = false, im.FQuantize = false;
    im.FSaved.clear();
    Changed(this);
}

void TBitmap::Dormant() {
    // A shared image keeps its object for the others; this bitmap's own copy has none.
    OwnImage().SurfaceNeeded();
    if (FImage->FHandle) DeleteObject(ReleaseHandle());
}

void TBitmap::FreeImage() {
    if (!FImage->FSaved.empty()) OwnImage().FSaved.clear();
}

void TBitmap::Assign(TPersistent* Source) {
    auto* b = DynCast<TBitmap>(Source);
    if (!b) return TGraphic::Assign(Source);
    if (b == this) return;
    // Both hold the one image until either changes it. Neither canvas may keep a context on
    // pixels that are now shared: the next drawing takes a copy first.
    if (FImage != b->FImage) {
        b->FImage->Reference();
        FImage->Release();
        FImage = b->FImage;
    }
    if (FCanvas) FCanvas->FreeContext();
    if (b->FCanvas) b->FCanvas->FreeContext();
    FHandleType = b->FHandleType;
    FTransparentColor = b->FTransparentColor;
    FTransparentMode = b->FTransparentMode;
    SetTransparent(b->GetTransparent());
    Changed(this);
}

Integer TBitmap::BytesPerScanLine() const {
    return FImage->BytesPerScanLine();
}

void TBitmap::SetSize(Integer AWidth, Integer AHeight) {
    AWidth = std::max<Integer>(AWidth, 0), AHeight = std::max<Integer>(AHeight, 0);
    if (AWidth == GetWidth() && AHeight == GetHeight()) return;
    if (static_cast<long long>(AWidth) * AHeight > MaxPixels)
        throw EOutOfResources("Not enough storage is available to process this command");
    TBitmapImage& im = OwnImage();
    im.SurfaceNeeded();
    TPixelSurface old = *im.FSurface;
    im.FSurface->Resize(AWidth, AHeight);
    for (Integer y = 0; y < std::min(AHeight, old.Height()); ++y)
        for (Integer x = 0; x < std::min(AWidth, old.Width()); ++x)
            im.FSurface->Set(x, y, old.Get(x, y));
    im.FWidth = AWidth, im.FHeight = AHeight;
    if (FCanvas) FCanvas->FreeContext(); // a context for the new dimensions next time
    im.FRowsCurrent = false;
    im.FSaved.clear();
    Changed(this);
}

// ---- the two forms of the pixels ----

Integer TBitmapImage::BytesPerScanLine() const {
    // At most 2^28 pixels of 32 bits: a row fits in 32 bits, its computation does not.
    return static_cast<Integer>(((Int64(FWidth) * BitsOf(FPixelFormat) + 31) / 32) * 4);
}

void TBitmapImage::ResetPalette() {
    FPalette = DefaultPalette(FPixelFormat);
}

void TBitmapImage::PackRows() {
    Integer stride = BytesPerScanLine(), bits = BitsOf(FPixelFormat);
    FRows.assign(std::size_t(stride) * std::size_t(FHeight), 0);
    for (Integer y = 0; y < FHeight; ++y) {
        Byte* row = FRows.data() + std::size_t(FHeight - 1 - y) * std::size_t(stride);
        for (Integer x = 0; x < FWidth; ++x) {
            TColorRef c = FSurface->Get(x, y);
            Byte r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
            switch (bits) {
            case 1:
            case 4:
            case 8: {
                // The nearest palette colour (exact matches are the common case).
                std::size_t best = 0;
                long bestD = -1;
                for (std::size_t i = 0; i < FPalette.size(); ++i) {
                    TColorRef p = FPalette[i];
                    long dr = long(GetRValue(p)) - r, dg = long(GetGValue(p)) - g,
                         db = long(GetBValue(p)) - b, d = dr * dr + dg * dg + db * db;
                    if (bestD < 0 || d < bestD) best = i, bestD = d;
                    if (!d) break;
                }
                if (bits == 8)
                    row[x] = Byte(best);
                else if (bits == 4)
                    row[x / 2] |= Byte(best << (x % 2 ? 0 : 4));
                else if (best)
                    row[x / 8] |= Byte(0x80 >> (x % 8));
                break;
            }
            case 16: {
                Word w = FPixelFormat == pf16bit
                             ? Word(((r >> 3) << 11) | ((g >> 2) << 5) | (b >> 3))
                             : Word(((r >> 3) << 10) | ((g >> 3) << 5) | (b >> 3));
                row[2 * x] = Byte(w & 0xFF), row[2 * x + 1] = Byte(w >> 8);
                break;
            }
            case 24: row[3 * x] = b, row[3 * x + 1] = g, row[3 * x + 2] = r; break;
            default: row[4 * x] = b, row[4 * x + 1] = g, row[4 * x + 2] = r, row[4 * x + 3] = 0;
            }
        }
    }
}

void TBitmapImage::UnpackRows() {
    Integer stride = BytesPerScanLine(), bits = BitsOf(FPixelFormat);
    FRows.resize(std::size_t(stride) * std::size_t(FHeight)); // never read past the rows
    if (FSurface->Width() != FWidth || FSurface->Height() != FHeight)
        FSurface->Resize(FWidth, FHeight);
    auto palette = [&](std::size_t I) { return I < FPalette.size() ? FPalette[I] : 0; };
    for (Integer y = 0; y < FHeight; ++y) {
        const Byte* row = FRows.data() + std::size_t(FHeight - 1 - y) * std::size_t(stride);
        for (Integer x = 0; x < FWidth; ++x) {
            TColorRef c = 0;
            switch (bits) {
            case 1: c = palette((row[x / 8] >> (7 - x % 8)) & 1); break;
            case 4: c = palette((row[x / 2] >> (x % 2 ? 0 : 4)) & 15); break;
            case 8: c = palette(row[x]); break;
            case 16: {
                Word w = Word(row[2 * x] | (row[2 * x + 1] << 8));
                auto e5 = [](unsigned V) { return Byte((V << 3) | (V >> 2)); };
                if (FPixelFormat == pf16bit)
                    c = RGB(e5((w >> 11) & 31),
                            Byte((((w >> 5) & 63) << 2) | (((w >> 5) & 63) >> 4)), e5(w & 31));
                else
                    c = RGB(e5((w >> 10) & 31), e5((w >> 5) & 31), e5(w & 31));
                break;
            }
            case 24: c = RGB(row[3 * x + 2], row[3 * x + 1], row[3 * x]); break;
            default: c = RGB(row[4 * x + 2], row[4 * x + 1], row[4 * x]);
            }
            FSurface->Set(x, y, c);
        }
    }
}

void TBitmapImage::SurfaceNeeded() {
    if (!FSurfaceCurrent) {
        UnpackRows();
        FSurfaceCurrent = true;
    }
    if (FQuantize) {
        // What was drawn takes the colours the format can hold, as drawing on it does.
        FQuantize = false;
        PackRows();
        UnpackRows();
        FRowsCurrent = true;
    }
}

void TBitmapImage::RowsNeeded() {
    SurfaceNeeded();
    if (!FRowsCurrent) {
        PackRows();
        FRowsCurrent = true;
    }
}

void TBitmap::CanvasChanged() {
    // The canvas changes the bitmap's own image only (its context is on the bitmap's own
    // surface), but a change of its font or pen alone reports a change too.
    TBitmapImage& im = OwnImage();
    TPixelFormat f = im.FPixelFormat;
    im.FRowsCurrent = false;
    im.FSaved.clear();
    im.FQuantize = f != pf24bit && f != pf32bit && f != pfDevice && f != pfCustom;
    Changed(this);
}

void* TBitmap::GetScanLine(Integer Row) {
    if (Row < 0 || Row >= GetHeight())
        throw EInvalidGraphicOperation("Scan line index out of range");
    TBitmapImage& im = OwnImage();
    im.RowsNeeded();
    // The caller may write the row: the surface is made again from the rows when next used.
    im.FSurfaceCurrent = false;
    im.FSaved.clear();
    return im.FRows.data() + std::size_t(im.FHeight - 1 - Row) * std::size_t(BytesPerScanLine());
}

void TBitmap::SetPixelFormat(TPixelFormat Value) {
    if (Value == GetPixelFormat()) return;
    TBitmapImage& im = OwnImage();
    im.SurfaceNeeded();
    im.FPixelFormat = Value;
    im.ResetPalette();
    im.FRowsCurrent = false;
    im.FQuantize = true;
    im.FSaved.clear();
    Changed(this);
}

void TBitmap::SetMonochrome(bool Value) {
    if (Value == GetMonochrome()) return;
    SetPixelFormat(Value ? pf1bit : pfDevice);
}

TCanvas* TBitmap::GetCanvas() {
    if (!FCanvas) FCanvas = new TBitmapCanvas(this);
    return FCanvas;
}

TColorRef TBitmap::ColorAt(Integer X, Integer Y) {
    FImage->SurfaceNeeded();
    const TPixelSurface& s = *FImage->FSurface;
    return s.Contains(X, Y) ? s.Get(X, Y) : CLR_INVALID;
}

TColor TBitmap::GetTransparentColor() const {
    if (FTransparentMode == tmFixed) return FTransparentColor;
    // Automatic: the colour of the bottom-left pixel.
    if (GetEmpty()) return clDefault;
    auto* self = const_cast<TBitmap*>(this);
    return static_cast<Integer>(self->ColorAt(0, GetHeight() - 1)) | 0x02000000;
}

void TBitmap::SetTransparentColor(TColor Value) {
    FTransparentColor = Value;
    FTransparentMode = Value == clDefault ? tmAuto : tmFixed;
    Changed(this);
}

void TBitmap::SetTransparentMode(TTransparentMode Value) {
    if (Value == FTransparentMode) return;
    if (Value == tmAuto)
        SetTransparentColor(clDefault);
    else
        SetTransparentColor(GetTransparentColor());
}

void TBitmap::Draw(TCanvas* ACanvas, const TRect& Rect) {
    if (!ACanvas || GetEmpty()) return;
    FImage->SurfaceNeeded();
    bool transparent = GetTransparent();
    TColorRef key = ColorToRGB(TColor(GetTransparentColor() & 0xFFFFFF)) & 0xFFFFFF;
    // Drawn onto its own canvas while shared, the bitmap reads the pixels it leaves to the
    // others (which keep them alive) and draws on its copy.
    const TPixelSurface& s = *FImage->FSurface;
    ACanvas->PaintPicture(Rect, GetWidth(), GetHeight(), [&](Integer X, Integer Y, TColorRef& C) {
        C = s.Get(X, Y);
        return !(transparent && C == key);
    });
}

// ---- the BMP format ----

void TBitmap::LoadFromStream(TStream* Stream) {
    Int64 start = Stream->GetPosition(), available = Stream->GetSize() - start;
    Byte fh[14];
    if (available < 14 + 12 || Stream->Read(fh, 14) != 14 || fh[0] != 'B' || fh[1] != 'M')
        BadBitmap();
    Cardinal fileSize = GetLE<Cardinal>(fh + 2), offBits = GetLE<Cardinal>(fh + 10);
    Byte ih[124] = {};
    if (Stream->Read(ih, 4) != 4) BadBitmap();
    Cardinal headerSize = GetLE<Cardinal>(ih);
    if (headerSize != 12 && (headerSize < 40 || headerSize > 124)) BadBitmap();
    if (Stream->Read(ih + 4, LongInt(headerSize - 4)) != LongInt(headerSize - 4)) BadBitmap();
    Integer width, height;
    Word bits;
    Cardinal compression = 0, clrUsed = 0;
    if (headerSize == 12) {
        width = GetLE<Word>(ih + 4), height = static_cast<std::int16_t>(GetLE<Word>(ih + 6));
        bits = GetLE<Word>(ih + 10);
    } else {
        width = static_cast<Integer>(GetLE<Cardinal>(ih + 4));
        height = static_cast<Integer>(GetLE<Cardinal>(ih + 8));
        bits = GetLE<Word>(ih + 14);
        compression = GetLE<Cardinal>(ih + 16);
        clrUsed = GetLE<Cardinal>(ih + 32);
    }
    bool topDown = height < 0;
    if (height == INT32_MIN || width <= 0 || height == 0) BadBitmap();
    height = std::abs(height);
    if (static_cast<long long>(width) * height > MaxPixels) BadBitmap();
    TPixelFormat format;
    switch (bits) {
    case 1: format = pf1bit; break;
    case 4: format = pf4bit; break;
    case 8: format = pf8bit; break;
    case 16: format = pf15bit; break;
    case 24: format = pf24bit; break;
    case 32: format = pf32bit; break;
    default: BadBitmap();
    }
    if (compression != 0 && !(compression == 3 && (bits == 16 || bits == 32))) BadBitmap();
    if (compression == 3) {
        Byte masks[12];
        if (headerSize < 52 && Stream->Read(masks, 12) != 12) BadBitmap();
        const Byte* m = headerSize >= 52 ? ih + 40 : masks;
        Cardinal red = GetLE<Cardinal>(m), green = GetLE<Cardinal>(m + 4),
                 blue = GetLE<Cardinal>(m + 8);
        if (bits == 16 && red == 0xF800 && green == 0x07E0 && blue == 0x001F)
            format = pf16bit;
        else if (!(bits == 16 && red == 0x7C00 && green == 0x03E0 && blue == 0x001F) &&
                 !(bits == 32 && red == 0xFF0000 && green == 0xFF00 && blue == 0xFF))
            BadBitmap(); // other layouts are not the host's formats
    }
    std::vector<TColorRef> palette;
    if (bits <= 8) {
        Cardinal count = clrUsed ? clrUsed : (1u << bits);
        if (count > 256) BadBitmap();
        int entry = headerSize == 12 ? 3 : 4;
        std::vector<Byte> raw(std::size_t(count) * entry);
        if (Stream->Read(raw.data(), LongInt(raw.size())) != LongInt(raw.size())) BadBitmap();
        for (Cardinal i = 0; i < count; ++i)
            palette.push_back(RGB(raw[i * entry + 2], raw[i * entry + 1], raw[i * entry]));
    }
    Int64 stride = ((Int64(width) * bits + 31) / 32) * 4;
    Int64 imageSize = stride * height;
    Int64 here = Stream->GetPosition() - start;
    if (offBits >= here && offBits <= available) {
        Stream->SetPosition(start + offBits);
        here = offBits;
    }
    if (here + imageSize > available) BadBitmap();
    std::vector<Byte> rows(static_cast<std::size_t>(imageSize));
    if (imageSize) Stream->ReadBuffer(rows.data(), LongInt(imageSize));
    if (topDown)
        for (Integer y = 0; y < height / 2; ++y)
            std::swap_ranges(rows.begin() + std::ptrdiff_t(y) * stride,
                             rows.begin() + std::ptrdiff_t(y + 1) * stride,
                             rows.begin() + std::ptrdiff_t(height - 1 - y) * stride);
    // The stream's bytes, kept for saving the bitmap unchanged.
    Int64 end = std::max<Int64>(here + imageSize, fileSize <= available ? fileSize : 0);
    std::vector<Byte> saved(static_cast<std::size_t>(end));
    Stream->SetPosition(start);
    Stream->ReadBuffer(saved.data(), LongInt(end));

    TBitmapImage& im = OwnImage();
    im.FWidth = width, im.FHeight = height, im.FPixelFormat = format;
    im.FPalette = palette.empty() ? DefaultPalette(format) : palette;
    if (Indexed(format) && im.FPalette.size() < (1u << bits)) im.FPalette.resize(1u << bits, 0);
    im.FRows = std::move(rows);
    im.FRowsCurrent = true, im.FSurfaceCurrent = false, im.FQuantize = false;
    im.FSaved = std::move(saved);
    if (FCanvas) FCanvas->FreeContext();
    Changed(this);
}

void TBitmap::SaveToStream(TStream* Stream) {
    const TBitmapImage& im = *FImage;
    if (!im.FSaved.empty()) {
        Stream->WriteBuffer(im.FSaved.data(), LongInt(im.FSaved.size()));
        return;
    }
    FImage->RowsNeeded();
    Integer bits = BitsOf(im.FPixelFormat);
    std::vector<Byte> out;
    Cardinal paletteBytes = Indexed(im.FPixelFormat) ? Cardinal(im.FPalette.size()) * 4 : 0;
    Cardinal masks = im.FPixelFormat == pf16bit ? 12 : 0;
    Cardinal offBits = 14 + 40 + paletteBytes + masks;
    Cardinal imageSize = Cardinal(im.FRows.size());
    out.push_back('B'), out.push_back('M');
    AppendLE<Cardinal>(out, offBits + imageSize);
    AppendLE<Cardinal>(out, 0);
    AppendLE<Cardinal>(out, offBits);
    AppendLE<Cardinal>(out, 40);
    AppendLE<Integer>(out, im.FWidth);
    AppendLE<Integer>(out, im.FHeight);
    AppendLE<Word>(out, 1);
    AppendLE<Word>(out, Word(bits));
    AppendLE<Cardinal>(out, masks ? 3 : 0);
    AppendLE<Cardinal>(out, imageSize);
    AppendLE<Integer>(out, 0), AppendLE<Integer>(out, 0);
    AppendLE<Cardinal>(out, Indexed(im.FPixelFormat) ? Cardinal(im.FPalette.size()) : 0);
    AppendLE<Cardinal>(out, 0);
    if (Indexed(im.FPixelFormat))
        for (TColorRef c : im.FPalette)
            out.push_back(GetBValue(c)), out.push_back(GetGValue(c)), out.push_back(GetRValue(c)),
                out.push_back(0);
    if (masks)
        AppendLE<Cardinal>(out, 0xF800), AppendLE<Cardinal>(out, 0x07E0),
            AppendLE<Cardinal>(out, 0x001F);
    out.insert(out.end(), im.FRows.begin(), im.FRows.end());
    Stream->WriteBuffer(out.data(), LongInt(out.size()));
}

HOST_METACLASS(TBitmapCanvas, TCanvas);
HOST_METACLASS(TBitmapImage, TSharedImage);
HOST_METACLASS(TBitmap, TGraphic);

} // namespace host
