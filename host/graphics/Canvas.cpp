#include "host/graphics/Canvas.h"

#include "host/classes/TypInfoRows.h"
#include "host/graphics/Bitmap.h"
#include "host/graphics/CanvasRecorder.h"
#include "host/graphics/Graphic.h"
#include "host/graphics/Raster.h"
#include "host/graphics/Text.h"

#include <algorithm>

namespace host {

TCanvas::TCanvas() : FPen(new TPen), FBrush(new TBrush), FFont(new TFont) {
    for (TGraphicsObject* o :
         {static_cast<TGraphicsObject*>(FPen), static_cast<TGraphicsObject*>(FBrush),
          static_cast<TGraphicsObject*>(FFont)})
        o->SetOwnerCriticalSection(&FLock);
}

TCanvas::~TCanvas() {
    FFont->Free();
    FBrush->Free();
    FPen->Free();
}

void TCanvas::Changing() {
    if (FOnChanging) FOnChanging(this);
}

void TCanvas::Changed() {
    if (FOnChange) FOnChange(this);
}

void TCanvas::CreateHandle() {}

HDC TCanvas::GetHandle() {
    // The context found last stands while it is in the table: no look-up on every drawing.
    if (FDC && FDC->InTable) return FHandle;
    FDC = FHandle ? FindDC(FHandle) : nullptr;
    if (!FDC) {
        FHandle = 0;
        CreateHandle();
        FDC = FHandle ? FindDC(FHandle) : nullptr;
        if (!FDC) throw EInvalidOperation("Canvas does not allow drawing");
    }
    return FHandle;
}

void TCanvas::SetHandle(HDC Value) {
    FHandle = Value;
    FDC.reset();
}

std::shared_ptr<TGdiDC> TCanvas::DC() {
    GetHandle();
    RequiredState();
    if (!FDC) GetHandle(); // RequiredState gave the canvas another context
    return FDC;
}

template <class F>
void TCanvas::Paint(F&& Painter, bool WithPen) {
    std::shared_ptr<TGdiDC> dc = DC();
    if (!dc->Surface) return;
    TRasterPen pen;
    if (WithPen) {
        pen.Color = ColorToRGB(FPen->GetColor());
        pen.Width = FPen->GetWidth();
        pen.Style = FPen->GetStyle();
        pen.Mode = FPen->GetMode();
    } else {
        pen.Style = psClear;
    }
    TRasterBrush brush{ColorToRGB(FBrush->GetColor()), FBrush->GetStyle(), nullptr};
    // A brush with a bitmap paints its pattern.
    if (FBrush->GetBitmap())
        if (auto b = GdiFind<TGdiBitmap>(FBrush->GetHandlePattern(), OBJ_BITMAP)) {
            brush.Pattern = b->Surface;
            brush.Style = bsSolid;
        }
    Changing();
    TRaster raster(*dc, pen, brush);
    Painter(raster, *dc);
    Changed();
}

template <class F>
bool TCanvas::Record(F&& Tell) {
    if (!FRecorder) return false;
    std::shared_ptr<TGdiDC> dc = DC();
    Changing();
    Tell(*FRecorder, *dc);
    Changed();
    return true;
}

TRect TCanvas::GetClipRect() {
    TRect r;
    DC();
    GetClipBox(FHandle, &r);
    return r;
}

TPoint TCanvas::GetPenPos() {
    return DC()->Pos;
}

void TCanvas::SetPenPos(TPoint Value) {
    MoveTo(Value.X, Value.Y);
}

TColor TCanvas::GetPixels(Integer X, Integer Y) {
    std::shared_ptr<TGdiDC> dc = DC();
    TRect b = dc->Bounds();
    if (X < b.Left || Y < b.Top || X >= b.Right || Y >= b.Bottom)
        return static_cast<Integer>(CLR_INVALID);
    return static_cast<Integer>(dc->Surface->Get(X, Y));
}

void TCanvas::SetPixels(Integer X, Integer Y, TColor Value) {
    if (Record([&](TCanvasRecorder& R, TGdiDC&) { R.SetPixel(*this, X, Y, ColorToRGB(Value)); }))
        return;
    // A pixel is set as it is: no pen mode applies.
    Paint([&](TRaster& R, TGdiDC&) { R.Plot(X, Y, ColorToRGB(Value)); }, false);
}

void TCanvas::MoveTo(Integer X, Integer Y) {
    if (FRecorder) FRecorder->MoveTo(*this, X, Y);
    DC()->Pos = {X, Y};
}

void TCanvas::LineTo(Integer X, Integer Y) {
    if (Record([&](TCanvasRecorder& R, TGdiDC& D) {
            R.LineTo(*this, X, Y);
            D.Pos = {X, Y};
        }))
        return;
    Paint([&](TRaster& R, TGdiDC& D) {
        R.Line(D.Pos.X, D.Pos.Y, X, Y);
        D.Pos = {X, Y};
    });
}

void TCanvas::Rectangle(Integer X1, Integer Y1, Integer X2, Integer Y2) {
    const Integer p[] = {X1, Y1, X2, Y2};
    if (Record(
            [&](TCanvasRecorder& R, TGdiDC&) { R.Shape(*this, TCanvasRecorder::rsRectangle, p); }))
        return;
    Paint([&](TRaster& R, TGdiDC&) { R.Rectangle(X1, Y1, X2, Y2); });
}

void TCanvas::RoundRect(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3) {
    const Integer p[] = {X1, Y1, X2, Y2, X3, Y3};
    if (Record(
            [&](TCanvasRecorder& R, TGdiDC&) { R.Shape(*this, TCanvasRecorder::rsRoundRect, p); }))
        return;
    Paint([&](TRaster& R, TGdiDC&) { R.RoundRect(X1, Y1, X2, Y2, X3, Y3); });
}

void TCanvas::Ellipse(Integer X1, Integer Y1, Integer X2, Integer Y2) {
    const Integer p[] = {X1, Y1, X2, Y2};
    if (Record([&](TCanvasRecorder& R, TGdiDC&) { R.Shape(*this, TCanvasRecorder::rsEllipse, p); }))
        return;
    Paint([&](TRaster& R, TGdiDC&) { R.Ellipse(X1, Y1, X2, Y2); });
}

void TCanvas::Arc(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3,
                  Integer X4, Integer Y4) {
    const Integer p[] = {X1, Y1, X2, Y2, X3, Y3, X4, Y4};
    if (Record([&](TCanvasRecorder& R, TGdiDC&) { R.Shape(*this, TCanvasRecorder::rsArc, p); }))
        return;
    Paint([&](TRaster& R, TGdiDC&) { R.Arc(TRaster::akArc, X1, Y1, X2, Y2, X3, Y3, X4, Y4); });
}

void TCanvas::Chord(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3,
                    Integer X4, Integer Y4) {
    const Integer p[] = {X1, Y1, X2, Y2, X3, Y3, X4, Y4};
    if (Record([&](TCanvasRecorder& R, TGdiDC&) { R.Shape(*this, TCanvasRecorder::rsChord, p); }))
        return;
    Paint([&](TRaster& R, TGdiDC&) { R.Arc(TRaster::akChord, X1, Y1, X2, Y2, X3, Y3, X4, Y4); });
}

void TCanvas::Pie(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3,
                  Integer X4, Integer Y4) {
    const Integer p[] = {X1, Y1, X2, Y2, X3, Y3, X4, Y4};
    if (Record([&](TCanvasRecorder& R, TGdiDC&) { R.Shape(*this, TCanvasRecorder::rsPie, p); }))
        return;
    Paint([&](TRaster& R, TGdiDC&) { R.Arc(TRaster::akPie, X1, Y1, X2, Y2, X3, Y3, X4, Y4); });
}

void TCanvas::FillRect(const TRect& Rect) {
    if (Record([&](TCanvasRecorder& R, TGdiDC&) { R.Block(*this, TCanvasRecorder::rbFill, Rect); }))
        return;
    Paint([&](TRaster& R, TGdiDC&) { R.Fill(Rect); }, false);
}

void TCanvas::FrameRect(const TRect& Rect) {
    if (Record(
            [&](TCanvasRecorder& R, TGdiDC&) { R.Block(*this, TCanvasRecorder::rbFrame, Rect); }))
        return;
    Paint([&](TRaster& R, TGdiDC&) { R.FrameRect(Rect); }, false);
}

void TCanvas::DrawFocusRect(const TRect& Rect) {
    if (Record(
            [&](TCanvasRecorder& R, TGdiDC&) { R.Block(*this, TCanvasRecorder::rbFocus, Rect); }))
        return;
    Paint([&](TRaster& R, TGdiDC&) { R.FocusRect(Rect); }, false);
}

void TCanvas::FloodFill(Integer X, Integer Y, TColor Color, TFillStyle FillStyle) {
    if (Record([&](TCanvasRecorder& R, TGdiDC&) {
            R.FloodFill(*this, X, Y, ColorToRGB(Color), FillStyle == fsSurface);
        }))
        return;
    Paint(
        [&](TRaster& R, TGdiDC&) { R.FloodFill(X, Y, ColorToRGB(Color), FillStyle == fsSurface); },
        false);
}

namespace {
/// The raster operation of a copy mode on source, destination and pattern (the brush).
TColorRef CopyOp(TCopyMode Mode, TColorRef S, TColorRef D, TColorRef P) {
    constexpr TColorRef W = 0xFFFFFF;
    switch (Mode) {
    case cmBlackness: return 0;
    case cmWhiteness: return W;
    case cmDstInvert: return ~D & W;
    case cmMergeCopy: return S & P;
    case cmMergePaint: return (~S | D) & W;
    case cmNotSrcCopy: return ~S & W;
    case cmNotSrcErase: return ~(S | D) & W;
    case cmPatCopy: return P;
    case cmPatInvert: return (P ^ D) & W;
    case cmPatPaint: return (P | ~S | D) & W;
    case cmSrcAnd: return S & D;
    case cmSrcErase: return S & ~D & W;
    case cmSrcInvert: return (S ^ D) & W;
    case cmSrcPaint: return (S | D) & W;
    default: return S; // cmSrcCopy and modes this host does not know
    }
}
} // namespace

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source) {
    if (!Canvas) return;
    std::shared_ptr<TGdiDC> from = Canvas->DC();
    // The source is read whole before the destination is written: they may be one surface.
    Integer sw = Source.Right - Source.Left, sh = Source.Bottom - Source.Top;
    Integer dw = Dest.Right - Dest.Left, dh = Dest.Bottom - Dest.Top;
    if (!sw || !sh || !dw || !dh || !from->Surface) return;
    std::vector<TColorRef> src(std::size_t(std::abs(sw)) * std::size_t(std::abs(sh)));
    TPixelSurface& fs = *from->Surface;
    for (Integer y = 0; y < std::abs(sh); ++y)
        for (Integer x = 0; x < std::abs(sw); ++x) {
            Integer px = sw > 0 ? Source.Left + x : Source.Left - 1 - x;
            Integer py = sh > 0 ? Source.Top + y : Source.Top - 1 - y;
            src[std::size_t(y) * std::size_t(std::abs(sw)) + std::size_t(x)] =
                fs.Contains(px, py) ? fs.Get(px, py) : 0xFFFFFF;
        }
    std::size_t stride = std::size_t(std::abs(sw));
    if (Record([&](TCanvasRecorder& R, TGdiDC&) {
            R.Picture(*this, Dest, std::abs(sw), std::abs(sh),
                      [&](Integer X, Integer Y, TColorRef& C) {
                          C = src[std::size_t(Y) * stride + std::size_t(X)];
                          return true;
                      });
        }))
        return;
    TColorRef pattern = ColorToRGB(FBrush->GetColor());
    Paint(
        [&](TRaster& R, TGdiDC& D) {
            TPixelSurface& ds = *D.Surface;
            const TRect& b = R.Bounds();
            Integer adw = std::abs(dw), adh = std::abs(dh);
            for (Integer y = 0; y < adh; ++y)
                for (Integer x = 0; x < adw; ++x) {
                    // A negative extent mirrors the copy.
                    Integer tx = dw > 0 ? Dest.Left + x : Dest.Left - 1 - x;
                    Integer ty = dh > 0 ? Dest.Top + y : Dest.Top - 1 - y;
                    if (tx < b.Left || ty < b.Top || tx >= b.Right || ty >= b.Bottom) continue;
                    Integer sx =
                        static_cast<Integer>(static_cast<long long>(x) * std::abs(sw) / adw);
                    Integer sy =
                        static_cast<Integer>(static_cast<long long>(y) * std::abs(sh) / adh);
                    TColorRef s =
                        src[std::size_t(sy) * std::size_t(std::abs(sw)) + std::size_t(sx)];
                    ds.Set(tx, ty, CopyOp(FCopyMode, s, ds.Get(tx, ty), pattern));
                }
        },
        false);
}

