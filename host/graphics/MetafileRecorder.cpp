#include "host/graphics/MetafileRecorder.h"
#include "host/graphics/Raster.h"

#include "host/graphics/Text.h"

#include <algorithm>
#include <cstring>

namespace host {

using emf::TBytes;

namespace {
/// The raster operation (R2_*) of each pen mode, in the order of TPenMode.
constexpr Integer Rop2Of[] = {1, 16, 11, 6, 13, 4, 14, 5, 12, 3, 15, 2, 9, 8, 7, 10};

bool SameFont(const TLogFont& A, const TLogFont& B) {
    return std::memcmp(&A, &B, sizeof A) == 0;
}
} // namespace

std::size_t TEmfRecorder::Begin(Cardinal Type) {
    std::size_t at = FOut.B.size();
    FOut.Put(Type);
    FOut.Put<Cardinal>(0);
    return at;
}

void TEmfRecorder::End(std::size_t At) {
    FOut.Pad4();
    FOut.Set(At + 4, Cardinal(FOut.B.size() - At));
    ++FCount;
}

void TEmfRecorder::Simple(Cardinal Type, std::initializer_list<Integer> Values) {
    std::size_t at = Begin(Type);
    for (Integer v : Values) FOut.Put(v);
    End(at);
}

Cardinal TEmfRecorder::NewObject() {
    auto free = std::find(FUsed.begin() + 1, FUsed.end(), false);
    Cardinal ih = Cardinal(free - FUsed.begin());
    if (free == FUsed.end())
        FUsed.push_back(true);
    else
        *free = true;
    return ih;
}

void TEmfRecorder::Replace(Cardinal& Current, Cardinal Made) {
    Simple(emf::EMR_SELECTOBJECT, {Integer(Made)});
    if (Current) {
        Simple(emf::EMR_DELETEOBJECT, {Integer(Current)});
        FUsed[Current] = false;
    }
    Current = Made;
}

void TEmfRecorder::UsePen(TCanvas& C) {
    TPen& p = *C.GetPen();
    TLogPen l{Cardinal(p.GetStyle()), {p.GetWidth(), 0}, ColorToRGB(p.GetColor())};
    if (!FPen || l.lopnStyle != FPenLog.lopnStyle || l.lopnWidth.X != FPenLog.lopnWidth.X ||
        l.lopnColor != FPenLog.lopnColor) {
        Cardinal ih = NewObject();
        std::size_t at = Begin(emf::EMR_CREATEPEN);
        FOut.Put(ih), FOut.Put(l.lopnStyle), FOut.Put<Integer>(l.lopnWidth.X);
        FOut.Put<Integer>(0), FOut.Put(l.lopnColor);
        End(at);
        Replace(FPen, ih);
        FPenLog = l;
    }
    Integer rop2 = Rop2Of[std::clamp<Integer>(p.GetMode(), pmBlack, pmNotXor)];
    if (rop2 != FRop2) Simple(emf::EMR_SETROP2, {FRop2 = rop2});
}

void TEmfRecorder::UseBrush(TCanvas& C) {
    TBrush& b = *C.GetBrush();
    if (b.GetBitmap())
        if (auto p = GdiFind<TGdiBitmap>(b.GetHandlePattern(), OBJ_BITMAP))
            return UsePattern(*p->Surface);
    TLogBrush l{BS_SOLID, ColorToRGB(b.GetColor()), 0};
    if (b.GetStyle() == bsClear)
        l = {BS_NULL, 0, 0};
    else if (b.GetStyle() >= bsHorizontal && !b.GetBitmap())
        l.lbStyle = BS_HATCHED, l.lbHatch = std::uintptr_t(b.GetStyle() - bsHorizontal);
    if (!FBrush || l.lbStyle != FBrushLog.lbStyle || l.lbColor != FBrushLog.lbColor ||
        l.lbHatch != FBrushLog.lbHatch) {
        Cardinal ih = NewObject();
        std::size_t at = Begin(emf::EMR_CREATEBRUSHINDIRECT);
        FOut.Put(ih), FOut.Put(l.lbStyle), FOut.Put(l.lbColor), FOut.Put(Cardinal(l.lbHatch));
        End(at);
        Replace(FBrush, ih);
        FBrushLog = l;
    }
}

void TEmfRecorder::UsePattern(const TPixelSurface& S) {
    Integer w = S.Width(), h = S.Height();
    std::vector<TColorRef> pixels;
    pixels.reserve(std::size_t(w) * std::size_t(h));
    for (Integer y = 0; y < h; ++y)
        for (Integer x = 0; x < w; ++x) pixels.push_back(S.Get(x, y));
    if (FBrush && FBrushLog.lbStyle == BS_PATTERN && w == FPatternWidth && pixels == FPattern)
        return;
    Cardinal ih = NewObject();
    Cardinal bits = Cardinal(pixels.size()) * 4;
    std::size_t at = Begin(emf::EMR_CREATEDIBPATTERNBRUSHPT);
    FOut.Put(ih), FOut.Put<Cardinal>(0); // DIB_RGB_COLORS
    FOut.Put<Cardinal>(32), FOut.Put<Cardinal>(40), FOut.Put<Cardinal>(72), FOut.Put(bits);
    PutDib(w, h, [&](std::size_t I) { return pixels[I]; });
    End(at);
    Replace(FBrush, ih);
    FBrushLog = {BS_PATTERN, 0, 0};
    FPattern = std::move(pixels);
    FPatternWidth = w;
}

void TEmfRecorder::PutDib(Integer Width, Integer Height,
                          const std::function<TColorRef(std::size_t)>& Pixel) {
    // A 32-bit bitmap's header, then its rows bottom-up.
    FOut.Put<Cardinal>(40), FOut.Put(Width), FOut.Put(Height), FOut.Put<Word>(1);
    FOut.Put<Word>(32), FOut.Put<Cardinal>(0);
    FOut.Put(Cardinal(std::size_t(Width) * std::size_t(Height) * 4));
    for (int i = 0; i < 4; ++i) FOut.Put<Cardinal>(0);
    for (Integer y = Height - 1; y >= 0; --y)
        for (Integer x = 0; x < Width; ++x) {
            TColorRef c = Pixel(std::size_t(y) * std::size_t(Width) + std::size_t(x));
            FOut.Put(Byte(GetBValue(c))), FOut.Put(Byte(GetGValue(c)));
            FOut.Put(Byte(GetRValue(c))), FOut.Put(Byte(0));
        }
}

void TEmfRecorder::UseFont(TCanvas& C) {
    TFont& f = *C.GetFont();
    TLogFont l = f.LogFont();
    if (!FFont || !SameFont(l, FFontLog)) {
        Cardinal ih = NewObject();
        std::size_t at = Begin(emf::EMR_EXTCREATEFONTINDIRECTW);
        FOut.Put(ih);
        for (Integer v : {l.lfHeight, l.lfWidth, l.lfEscapement, l.lfOrientation, l.lfWeight})
            FOut.Put(v);
        for (Byte v : {l.lfItalic, l.lfUnderline, l.lfStrikeOut, l.lfCharSet, l.lfOutPrecision,
                       l.lfClipPrecision, l.lfQuality, l.lfPitchAndFamily})
            FOut.Put(v);
        for (int i = 0; i < LF_FACESIZE; ++i)
            FOut.Put<Word>(Byte(l.lfFaceName[i])); // Latin-1 is the first 256 of UTF-16
        End(at);
        Replace(FFont, ih);
        FFontLog = l;
    }
    TColorRef text = ColorToRGB(f.GetColor());
    if (text != FTextColor) Simple(emf::EMR_SETTEXTCOLOR, {Integer(FTextColor = text)});
}

void TEmfRecorder::UseBackground(Cardinal Mode, TColorRef Color) {
    if (Mode != FBkMode) Simple(emf::EMR_SETBKMODE, {Integer(FBkMode = Mode)});
    if (Mode == emf::OPAQUE && Color != FBkColor)
        Simple(emf::EMR_SETBKCOLOR, {Integer(FBkColor = Color)});
}

void TEmfRecorder::Touch(Integer L, Integer T, Integer R, Integer B) {
    if (L > R) std::swap(L, R);
    if (T > B) std::swap(T, B);
    if (R <= L || B <= T) return;
    if (!FHasBounds) {
        FBounds = {L, T, R, B};
        FHasBounds = true;
        return;
    }
    FBounds = {std::min(FBounds.Left, L), std::min(FBounds.Top, T), std::max(FBounds.Right, R),
               std::max(FBounds.Bottom, B)};
}

void TEmfRecorder::MoveTo(TCanvas&, Integer X, Integer Y) {
    Simple(emf::EMR_MOVETOEX, {X, Y});
}

void TEmfRecorder::LineTo(TCanvas& C, Integer X, Integer Y) {
    UsePen(C);
    TPoint from = C.GetPenPos();
    Integer w = std::max<Integer>(C.GetPen()->GetWidth(), 1);
    Touch(std::min(from.X, X) - w / 2, std::min(from.Y, Y) - w / 2, std::max(from.X, X) + w / 2 + 1,
          std::max(from.Y, Y) + w / 2 + 1);
    Simple(emf::EMR_LINETO, {X, Y});
}

void TEmfRecorder::Shape(TCanvas& C, TShape Kind, const Integer* P) {
    UsePen(C);
    UseBrush(C);
    static constexpr Cardinal Types[] = {emf::EMR_RECTANGLE, emf::EMR_ELLIPSE, emf::EMR_ROUNDRECT,
                                         emf::EMR_ARC,       emf::EMR_CHORD,   emf::EMR_PIE};
    int count = Kind == rsRectangle || Kind == rsEllipse ? 4 : Kind == rsRoundRect ? 6 : 8;
    std::size_t at = Begin(Types[Kind]);
    for (int i = 0; i < count; ++i) FOut.Put(P[i]);
    End(at);
    // The figure's pixels: without a pen one fewer on the right and at the bottom, a wide pen
    // reaches half its width beyond.
    bool pen = C.GetPen()->GetStyle() != psClear;
    Integer w = pen ? C.GetPen()->GetWidth() / 2 : 0, less = pen ? 0 : 1;
    Touch(std::min(P[0], P[2]) - w, std::min(P[1], P[3]) - w, std::max(P[0], P[2]) + w - less,
          std::max(P[1], P[3]) + w - less);
}

void TEmfRecorder::Blt(Cardinal Rop, const TRect& R) {
    // A transfer without a source bitmap: the brush or the destination alone.
    std::size_t at = Begin(emf::EMR_BITBLT);
    FOut.PutRect({R.Left, R.Top, R.Right - 1, R.Bottom - 1});
    FOut.Put(R.Left), FOut.Put(R.Top), FOut.Put(R.Right - R.Left), FOut.Put(R.Bottom - R.Top);
    FOut.Put(Rop), FOut.Put<Integer>(0), FOut.Put<Integer>(0);
    for (float v : {1.f, 0.f, 0.f, 1.f, 0.f, 0.f}) FOut.Put(v);
    for (int i = 0; i < 6; ++i) FOut.Put<Cardinal>(0); // background, usage, no bitmap
    End(at);
    Touch(R.Left, R.Top, R.Right, R.Bottom);
}

void TEmfRecorder::Block(TCanvas& C, TBlock Kind, const TRect& R) {
    TRect r = R;
    if (r.Left > r.Right) std::swap(r.Left, r.Right);
    if (r.Top > r.Bottom) std::swap(r.Top, r.Bottom);
    switch (Kind) {
    case rbFill:
        UseBrush(C);
        Blt(emf::PATCOPY, R);
        break;
    case rbFrame: {
        if (r.Right - r.Left < 1 || r.Bottom - r.Top < 1) return;
        UseBrush(C);
        std::size_t at = Begin(emf::EMR_FRAMERGN);
        FOut.PutRect({r.Left, r.Top, r.Right - 1, r.Bottom - 1});
        FOut.Put<Cardinal>(48), FOut.Put(FBrush), FOut.Put<Integer>(1), FOut.Put<Integer>(1);
        // The region: its header, then its one rectangle.
        FOut.Put<Cardinal>(32), FOut.Put<Cardinal>(1), FOut.Put<Cardinal>(1),
            FOut.Put<Cardinal>(16);
        FOut.PutRect(r), FOut.PutRect(r);
        End(at);
        Touch(r.Left, r.Top, r.Right, r.Bottom);
        break;
    }
    case rbFocus:
        // Every other pixel of the frame inverted, as the canvas draws it: one inversion each.
        if (r.Right - r.Left < 1 || r.Bottom - r.Top < 1) return;
        ForEachFocusDot(r, [&](Integer X, Integer Y) { Blt(emf::DSTINVERT, {X, Y, X + 1, Y + 1}); });
        break;
    }
}

void TEmfRecorder::FloodFill(TCanvas& C, Integer X, Integer Y, TColorRef Color, bool Surface) {
    UseBrush(C);
    Simple(emf::EMR_EXTFLOODFILL,
           {X, Y, Integer(Color & 0xFFFFFF),
            Integer(Surface ? emf::FLOODFILLSURFACE : emf::FLOODFILLBORDER)});
}

void TEmfRecorder::SetPixel(TCanvas&, Integer X, Integer Y, TColorRef Color) {
    Simple(emf::EMR_SETPIXELV, {X, Y, Integer(Color & 0xFFFFFF)});
    Touch(X, Y, X + 1, Y + 1);
}

void TEmfRecorder::Text(TCanvas& C, Integer X, Integer Y, const AnsiString& Text,
                        const TRect* Clip) {
    TBrush& brush = *C.GetBrush();
    if (Clip && brush.GetStyle() != bsClear) Block(C, rbFill, *Clip);
    UseFont(C);
    bool opaque = !Clip && brush.GetStyle() != bsClear;
    UseBackground(opaque ? emf::OPAQUE : emf::TRANSPARENT, ColorToRGB(brush.GetColor()));
    TLogFont font = C.GetFont()->LogFont();
    TSize e = GetTextExtent(font, Text);
    TRect cell{X, Y, X + e.cx, Y + e.cy};
    TRect bounds = cell;
    if (Clip)
        bounds = {std::max(cell.Left, Clip->Left), std::max(cell.Top, Clip->Top),
                  std::min(cell.Right, Clip->Right), std::min(cell.Bottom, Clip->Bottom)};
    Cardinal n = Cardinal(Text.size());
    std::size_t at = Begin(emf::EMR_EXTTEXTOUTW);
    FOut.PutRect({bounds.Left, bounds.Top, bounds.Right - 1, bounds.Bottom - 1});
    FOut.Put<Cardinal>(1); // GM_COMPATIBLE
    FOut.Put(0.f), FOut.Put(0.f);
    Cardinal offString = 76, offDx = offString + ((n * 2 + 3) & ~3u);
    FOut.Put(X), FOut.Put(Y), FOut.Put(n), FOut.Put(offString);
    FOut.Put<Cardinal>(Clip ? Cardinal(emf::ETO_CLIPPED) : 0u);
    FOut.PutRect(Clip ? *Clip : TRect{0, 0, -1, -1});
    FOut.Put(offDx);
    for (char c : Text) FOut.Put<Word>(Byte(c));
    FOut.Pad4();
    for (char c : Text) FOut.Put<Integer>(GetTextExtent(font, std::string_view(&c, 1)).cx);
    End(at);
    Touch(bounds.Left, bounds.Top, bounds.Right, bounds.Bottom);
}

void TEmfRecorder::Picture(TCanvas& C, const TRect& Dest, Integer Width, Integer Height,
                           const TPictureSource& Source) {
    std::vector<TColorRef> colors(std::size_t(Width) * std::size_t(Height));
    std::vector<bool> shown(colors.size());
    bool holes = false;
    for (Integer y = 0; y < Height; ++y)
        for (Integer x = 0; x < Width; ++x) {
            std::size_t i = std::size_t(y) * std::size_t(Width) + std::size_t(x);
            shown[i] = Source(x, y, colors[i]);
            holes |= !shown[i];
        }
    UseBrush(C); // pattern copy modes combine with it
    auto dib = [&](Cardinal Rop, auto&& Pixel) {
        Cardinal bits = Cardinal(colors.size()) * 4;
        std::size_t at = Begin(emf::EMR_STRETCHDIBITS);
        FOut.PutRect({Dest.Left, Dest.Top, Dest.Right - 1, Dest.Bottom - 1});
        FOut.Put(Dest.Left), FOut.Put(Dest.Top), FOut.Put<Integer>(0), FOut.Put<Integer>(0);
        FOut.Put(Width), FOut.Put(Height);
        FOut.Put<Cardinal>(80), FOut.Put<Cardinal>(40), FOut.Put<Cardinal>(120), FOut.Put(bits);
        FOut.Put<Cardinal>(0), FOut.Put(Rop);
        FOut.Put(Dest.Right - Dest.Left), FOut.Put(Dest.Bottom - Dest.Top);
        PutDib(Width, Height, Pixel);
        End(at);
    };
    Cardinal rop = Cardinal(C.GetCopyMode());
    if (!holes) {
        dib(rop, [&](std::size_t I) { return colors[I]; });
    } else {
        // What shows through: kept by a mask (white there), then the picture (black there)
        // painted over it.
        dib(emf::SRCAND, [&](std::size_t I) { return shown[I] ? 0 : RGB(255, 255, 255); });
        dib(emf::SRCPAINT, [&](std::size_t I) { return shown[I] ? colors[I] : 0; });
    }
    Touch(Dest.Left, Dest.Top, Dest.Right, Dest.Bottom);
}

std::vector<Byte> TEmfRecorder::Finish(const TRect* Frame,
                                       const std::u16string& Description) const {
    // The objects still selected are deleted before the end, as a closing context does.
    emf::TBytes tail;
    Cardinal count = FCount;
    for (Cardinal ih : {FPen, FBrush, FFont})
        if (ih) {
            tail.Put(emf::EMR_DELETEOBJECT), tail.Put<Cardinal>(12), tail.Put(ih);
            ++count;
        }
    std::vector<Byte> records = FOut.B;
    records.insert(records.end(), tail.B.begin(), tail.B.end());
    TRect bounds = FHasBounds ? FBounds : TRect{0, 0, 0, 0};
    TRect frame =
        Frame ? *Frame
              : TRect{emf::HundredthsMMOf(bounds.Left), emf::HundredthsMMOf(bounds.Top),
                      emf::HundredthsMMOf(bounds.Right), emf::HundredthsMMOf(bounds.Bottom)};
    return emf::Assemble(records, count, Word(std::min<std::size_t>(FUsed.size(), 0xFFFF)), bounds,
                         frame, Description);
}

} // namespace host
