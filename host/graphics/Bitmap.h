// TBitmap: a picture of pixels in one of the host's pixel formats, with its canvas, its rows
// (ScanLine), transparency and the BMP file format.
#pragma once

#include "host/graphics/Graphic.h"
#include "host/graphics/SharedImage.h"

#include <vector>

namespace host {

enum TPixelFormat {
    pfDevice,
    pf1bit,
    pf4bit,
    pf8bit,
    pf15bit,
    pf16bit,
    pf24bit,
    pf32bit,
    pfCustom
};
HOST_ENUM_INFO(TPixelFormat, pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit,
               pfCustom)
enum TBitmapHandleType { bmDIB, bmDDB };
HOST_ENUM_INFO(TBitmapHandleType, bmDIB, bmDDB)
enum TTransparentMode { tmAuto, tmFixed };
HOST_ENUM_INFO(TTransparentMode, tmAuto, tmFixed)

class TBitmap;

/// The picture behind bitmaps: its pixels in two forms (the 32-bit surface the canvas draws on
/// and the rows in the pixel format, made from one another when needed), its palette, the
/// stream it was read from and its objects in the graphics-object table. Bitmaps assigned one
/// another hold the same image until one of them changes it.
class TBitmapImage : public TSharedImage {
    HOST_CLASS(TBitmapImage, TSharedImage)
private:
    friend class TBitmap;
    TBitmapImage();
    /// The same picture, without table objects: those stay with the image copied.
    TBitmapImage(const TBitmapImage& Source);
    void FreeHandle() override;

    /// Makes the surface current (from the rows if they changed).
    void SurfaceNeeded();
    /// Makes the rows in the pixel format current (from the surface if it changed).
    void RowsNeeded();
    void PackRows();
    void UnpackRows();
    void ResetPalette();
    Integer BytesPerScanLine() const;

    Integer FWidth = 0, FHeight = 0;
    TPixelFormat FPixelFormat = pfDevice;
    std::vector<TColorRef> FPalette;
    std::shared_ptr<TPixelSurface> FSurface;
    std::vector<Byte> FRows;
    bool FSurfaceCurrent = true; // the surface shows the picture
    bool FRowsCurrent = false;   // the rows show the picture
    bool FQuantize = false;      // drawn on since the format's colours were last applied
    std::vector<Byte> FSaved;    // the stream it was read from, while unchanged since
    HBITMAP FHandle = 0;
    HBITMAP FMaskHandle = 0;
    HPALETTE FPaletteHandle = 0;
};

/// The canvas of a bitmap: draws on the bitmap's pixels and tells the bitmap of every change.
class TBitmapCanvas : public TCanvas {
    HOST_CLASS(TBitmapCanvas, TCanvas)
public:
    explicit TBitmapCanvas(TBitmap* ABitmap) : FBitmap(ABitmap) {}
    ~TBitmapCanvas() override;

protected:
    void CreateHandle() override;
    void RequiredState() override;
    void Changed() override;

private:
    friend class TBitmap;
    void FreeContext();
    TBitmap* FBitmap;
};

class TBitmap : public TGraphic {
    HOST_CLASS(TBitmap, TGraphic)
public:
    TBitmap();
    ~TBitmap() override;
    /// From a bitmap: holds its image too, without copying the pixels; the first change to
    /// either gives that one a copy of its own.
    void Assign(TPersistent* Source) override;

    bool GetEmpty() const override { return GetWidth() == 0 || GetHeight() == 0; }
    Integer GetHeight() const override { return FImage->FHeight; }
    void SetHeight(Integer Value) override { SetSize(GetWidth(), Value); }
    Integer GetWidth() const override { return FImage->FWidth; }
    void SetWidth(Integer Value) override { SetSize(Value, GetHeight()); }
    /// New dimensions; what fits of the old picture stays, the rest is white.
    void SetSize(Integer AWidth, Integer AHeight);

    TPixelFormat GetPixelFormat() const { return FImage->FPixelFormat; }
    /// Converts the pixels (to the nearest colour of the palette for 8 bits and fewer).
    void SetPixelFormat(TPixelFormat Value);
    bool GetMonochrome() const { return GetPixelFormat() == pf1bit; }
    void SetMonochrome(bool Value);
    TBitmapHandleType GetHandleType() const { return FHandleType; }
    void SetHandleType(TBitmapHandleType Value) { FHandleType = Value; }
    bool GetIgnorePalette() const { return FIgnorePalette; }
    void SetIgnorePalette(bool Value) { FIgnorePalette = Value; }

