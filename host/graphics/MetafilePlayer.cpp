// Playing enhanced-metafile records onto a canvas through the canvas's own drawing, so that a
// metafile played at its size gives the pixels of the drawing it recorded, and a metafile
// played onto a metafile's canvas is recorded again.
#include "host/graphics/Bitmap.h"
#include "host/graphics/Canvas.h"
#include "host/graphics/Graphic.h"
#include "host/graphics/MetafileFormat.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace host::emf {

namespace {

/// The pen mode of each raster operation R2_1 .. R2_16.
constexpr TPenMode ModeOfRop2[] = {pmBlack,      pmNotMerge,    pmMaskNotPen, pmNotCopy,
                                   pmMaskPenNot, pmNot,         pmXor,        pmNotMask,
                                   pmMask,       pmNotXor,      pmNop,        pmMergeNotPen,
                                   pmCopy,       pmMergePenNot, pmMerge,      pmWhite};

struct TObjectSlot {
    enum { None, IsPen, IsBrush, IsFont } Kind = None;
    TLogPen Pen;
    TLogBrush Brush;
    TLogFont Font;
};

/// The canvas's tools as they were, put back when the play ends (also by an exception).
class TCanvasState {
public:
    explicit TCanvasState(TCanvas& C) : FCanvas(C), FMode(C.GetCopyMode()), FPos(C.GetPenPos()) {
        FPen->Assign(C.GetPen());
        FBrush->Assign(C.GetBrush());
        FFont->Assign(C.GetFont());
    }
    ~TCanvasState() {
        FCanvas.SetPen(FPen);
        FCanvas.SetBrush(FBrush);
        FCanvas.SetFont(FFont);
        FCanvas.SetCopyMode(FMode);
        FCanvas.MoveTo(FPos.X, FPos.Y);
        FPen->Free(), FBrush->Free(), FFont->Free();
    }
    TCanvasState(const TCanvasState&) = delete;
    TCanvasState& operator=(const TCanvasState&) = delete;

private:
    TCanvas& FCanvas;
    TPen* FPen = new TPen;
    TBrush* FBrush = new TBrush;
    TFont* FFont = new TFont;
    TCopyMode FMode;
    TPoint FPos;
};

/// A device-independent bitmap inside a record, read where it lies.
struct TDib {
    const Byte* Bits = nullptr;
    Integer Width = 0, Height = 0, BitCount = 0;
    bool TopDown = false;
    std::size_t Stride = 0;
    std::vector<TColorRef> Palette;

    bool Read(const TReader& R, Cardinal OffBmi, Cardinal CbBmi, Cardinal OffBits,
              Cardinal CbBits) {
        if (CbBmi < 40) return false;
        Cardinal size = R.Card(OffBmi);
        Width = R.Int(OffBmi + 4), Height = R.Int(OffBmi + 8);
        BitCount = R.Get<Word>(OffBmi + 14);
        Cardinal compression = R.Card(OffBmi + 16), used = R.Card(OffBmi + 32);
        if (size < 40 || size > CbBmi || compression != 0 || Width <= 0 || Height == 0 ||
            Height == INT32_MIN)
            return false;
        if (BitCount != 1 && BitCount != 4 && BitCount != 8 && BitCount != 24 && BitCount != 32)
            return false;
        TopDown = Height < 0;
        Height = std::abs(Height);
        if (BitCount <= 8) {
            Cardinal count = used && used <= (1u << BitCount) ? used : 1u << BitCount;
            count = std::min<Cardinal>(count, (CbBmi - size) / 4);
            for (Cardinal i = 0; i < count; ++i) {
                const Byte* q = R.At(OffBmi + size + i * 4, 4);
                Palette.push_back(RGB(q[2], q[1], q[0]));
            }
        }
        Stride = ((std::size_t(Width) * std::size_t(BitCount) + 31) / 32) * 4;
        if (Stride > CbBits / std::size_t(Height)) return false;
        Bits = R.At(OffBits, Stride * std::size_t(Height));
        return true;
    }
    TColorRef At(Integer X, Integer Y) const {
        const Byte* row = Bits + Stride * std::size_t(TopDown ? Y : Height - 1 - Y);
        auto pal = [&](std::size_t I) { return I < Palette.size() ? Palette[I] : 0; };
        switch (BitCount) {
        case 1: return pal((row[X / 8] >> (7 - X % 8)) & 1);
        case 4: return pal((row[X / 2] >> (X % 2 ? 0 : 4)) & 15);
        case 8: return pal(row[X]);
        case 24: return RGB(row[3 * X + 2], row[3 * X + 1], row[3 * X]);
        default: return RGB(row[4 * X + 2], row[4 * X + 1], row[4 * X]);
        }
    }
};

constexpr Integer MaxPenWidth = 255;

class TPlayer {
public:
    TPlayer(TCanvas& C, const TRect& Dest, TPoint Origin, Integer Width, Integer Height,
            Word Handles)
        : FC(C), FDest(Dest), FOrigin(Origin), FWidth(Width), FHeight(Height),
          FObjects(std::max<Word>(Handles, 1)) {
        FScaleX = Width > 0 ? double(Dest.Right - Dest.Left) / Width : 1.0;
        FScaleY = Height > 0 ? double(Dest.Bottom - Dest.Top) / Height : 1.0;
        FBrush.lbColor = RGB(255, 255, 255);
        FFont.lfHeight = 16;
        std::strcpy(FFont.lfFaceName, "System");
    }