void TCanvas::TextOut(Integer X, Integer Y, const AnsiString& Text) {
    if (Record([&](TCanvasRecorder& R, TGdiDC& D) {
            R.Text(*this, X, Y, Text, nullptr);
            D.Pos = {X + TextExtent(Text).cx, Y};
        }))
        return;
    Paint(
        [&](TRaster&, TGdiDC& D) {
            TColorRef back = ColorToRGB(FBrush->GetColor());
            bool opaque = FBrush->GetStyle() != bsClear;
            TSize e = DrawTextOn(D, FFont->LogFont(), ColorToRGB(FFont->GetColor()),
                                 opaque ? &back : nullptr, X, Y, Text, nullptr);
            D.Pos = {X + e.cx, Y};
        },
        false);
}

void TCanvas::TextRect(const TRect& Rect, Integer X, Integer Y, const AnsiString& Text) {
    if (Record([&](TCanvasRecorder& R, TGdiDC&) { R.Text(*this, X, Y, Text, &Rect); })) return;
    Paint(
        [&](TRaster& R, TGdiDC& D) {
            if (FBrush->GetStyle() != bsClear) R.Fill(Rect);
            DrawTextOn(D, FFont->LogFont(), ColorToRGB(FFont->GetColor()), nullptr, X, Y, Text,
                       &Rect);
        },
        false);
}

