#include "host/imglist/ImageLists.h"

#include "host/graphics/Icon.h"

#include <algorithm>

namespace host {

namespace {

constexpr TColorRef White = RGB(255, 255, 255);
constexpr TColorRef Black = 0;
constexpr long long MaxPixels = 1ll << 28;

/// Rows of images a capacity needs.
Integer RowsFor(Integer Capacity) {
    return (Capacity + TImageListObject::Columns - 1) / TImageListObject::Columns;
}

TColorRef Mix(TColorRef A, TColorRef B, int PercentB) {
    auto part = [&](Byte a, Byte b) { return Byte((a * (100 - PercentB) + b * PercentB) / 100); };
    return RGB(part(GetRValue(A), GetRValue(B)), part(GetGValue(A), GetGValue(B)),
               part(GetBValue(A), GetBValue(B)));
}

std::shared_ptr<TPixelSurface> BitmapSurface(HBITMAP Bitmap) {
    auto b = GdiFind<TGdiBitmap>(Bitmap, OBJ_BITMAP);
    return b ? b->Surface : nullptr;
}

/// Puts up to `Limit` images of `Image` (as many as its width holds), from image `At` on, with
/// the mask `IsTransparent` gives for each of its pixels (made black with `Blacken`); their
/// number.
template <class Transparent>
Integer PutImages(TImageListObject& L, Integer At, Integer Limit, const TPixelSurface& Image,
                  Transparent&& IsTransparent, bool Blacken = false) {
    Integer n = std::min(Image.Height() > 0 ? Image.Width() / L.Cx : 0, Limit);
    if (n <= 0) return 0;
    L.Reserve(At + n);
    for (Integer i = 0; i < n; ++i) {
        TPoint o = L.Origin(At + i);
        for (Integer y = 0; y < L.Cy; ++y)
            for (Integer x = 0; x < L.Cx; ++x) {
                Integer sx = i * L.Cx + x;
                bool inside = y < Image.Height();
                TColorRef c = inside ? Image.Get(sx, y) : Black;
                bool clear = inside && IsTransparent(sx, y, c);
                L.Image->Set(o.X + x, o.Y + y, clear && Blacken ? Black : c);
                if (L.Mask) L.Mask->Set(o.X + x, o.Y + y, clear ? White : Black);
            }
    }
    return n;
}

/// The transparency rule of a mask bitmap: a colour mask reads as monochrome, white set.
auto MaskRule(const std::shared_ptr<TPixelSurface>& Mask) {
    return [Mask](Integer X, Integer Y, TColorRef) {
        return Mask && Mask->Contains(X, Y) && Mask->Get(X, Y) == White;
    };
}

/// Drops the bitmap objects over the surfaces (they are made again when asked for).
void ForgetHandles(TImageListObject& L) {
    DeleteObject(L.ImageHandle);
    DeleteObject(L.MaskHandle);
    L.ImageHandle = L.MaskHandle = 0;
}

} // namespace

TImageListObject::TImageListObject(Integer ACx, Integer ACy, Cardinal AFlags, Integer AGrow)
    : TGdiObject(OBJ_IMAGELIST), Cx(ACx), Cy(ACy), Flags(AFlags),
      Grow(std::clamp(AGrow, 1, MaxImages)),
      Image(std::make_shared<TPixelSurface>(0, 0)),
      Mask((AFlags & ILC_MASK) ? std::make_shared<TPixelSurface>(0, 0) : nullptr) {}

TImageListObject::~TImageListObject() {
    ForgetHandles(*this);
}

void TImageListObject::Reserve(Integer N) {
    if (N <= Capacity) return;
    // The stream counts images in 16 bits.
    if (N > MaxImages) throw EOutOfResources("Out of system resources");
    Integer capacity = std::max(N, Capacity + Grow);
    capacity = std::min((capacity + Grow - 1) / Grow * Grow, MaxImages);
    Integer w = Cx * Columns, h = Cy * RowsFor(capacity);
    if (static_cast<long long>(w) * h > MaxPixels) throw EOutOfResources("Out of system resources");
    auto grow = [&](std::shared_ptr<TPixelSurface>& S, TColorRef Fill) {
        if (!S) return;
        auto bigger = std::make_shared<TPixelSurface>(w, h, Fill);
        for (Integer y = 0; y < S->Height(); ++y)
            std::copy_n(S->Row(y), S->Width(), bigger->Row(y));
        S = std::move(bigger);
    };
    grow(Image, Black);
    grow(Mask, White);
    ForgetHandles(*this);
    Capacity = capacity;
}

void TImageListObject::CopyImage(Integer To, const TImageListObject& Source, Integer From) {
    TPoint d = Origin(To), s = Source.Origin(From);
    for (Integer y = 0; y < Cy; ++y)
        for (Integer x = 0; x < Cx; ++x) {
            bool inside = x < Source.Cx && y < Source.Cy;
            Image->Set(d.X + x, d.Y + y, inside ? Source.Image->Get(s.X + x, s.Y + y) : Black);
            if (Mask)
                Mask->Set(d.X + x, d.Y + y,
                          inside && !Source.Opaque(From, x, y) ? White : Black);
        }
}

bool TImageListObject::Opaque(Integer Index, Integer X, Integer Y) const {
    if (!Mask) return true;
    TPoint o = Origin(Index);
    return Mask->Get(o.X + X, o.Y + Y) == Black;
}

std::shared_ptr<TImageListObject> ImageList_Find(HIMAGELIST List) {
    return GdiFind<TImageListObject>(List, OBJ_IMAGELIST);
}

HIMAGELIST ImageList_Create(Integer Cx, Integer Cy, Cardinal Flags, Integer Initial,
                            Integer Grow) {
    if (Cx <= 0 || Cy <= 0 || Cx > 0x7FFF || Cy > 0x7FFF) return 0;
    auto list = std::make_shared<TImageListObject>(Cx, Cy, Flags, Grow);
    list->Reserve(std::max(Initial, 1));
    return GdiAddObject(std::move(list));
}

bool ImageList_Destroy(HIMAGELIST List) {
    return ImageList_Find(List) && DeleteObject(List);
}

Integer ImageList_GetImageCount(HIMAGELIST List) {
    auto l = ImageList_Find(List);
    return l ? l->Count : 0;
}

bool ImageList_GetIconSize(HIMAGELIST List, Integer& Cx, Integer& Cy) {
    auto l = ImageList_Find(List);
    if (!l) return false;
    Cx = l->Cx, Cy = l->Cy;
    return true;
}

bool ImageList_SetIconSize(HIMAGELIST List, Integer Cx, Integer Cy) {
    auto l = ImageList_Find(List);
    if (!l || Cx <= 0 || Cy <= 0 || Cx > 0x7FFF || Cy > 0x7FFF) return false;
    l->Cx = Cx, l->Cy = Cy, l->Count = 0, l->Capacity = 0;
    l->Image = std::make_shared<TPixelSurface>(0, 0);
    if (l->Mask) l->Mask = std::make_shared<TPixelSurface>(0, 0);
    ForgetHandles(*l);
    l->Reserve(l->Grow);
    return true;
}

TColorRef ImageList_GetBkColor(HIMAGELIST List) {
    auto l = ImageList_Find(List);
    return l ? l->BkColor : CLR_NONE;
}

TColorRef ImageList_SetBkColor(HIMAGELIST List, TColorRef Color) {
    auto l = ImageList_Find(List);
    if (!l) return CLR_NONE;
    return std::exchange(l->BkColor, Color);
}

Integer ImageList_Add(HIMAGELIST List, HBITMAP Bitmap, HBITMAP Mask) {
    auto l = ImageList_Find(List);
    auto image = BitmapSurface(Bitmap);
    if (!l || !image) return -1;
    Integer first = l->Count;
    Integer n = PutImages(*l, first, 0x7FFF, *image, MaskRule(BitmapSurface(Mask)));
    l->Count += n;
    return n ? first : -1;
}

Integer ImageList_AddMasked(HIMAGELIST List, HBITMAP Bitmap, TColorRef MaskColor) {
    auto l = ImageList_Find(List);
    auto image = BitmapSurface(Bitmap);
    if (!l || !image) return -1;
    if (MaskColor == CLR_DEFAULT && image->Contains(0, 0)) MaskColor = image->Get(0, 0);
    bool masked = l->Mask != nullptr && MaskColor != CLR_NONE;
    Integer first = l->Count;
    Integer n = PutImages(*l, first, 0x7FFF, *image, [&](Integer, Integer, TColorRef C) {
        return masked && C == MaskColor;
    }, true);
    l->Count += n;
    return n ? first : -1;
}

bool ImageList_Replace(HIMAGELIST List, Integer Index, HBITMAP Bitmap, HBITMAP Mask) {
    auto l = ImageList_Find(List);
    auto image = BitmapSurface(Bitmap);
    if (!l || !l->Valid(Index) || !image) return false;
    return PutImages(*l, Index, 1, *image, MaskRule(BitmapSurface(Mask))) == 1;
}

Integer ImageList_ReplaceIcon(HIMAGELIST List, Integer Index, HICON Icon) {
    auto l = ImageList_Find(List);
    auto icon = GdiFind<TGdiIcon>(Icon, OBJ_ICON);
    if (!l || !icon || (Index != -1 && !l->Valid(Index))) return -1;
    Integer w = icon->Colors.Width(), h = icon->Colors.Height();
    if (w <= 0 || h <= 0) return -1;
    if (Index == -1) {
        l->Reserve(l->Count + 1);
        Index = l->Count++;
    }
    TPoint o = l->Origin(Index);
    for (Integer y = 0; y < l->Cy; ++y)
        for (Integer x = 0; x < l->Cx; ++x) {
            Integer sx = x * w / l->Cx, sy = y * h / l->Cy; // scaled to the list's size
            bool clear = icon->Mask[std::size_t(sy) * std::size_t(w) + std::size_t(sx)];
            // An icon's transparent pixels are black in its colours; without a mask of its
            // own the list shows them on its background colour.
            TColorRef c = clear ? (l->Mask || l->BkColor == CLR_NONE ? Black : l->BkColor)
                                : icon->Colors.Get(sx, sy);
            l->Image->Set(o.X + x, o.Y + y, c);
            if (l->Mask) l->Mask->Set(o.X + x, o.Y + y, clear ? White : Black);
        }
    return Index;
}

bool ImageList_Remove(HIMAGELIST List, Integer Index) {
    auto l = ImageList_Find(List);
    if (!l) return false;
    if (Index == -1) {
        l->Count = 0;
        return true;
    }
    if (!l->Valid(Index)) return false;
    for (Integer i = Index; i + 1 < l->Count; ++i) l->CopyImage(i, *l, i + 1);
    --l->Count;
    return true;
}

bool ImageList_Move(HIMAGELIST List, Integer From, Integer To) {
    auto l = ImageList_Find(List);
    if (!l || !l->Valid(From) || !l->Valid(To)) return false;
    if (From == To) return true;
    // The moving image waits in a spare slot past the end while the others shift.
    l->Reserve(l->Count + 1);
    Integer spare = l->Count;
    l->CopyImage(spare, *l, From);
    if (From < To)
        for (Integer i = From; i < To; ++i) l->CopyImage(i, *l, i + 1);
    else
        for (Integer i = From; i > To; --i) l->CopyImage(i, *l, i - 1);
    l->CopyImage(To, *l, spare);
    return true;
}

bool ImageList_SetOverlayImage(HIMAGELIST List, Integer Index, Integer Overlay) {
    auto l = ImageList_Find(List);
    if (!l || Overlay < 1 || Overlay > 4 || !l->Valid(Index)) return false;
    l->Overlays[std::size_t(Overlay - 1)] = Index;
    return true;
}

bool ImageList_GetImageInfo(HIMAGELIST List, Integer Index, TImageInfo& Info) {
    auto l = ImageList_Find(List);
    if (!l || !l->Valid(Index)) return false;
    if (!l->ImageHandle) l->ImageHandle = GdiAddObject(std::make_shared<TGdiBitmap>(l->Image));
    if (l->Mask && !l->MaskHandle)
        l->MaskHandle = GdiAddObject(std::make_shared<TGdiBitmap>(l->Mask));
    TPoint o = l->Origin(Index);
    Info = {l->ImageHandle, l->MaskHandle, {o.X, o.Y, o.X + l->Cx, o.Y + l->Cy}};
    return true;
}

HICON ImageList_GetIcon(HIMAGELIST List, Integer Index, Cardinal) {
    auto l = ImageList_Find(List);
    if (!l || !l->Valid(Index)) return 0;
    auto icon = std::make_shared<TGdiIcon>();
    icon->Colors.Resize(l->Cx, l->Cy, Black);
    icon->Mask.assign(std::size_t(l->Cx) * std::size_t(l->Cy), false);
    TPoint o = l->Origin(Index);
    for (Integer y = 0; y < l->Cy; ++y)
        for (Integer x = 0; x < l->Cx; ++x) {
            bool clear = !l->Opaque(Index, x, y);
            icon->Colors.Set(x, y, clear ? Black : l->Image->Get(o.X + x, o.Y + y));
            icon->Mask[std::size_t(y) * std::size_t(l->Cx) + std::size_t(x)] = clear;
        }
    return GdiAddObject(std::move(icon));
}

HIMAGELIST ImageList_Duplicate(HIMAGELIST List) {
    auto l = ImageList_Find(List);
    if (!l) return 0;
    auto copy = std::make_shared<TImageListObject>(l->Cx, l->Cy, l->Flags, l->Grow);
    copy->Count = l->Count, copy->Capacity = l->Capacity, copy->BkColor = l->BkColor;
    copy->Overlays = l->Overlays;
    copy->Image = std::make_shared<TPixelSurface>(*l->Image);
    if (l->Mask) copy->Mask = std::make_shared<TPixelSurface>(*l->Mask);
    return GdiAddObject(std::move(copy));
}

bool ImageList_Pixel(const TImageListObject& L, Integer Index, Integer X, Integer Y,
                     TColorRef Bk, TColorRef Fg, Cardinal Style, TColorRef& Color) {
    if (!L.Valid(Index) || X < 0 || Y < 0 || X >= L.Cx || Y >= L.Cy) return false;
    if (Style & ILD_MASK) {
        Color = L.Opaque(Index, X, Y) ? Black : White;
        return true;
    }
    Integer overlay = Integer((Style & ILD_OVERLAYMASK) >> 8);
    if (overlay >= 1 && overlay <= 4) {
        Integer o = L.Overlays[std::size_t(overlay - 1)];
        if (L.Valid(o) && L.Opaque(o, X, Y)) {
            TPoint p = L.Origin(o);
            Color = L.Image->Get(p.X + X, p.Y + Y);
            return true;
        }
    }
    if (!L.Opaque(Index, X, Y)) {
        if (Bk == CLR_DEFAULT) Bk = L.BkColor;
        if ((Style & ILD_TRANSPARENT) || Bk == CLR_NONE) return false;
        Color = Bk;
        return true;
    }
    TPoint p = L.Origin(Index);
    TColorRef c = L.Image->Get(p.X + X, p.Y + Y);
    if (Style & (ILD_BLEND25 | ILD_BLEND50)) {
        TColorRef with = Fg == CLR_DEFAULT ? ColorToRGB(clHighlight) : Fg == CLR_NONE ? Color : Fg;
        c = Mix(c, with, (Style & ILD_BLEND50) ? 50 : 25);
    }
    Color = c;
    return true;
}

} // namespace host