    ~TPlayer() {
        FC.GetBrush()->SetBitmap(nullptr); // before its patterns go
        for (TBitmap* b : FPatterns) b->Free();
    }
    TPlayer(const TPlayer&) = delete;
    TPlayer& operator=(const TPlayer&) = delete;

    void Record(Cardinal Type, const TReader& R);

private:
    Integer X(long long V) const { return Map(V - FOrigin.X, FScaleX, FDest.Left); }
    Integer Y(long long V) const { return Map(V - FOrigin.Y, FScaleY, FDest.Top); }
    /// Coordinates far beyond any surface are held at a million pixels out, where drawing
    /// still costs what a picture may.
    static Integer Map(long long V, double Scale, Integer Offset = 0) {
        double d = std::floor(double(V) * Scale + 0.5) + Offset;
        return Integer(std::clamp(d, -1048576.0, 1048576.0));
    }
    Integer SizeX(Integer V) const { return Map(V, FScaleX); }
    Integer SizeY(Integer V) const { return Map(V, FScaleY); }
    TRect Box(const TReader& R, std::size_t At) const {
        TRect b = R.Rect(At);
        return {X(b.Left), Y(b.Top), X(b.Right), Y(b.Bottom)};
    }

    void ApplyPen() {
        TPen& p = *FC.GetPen();
        p.SetStyle(FPen.lopnStyle <= PS_ALTERNATE ? TPenStyle(FPen.lopnStyle) : psSolid);
        Integer w = FPen.lopnWidth.X;
        // A pen paints its width squared at every pixel: wider than 255 is not a pen of a
        // picture.
        p.SetWidth(w <= 1 ? w
                          : std::clamp<Integer>(Map(w, (FScaleX + FScaleY) / 2), 1, MaxPenWidth));
        p.SetColor(TColor(FPen.lopnColor & 0xFFFFFF));
        p.SetMode(FRop2 >= 1 && FRop2 <= 16 ? ModeOfRop2[FRop2 - 1] : pmCopy);
    }
    void ApplyBrush(const TLogBrush& L) {
        TBrush& b = *FC.GetBrush();
        b.SetBitmap(nullptr);
        b.SetColor(TColor(L.lbColor & 0xFFFFFF));
        if (L.lbStyle == BS_PATTERN && L.lbHatch < FPatterns.size())
            b.SetBitmap(FPatterns[L.lbHatch]);
        else if (L.lbStyle == BS_NULL)
            b.SetStyle(bsClear);
        else if (L.lbStyle == BS_HATCHED && L.lbHatch <= HS_DIAGCROSS)
            b.SetStyle(TBrushStyle(bsHorizontal + L.lbHatch));
        else
            b.SetStyle(bsSolid);
    }
    void ApplyFont() {
        TLogFont l = FFont;
        l.lfHeight = SizeY(l.lfHeight);
        l.lfWidth = SizeX(l.lfWidth);
        FC.GetFont()->SetHandle(CreateFontIndirect(l));
        FC.GetFont()->SetColor(TColor(FTextColor & 0xFFFFFF));
    }
    TObjectSlot* Slot(Cardinal Ih) { return Ih < FObjects.size() ? &FObjects[Ih] : nullptr; }
    void Select(Cardinal Ih);
    void Blt(const TReader& R, const TRect& Dest, Cardinal Rop, Integer XSrc, Integer YSrc,
             Integer CxSrc, Integer CySrc, Cardinal OffBmi, Cardinal CbBmi, Cardinal OffBits,
             Cardinal CbBits);
    void Text(const TReader& R);