TSize TCanvas::TextExtent(const AnsiString& Text) {
    return GetTextExtent(FFont->LogFont(), Text);
}

void TCanvas::BrushCopy(const TRect& Dest, TBitmap* Bitmap, const TRect& Source, TColor Color) {
    if (!Bitmap || Bitmap->GetEmpty()) return;
    TColorRef key = ColorToRGB(Color), brush = ColorToRGB(FBrush->GetColor());
    Integer sw = std::abs(Source.Right - Source.Left), sh = std::abs(Source.Bottom - Source.Top);
    Integer sx = std::min(Source.Left, Source.Right), sy = std::min(Source.Top, Source.Bottom);
    TCopyMode mode = FCopyMode;
    FCopyMode = cmSrcCopy;
    try {
        PaintPicture(Dest, sw, sh, [&](Integer X, Integer Y, TColorRef& C) {
            C = Bitmap->ColorAt(sx + X, sy + Y);
            if (C == CLR_INVALID) return false; // outside the bitmap
            if (C == key) C = brush;
            return true;
        });
    } catch (...) {
        FCopyMode = mode;
        throw;
    }
    FCopyMode = mode;
}

void TCanvas::Draw(Integer X, Integer Y, TGraphic* Graphic) {
    if (!Graphic || Graphic->GetEmpty()) return;
    Graphic->Draw(this, {X, Y, X + Graphic->GetWidth(), Y + Graphic->GetHeight()});
}

