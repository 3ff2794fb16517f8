// Pixel surfaces: what a device context draws on, 32 bits a pixel (0x00RRGGBB in memory, the
// layout of a 32-bit bitmap), and the device contexts of the graphics-object table over them.
#pragma once

#include "host/graphics/GdiObjects.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace host {

class TPixelSurface {
public:
    TPixelSurface(Integer Width, Integer Height, TColorRef Fill = RGB(255, 255, 255));
    Integer Width() const { return FWidth; }
    Integer Height() const { return FHeight; }
    bool Contains(Integer X, Integer Y) const {
        return X >= 0 && Y >= 0 && X < FWidth && Y < FHeight;
    }
    /// The colour at (X, Y) as a colour reference; the caller checks Contains.
    TColorRef Get(Integer X, Integer Y) const { return FromPixel(FPixels[Index(X, Y)]); }
    void Set(Integer X, Integer Y, TColorRef C) { FPixels[Index(X, Y)] = ToPixel(C); }
    std::uint32_t* Row(Integer Y) { return FPixels.data() + std::size_t(Y) * std::size_t(FWidth); }
    const std::uint32_t* Row(Integer Y) const {
        return FPixels.data() + std::size_t(Y) * std::size_t(FWidth);
    }
    /// New dimensions; the pixels are filled with `Fill`. Raises EOutOfResources beyond 2^28
    /// pixels.
    void Resize(Integer Width, Integer Height, TColorRef Fill = RGB(255, 255, 255));

    static constexpr std::uint32_t ToPixel(TColorRef C) {
        return ((C & 0xFF) << 16) | (C & 0xFF00) | ((C >> 16) & 0xFF);
    }
    static constexpr TColorRef FromPixel(std::uint32_t P) {
        return ((P & 0xFF) << 16) | (P & 0xFF00) | ((P >> 16) & 0xFF);
    }

private:
    std::size_t Index(Integer X, Integer Y) const {
        return std::size_t(Y) * std::size_t(FWidth) + std::size_t(X);
    }
    Integer FWidth = 0, FHeight = 0;
    std::vector<std::uint32_t> FPixels;
};

/// A device context: the surface it draws on, its clipping rectangle and pen position.
struct TGdiDC : TGdiObject {
    explicit TGdiDC(std::shared_ptr<TPixelSurface> S) : TGdiObject(OBJ_DC), Surface(std::move(S)) {}
    std::shared_ptr<TPixelSurface> Surface;
    bool Clipped = false;
    TRect Clip;
    TPoint Pos;
    /// The rectangle drawing may touch: the surface, within the clipping rectangle.
    TRect Bounds() const;
};

/// A bitmap object: pixels shared with the TBitmap that made it, until one lets go.
struct TGdiBitmap : TGdiObject {
    explicit TGdiBitmap(std::shared_ptr<TPixelSurface> S)
        : TGdiObject(OBJ_BITMAP), Surface(std::move(S)) {}
    std::shared_ptr<TPixelSurface> Surface;
};
/// A logical palette: the colour of each index.
struct TGdiPalette : TGdiObject {
    explicit TGdiPalette(std::vector<TColorRef> C) : TGdiObject(OBJ_PAL), Colors(std::move(C)) {}
    std::vector<TColorRef> Colors;
};

/// A device context over `Surface` (a memory device context holding a bitmap).
HDC CreateSurfaceDC(std::shared_ptr<TPixelSurface> Surface);
std::shared_ptr<TGdiDC> FindDC(HDC DC);
bool DeleteDC(HDC DC);

enum : Integer { ERROR_REGION = 0, NULLREGION = 1, SIMPLEREGION = 2 };
/// Narrows the clipping rectangle to its intersection with (Left, Top, Right, Bottom).
Integer IntersectClipRect(HDC DC, Integer Left, Integer Top, Integer Right, Integer Bottom);
/// With no region: clipping back to the whole surface.
Integer SelectClipRgn(HDC DC, HGDIOBJ Region);
/// The clipping rectangle (the surface when not clipped).
Integer GetClipBox(HDC DC, TRect* Rect);

} // namespace host