    TCanvas& FC;
    TRect FDest;
    TPoint FOrigin;
    Integer FWidth, FHeight;
    double FScaleX, FScaleY;
    std::vector<TObjectSlot> FObjects;
    std::vector<TBitmap*> FPatterns; // of the pattern brushes, by their number in lbHatch
    TLogPen FPen;
    TLogBrush FBrush;
    TLogFont FFont;
    Integer FRop2 = 13;
    Cardinal FBkMode = OPAQUE;
    TColorRef FBkColor = RGB(255, 255, 255), FTextColor = 0;
};

void TPlayer::Select(Cardinal Ih) {
    if (Ih & StockObject) {
        TLogPen pen;
        TLogBrush brush;
        TLogFont font;
        HGDIOBJ h = GetStockObject(Integer(Ih & ~StockObject));
        switch (GetObjectType(h)) {
        case OBJ_PEN: GetObject(h, sizeof pen, &pen), FPen = pen; break;
        case OBJ_BRUSH: GetObject(h, sizeof brush, &brush), FBrush = brush; break;
        case OBJ_FONT: GetObject(h, sizeof font, &font), FFont = font; break;
        default: break;
        }
        return;
    }
    TObjectSlot* s = Slot(Ih);
    if (!s) return;
    switch (s->Kind) {
    case TObjectSlot::IsPen: FPen = s->Pen; break;
    case TObjectSlot::IsBrush: FBrush = s->Brush; break;
    case TObjectSlot::IsFont: FFont = s->Font; break;
    default: break;
    }
}

void TPlayer::Blt(const TReader& R, const TRect& Dest, Cardinal Rop, Integer XSrc, Integer YSrc,
                  Integer CxSrc, Integer CySrc, Cardinal OffBmi, Cardinal CbBmi, Cardinal OffBits,
                  Cardinal CbBits) {
    ApplyBrush(FBrush);
    if (CbBmi == 0) {
        // No source: the brush, or the destination alone.
        if (Rop == PATCOPY) return FC.FillRect(Dest);
        FC.SetCopyMode(TCopyMode(Rop));
        FC.PaintPicture(Dest, 1, 1, [](Integer, Integer, TColorRef& C) {
            C = 0;
            return true;
        });
        return;
    }
    TDib dib;
    if (!dib.Read(R, OffBmi, CbBmi, OffBits, CbBits) || CxSrc <= 0 || CySrc <= 0) return;
    FC.SetCopyMode(TCopyMode(Rop));
    FC.PaintPicture(Dest, CxSrc, CySrc, [&](Integer PX, Integer PY, TColorRef& C) {
        long long x = (long long)XSrc + PX, y = (long long)YSrc + PY;
        if (x < 0 || y < 0 || x >= dib.Width || y >= dib.Height) return false;
        C = dib.At(Integer(x), Integer(y));
        return true;
    });
}

void TPlayer::Text(const TReader& R) {
    Integer x = R.Int(36), y = R.Int(40);
    Cardinal n = R.Card(44), off = R.Card(48), options = R.Card(52);
    TRect clip = Box(R, 56);
    if (n > R.Size()) return;
    const Byte* chars = R.At(off, std::size_t(n) * 2);
    AnsiString text;
    for (Cardinal i = 0; i < n; ++i) {
        Word c = filer_bytes::GetLE<Word>(chars + 2 * i);
        text += c < 256 ? char(c) : '?';
    }
    ApplyFont();
    if (options & ETO_OPAQUE) {
        ApplyBrush({BS_SOLID, FBkColor, 0});
        FC.FillRect(clip);
    }
    if (options & ETO_CLIPPED) {
        ApplyBrush({BS_NULL, 0, 0});
        FC.TextRect(clip, X(x), Y(y), text);
    } else {
        ApplyBrush(FBkMode == TRANSPARENT ? TLogBrush{BS_NULL, 0, 0}
                                          : TLogBrush{BS_SOLID, FBkColor, 0});
        FC.TextOut(X(x), Y(y), text);
    }
}

void TPlayer::Record(Cardinal Type, const TReader& R) {
    auto shape = [&] {
        ApplyPen();
        ApplyBrush(FBrush);
    };
    switch (Type) {
    case EMR_SETPIXELV:
        FC.SetPixels(X(R.Int(8)), Y(R.Int(12)), TColor(R.Card(16) & 0xFFFFFF));
        break;
    case EMR_SETBKMODE: FBkMode = R.Card(8); break;
    case EMR_SETROP2: FRop2 = R.Int(8); break;
    case EMR_SETTEXTCOLOR: FTextColor = R.Card(8); break;
    case EMR_SETBKCOLOR: FBkColor = R.Card(8); break;
    case EMR_MOVETOEX: FC.MoveTo(X(R.Int(8)), Y(R.Int(12))); break;
    case EMR_LINETO:
        ApplyPen();
        FC.LineTo(X(R.Int(8)), Y(R.Int(12)));
        break;
    case EMR_SELECTOBJECT: Select(R.Card(8)); break;
    case EMR_DELETEOBJECT:
        if (TObjectSlot* s = Slot(R.Card(8))) *s = {};
        break;
    case EMR_CREATEPEN:
        if (TObjectSlot* s = Slot(R.Card(8))) {
            s->Kind = TObjectSlot::IsPen;
            s->Pen = {R.Card(12), {R.Int(16), 0}, R.Card(24)};
        }
        break;
    case EMR_CREATEBRUSHINDIRECT:
        if (TObjectSlot* s = Slot(R.Card(8))) {
            s->Kind = TObjectSlot::IsBrush;
            s->Brush = {R.Card(12), R.Card(16), R.Card(20)};
        }
        break;
    case EMR_CREATEDIBPATTERNBRUSHPT:
        if (TObjectSlot* s = Slot(R.Card(8))) {
            TDib dib;
            if (!dib.Read(R, R.Card(16), R.Card(20), R.Card(24), R.Card(28))) break;
            // A brush's pattern is small; a bigger one is not a brush of a picture.
            if ((long long)dib.Width * dib.Height > (1 << 20)) break;
            auto pixels = std::make_shared<TPixelSurface>(dib.Width, dib.Height);
            for (Integer y = 0; y < dib.Height; ++y)
                for (Integer x = 0; x < dib.Width; ++x) pixels->Set(x, y, dib.At(x, y));
            auto* pattern = new TBitmap;
            FPatterns.push_back(pattern);
            pattern->SetHandle(GdiAddObject(std::make_shared<TGdiBitmap>(pixels)));
            s->Kind = TObjectSlot::IsBrush;
            s->Brush = {BS_PATTERN, 0, FPatterns.size() - 1};
        }
        break;
    case EMR_EXTCREATEFONTINDIRECTW:
        if (TObjectSlot* s = Slot(R.Card(8))) {
            TLogFont& f = s->Font;
            f = {};
            f.lfHeight = R.Int(12), f.lfWidth = R.Int(16), f.lfEscapement = R.Int(20);
            f.lfOrientation = R.Int(24), f.lfWeight = R.Int(28);
            const Byte* b = R.At(32, 8);
            f.lfItalic = b[0], f.lfUnderline = b[1], f.lfStrikeOut = b[2], f.lfCharSet = b[3];
            f.lfOutPrecision = b[4], f.lfClipPrecision = b[5], f.lfQuality = b[6];
            f.lfPitchAndFamily = b[7];
            for (int i = 0; i < LF_FACESIZE - 1; ++i) {
                Word c = R.Get<Word>(40 + 2 * i);
                if (!c) break;
                f.lfFaceName[i] = c < 256 ? char(c) : '?';
            }
            s->Kind = TObjectSlot::IsFont;
        }
        break;
    case EMR_RECTANGLE:
    case EMR_ELLIPSE: {
        TRect b = Box(R, 8);
        shape();
        if (Type == EMR_RECTANGLE)
            FC.Rectangle(b.Left, b.Top, b.Right, b.Bottom);
        else
            FC.Ellipse(b.Left, b.Top, b.Right, b.Bottom);
        break;
    }
    case EMR_ROUNDRECT: {
        TRect b = Box(R, 8);
        Integer w = SizeX(R.Int(24)), h = SizeY(R.Int(28));
        shape();
        FC.RoundRect(b.Left, b.Top, b.Right, b.Bottom, w, h);
        break;
    }
    case EMR_ARC:
    case EMR_CHORD:
    case EMR_PIE: {
        TRect b = Box(R, 8);
        Integer x3 = X(R.Int(24)), y3 = Y(R.Int(28)), x4 = X(R.Int(32)), y4 = Y(R.Int(36));
        shape();
        if (Type == EMR_ARC)
            FC.Arc(b.Left, b.Top, b.Right, b.Bottom, x3, y3, x4, y4);
        else if (Type == EMR_CHORD)
            FC.Chord(b.Left, b.Top, b.Right, b.Bottom, x3, y3, x4, y4);
        else
            FC.Pie(b.Left, b.Top, b.Right, b.Bottom, x3, y3, x4, y4);
        break;
    }
    case EMR_EXTFLOODFILL:
        ApplyBrush(FBrush);
        FC.FloodFill(X(R.Int(8)), Y(R.Int(12)), TColor(R.Card(16) & 0xFFFFFF),
                     R.Card(20) == FLOODFILLSURFACE ? fsSurface : fsBorder);
        break;
    case EMR_FRAMERGN: {
        Cardinal cb = R.Card(24), count = R.Card(48);
        TObjectSlot* s = Slot(R.Card(28));
        ApplyBrush(s && s->Kind == TObjectSlot::IsBrush ? s->Brush : FBrush);
        if (cb < 32 || count > (cb - 32) / 16) break;
        for (Cardinal i = 0; i < count; ++i) {
            TRect r = Box(R, 72 + 16 * i);
            FC.FrameRect(r);
        }
        break;
    }
    case EMR_BITBLT: {
        Integer x = R.Int(24), y = R.Int(28), cx = R.Int(32), cy = R.Int(36);
        TRect dest{X(x), Y(y), X((long long)x + cx), Y((long long)y + cy)};
        Blt(R, dest, R.Card(40), R.Int(44), R.Int(48), cx, cy, R.Card(84), R.Card(88), R.Card(92),
            R.Card(96));
        break;
    }
    case EMR_STRETCHDIBITS: {
        Integer x = R.Int(24), y = R.Int(28), cx = R.Int(72), cy = R.Int(76);
        TRect dest{X(x), Y(y), X((long long)x + cx), Y((long long)y + cy)};
        Blt(R, dest, R.Card(68), R.Int(32), R.Int(36), R.Int(40), R.Int(44), R.Card(48), R.Card(52),
            R.Card(56), R.Card(60));
        break;
    }
    case EMR_EXTTEXTOUTW: Text(R); break;
    default: break; // records this host does not draw
    }
}

} // namespace

void Play(const std::vector<Byte>& Emf, TCanvas& Canvas, const TRect& Dest, TPoint Origin,
          Integer Width, Integer Height) {
    THeader h = ReadHeader(Emf.data(), Emf.size());
    TCanvasState state(Canvas);
    TPlayer player(Canvas, Dest, Origin, Width, Height, h.Handles);
    TReader all(Emf.data(), h.End);
    for (std::size_t at = all.Card(4); at < h.End;) {
        Cardinal type = all.Card(at), size = all.Card(at + 4);
        if (type == EMR_EOF) break;
        try {
            player.Record(type, TReader(Emf.data() + at, size));
        } catch (const EInvalidGraphic&) {
            // A record too short for its fields draws nothing; the others still do.
        }
        at += size;
    }
}

} // namespace host::emf
