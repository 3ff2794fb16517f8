#include "host/graphics/Surface.h"

#include "host/system/Exceptions.h"

#include <algorithm>

namespace host {

namespace {
constexpr long long MaxPixels = 1ll << 28; // 1 GiB of pixels: beyond is a bad size, not a wish
}

TPixelSurface::TPixelSurface(Integer Width, Integer Height, TColorRef Fill) {
    Resize(Width, Height, Fill);
}

void TPixelSurface::Resize(Integer Width, Integer Height, TColorRef Fill) {
    Width = std::max<Integer>(Width, 0);
    Height = std::max<Integer>(Height, 0);
    if (static_cast<long long>(Width) * Height > MaxPixels)
        throw EOutOfResources("Not enough storage is available to process this command");
    FPixels.assign(std::size_t(Width) * std::size_t(Height), ToPixel(Fill));
    FWidth = Width;
    FHeight = Height;
}

TRect TGdiDC::Bounds() const {
    TRect r{0, 0, Surface ? Surface->Width() : 0, Surface ? Surface->Height() : 0};
    if (Clipped) {
        r.Left = std::max(r.Left, Clip.Left);
        r.Top = std::max(r.Top, Clip.Top);
        r.Right = std::min(r.Right, Clip.Right);
        r.Bottom = std::min(r.Bottom, Clip.Bottom);
    }
    if (r.Right < r.Left) r.Right = r.Left;
    if (r.Bottom < r.Top) r.Bottom = r.Top;
    return r;
}

HDC CreateSurfaceDC(std::shared_ptr<TPixelSurface> Surface) {
    return GdiAddObject(std::make_shared<TGdiDC>(std::move(Surface)));
}

std::shared_ptr<TGdiDC> FindDC(HDC DC) {
    return GdiFind<TGdiDC>(DC, OBJ_DC);
}

bool DeleteDC(HDC DC) {
    return FindDC(DC) && DeleteObject(DC);
}

Integer IntersectClipRect(HDC DC, Integer Left, Integer Top, Integer Right, Integer Bottom) {
    std::shared_ptr<TGdiDC> dc = FindDC(DC);
    if (!dc) return ERROR_REGION;
    TRect now = dc->Bounds();
    dc->Clip = {std::max(now.Left, Left), std::max(now.Top, Top), std::min(now.Right, Right),
                std::min(now.Bottom, Bottom)};
    dc->Clipped = true;
    TRect b = dc->Bounds();
    return b.Right > b.Left && b.Bottom > b.Top ? SIMPLEREGION : NULLREGION;
}

Integer SelectClipRgn(HDC DC, HGDIOBJ Region) {
    std::shared_ptr<TGdiDC> dc = FindDC(DC);
    if (!dc || Region) return ERROR_REGION;
    dc->Clipped = false;
    return SIMPLEREGION;
}

Integer GetClipBox(HDC DC, TRect* Rect) {
    std::shared_ptr<TGdiDC> dc = FindDC(DC);
    if (!dc || !Rect) return ERROR_REGION;
    *Rect = dc->Bounds();
    return Rect->Right > Rect->Left && Rect->Bottom > Rect->Top ? SIMPLEREGION : NULLREGION;
}

} // namespace host