    /// The row `Row` (0 the top) in the pixel format's layout: rows are 4-byte aligned and
    /// stored bottom-up, as in the BMP format. Valid until the bitmap is drawn on or resized.
    void* GetScanLine(Integer Row);
    /// Bytes from one row to the next in memory.
    Integer BytesPerScanLine() const;
    /// The palette of a format of 8 bits or fewer (the colour of each index).
    const std::vector<TColorRef>& PaletteColors() const { return FImage->FPalette; }

    TCanvas* GetCanvas();

    // ---- handles ----
    /// The bitmap's object in the graphics-object table, sharing its pixels (the image's: one
    /// object for the bitmaps that share an image).
    HBITMAP GetHandle();
    /// Takes the bitmap object `Value` over (its pixels become the bitmap's); 0 empties.
    void SetHandle(HBITMAP Value);
    /// Gives the object away: the caller deletes it; the bitmap keeps a copy of its pixels.
    HBITMAP ReleaseHandle();
    /// A monochrome object: white where the transparent colour is, black elsewhere.
    HBITMAP GetMaskHandle();
    void SetMaskHandle(HBITMAP Value);
    HBITMAP ReleaseMaskHandle();
    /// The palette of a format of 8 bits or fewer, as a palette object; 0 for the others.
    HPALETTE GetPalette() const override;
    void SetPalette(HPALETTE Value) override;
    HPALETTE ReleasePalette();
    bool HandleAllocated() const { return FImage->FHandle != 0; }
    /// Turns the bitmap into the mask of `TransparentColor`: monochrome, white where the colour
    /// was, black elsewhere.
    void Mask(TColor TransparentColor);
    /// Lets go of the table object and keeps the pixels only.
    void Dormant();
    /// Reads a bitmap resource (RT_BITMAP: a device-independent bitmap without a file header)
    /// of `Instance`; raises EResNotFound "Resource %s not found" when there is none.
    void LoadFromResourceName(THandle Instance, const AnsiString& ResName);
    void LoadFromResourceID(THandle Instance, Integer ResID);
    /// Forgets the stream the bitmap was read from: saving then writes the pixels anew.
    void FreeImage();
    TColor GetTransparentColor() const;
    void SetTransparentColor(TColor Value);
    TTransparentMode GetTransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode Value);

    void LoadFromStream(TStream* Stream) override;
    void SaveToStream(TStream* Stream) override;
    /// CF_BITMAP: `AData` a bitmap object whose pixels are copied in (with `APalette`'s
    /// colours for an indexed bitmap).
    void LoadFromClipboardFormat(Word AFormat, LongWord AData, HPALETTE APalette) override;
    /// CF_BITMAP and a new bitmap object holding a copy of the pixels (and a palette object for
    /// an indexed bitmap), for the clipboard to take over.
    void SaveToClipboardFormat(Word& AFormat, LongWord& AData, HPALETTE& APalette) override;
    void Draw(TCanvas* ACanvas, const TRect& Rect) override;

    /// The pixels as drawn: a colour for each pixel (0x00BBGGRR).
    TColorRef ColorAt(Integer X, Integer Y);

protected:
    /// In form files a bitmap's data is its size, then the BMP file.
    void ReadData(TStream* Stream) override;
    void WriteData(TStream* Stream) override;
    /// The image the bitmap holds, shared with the bitmaps it was assigned to or from.
    TBitmapImage* GetImage() const { return FImage; }

private:
    friend class TBitmapCanvas;
    /// The image, this bitmap's alone: before any change, a shared image is left to its other
    /// holders and a copy taken (copy on write).
    TBitmapImage& OwnImage();
    /// The surface the canvas draws on: the bitmap's own, current.
    const std::shared_ptr<TPixelSurface>& CanvasSurface();
    void CanvasChanged();

    TBitmapImage* FImage;
    TBitmapHandleType FHandleType = bmDIB;
    bool FIgnorePalette = false;
    TBitmapCanvas* FCanvas = nullptr;
    TColor FTransparentColor = clDefault;
    TTransparentMode FTransparentMode = tmAuto;
};

} // namespace host