void TCanvas::StretchDraw(const TRect& Rect, TGraphic* Graphic) {
    if (Graphic && !Graphic->GetEmpty()) Graphic->Draw(this, Rect);
}

void TCanvas::PaintPicture(const TRect& Dest, Integer Width, Integer Height,
                           const TPictureSource& Source) {
    if (Width <= 0 || Height <= 0) return;
    if (Record([&](TCanvasRecorder& R, TGdiDC&) { R.Picture(*this, Dest, Width, Height, Source); }))
        return;
    TColorRef pattern = ColorToRGB(FBrush->GetColor());
    Paint(
        [&](TRaster& R, TGdiDC& D) {
            TPixelSurface& ds = *D.Surface;
            const TRect& b = R.Bounds();
            long long dw = (long long)Dest.Right - Dest.Left,
                      dh = (long long)Dest.Bottom - Dest.Top;
            long long adw = std::abs(dw), adh = std::abs(dh);
            // Only the part within the bounds is visited: a picture may be stretched far past
            // them.
            auto range = [](long long D, long long From, long long Lo, long long Hi, long long N) {
                long long a = D > 0 ? Lo - From : From - Hi, b = D > 0 ? Hi - From : From - Lo;
                return std::pair{std::max(a, 0ll), std::min(b, N)};
            };
            auto [x0, x1] = range(dw, Dest.Left, b.Left, b.Right, adw);
            auto [y0, y1] = range(dh, Dest.Top, b.Top, b.Bottom, adh);
            for (long long y = y0; y < y1; ++y)
                for (long long x = x0; x < x1; ++x) {
                    Integer tx = dw > 0 ? Dest.Left + x : Dest.Left - 1 - x;
                    Integer ty = dh > 0 ? Dest.Top + y : Dest.Top - 1 - y;
                    if (tx < b.Left || ty < b.Top || tx >= b.Right || ty >= b.Bottom) continue;
                    TColorRef s = ds.Get(tx, ty); // what is beneath, for pictures that blend
                    if (!Source(static_cast<Integer>(x * Width / adw),
                                static_cast<Integer>(y * Height / adh), s))
                        continue;
                    ds.Set(tx, ty, CopyOp(FCopyMode, s, ds.Get(tx, ty), pattern));
                }
        },
        false);
}

void TCanvas::Lock() {
    EnterCriticalSection(FLock);
    ++FLockCount;
}

bool TCanvas::TryLock() {
    if (!TryEnterCriticalSection(FLock)) return false;
    ++FLockCount;
    return true;
}

void TCanvas::Unlock() {
    if (FLockCount <= 0) return; // not locked by anyone: nothing to leave
    --FLockCount;
    LeaveCriticalSection(FLock);
}

void TCanvas::Refresh() {
    // The pen, brush and font are read at each drawing: nothing is selected to let go of.
}

namespace {
constexpr TPropInfo CanvasProps[] = {
    HOST_PROP(TCanvas, Brush),
    HOST_PROP(TCanvas, CopyMode).Default(cmSrcCopy),
    HOST_PROP(TCanvas, Font),
    HOST_PROP(TCanvas, Pen),
};
} // namespace

HOST_METACLASS(TCanvas, TPersistent, PropTable(CanvasProps));

} // namespace host
