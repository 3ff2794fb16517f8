#include "host/graphics/Raster.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace host {

namespace {

TColorRef Mix(TPenMode Mode, TColorRef P, TColorRef D) {
    constexpr TColorRef W = 0xFFFFFF;
    switch (Mode) {
    case pmBlack: return 0;
    case pmWhite: return W;
    case pmNop: return D;
    case pmNot: return ~D & W;
    case pmCopy: return P;
    case pmNotCopy: return ~P & W;
    case pmMergePenNot: return (P | ~D) & W;
    case pmMaskPenNot: return P & ~D & W;
    case pmMergeNotPen: return (~P | D) & W;
    case pmMaskNotPen: return ~P & D & W;
    case pmMerge: return (P | D) & W;
    case pmNotMerge: return ~(P | D) & W;
    case pmMask: return P & D;
    case pmNotMask: return ~(P & D) & W;
    case pmXor: return (P ^ D) & W;
    case pmNotXor: return ~(P ^ D) & W;
    }
    return P;
}

/// The on and off lengths of a thin pen's style; empty for a solid line.
struct Dashes {
    const Integer* Runs = nullptr;
    int Count = 0;
    Integer Period = 0;
};
Dashes DashesOf(TPenStyle Style) {
    static constexpr Integer Dash[] = {18, 6}, Dot[] = {3, 3}, DashDot[] = {9, 6, 3, 6},
                             DashDotDot[] = {9, 3, 3, 3, 3, 3}, Alternate[] = {1, 1};
    auto make = [](const Integer* R, int N) {
        Integer p = 0;
        for (int i = 0; i < N; ++i) p += R[i];
        return Dashes{R, N, p};
    };
    switch (Style) {
    case psDash: return make(Dash, 2);
    case psDot: return make(Dot, 2);
    case psDashDot: return make(DashDot, 4);
    case psDashDotDot: return make(DashDotDot, 6);
    case psAlternate: return make(Alternate, 2);
    default: return {};
    }
}

bool DashOn(const Dashes& D, Integer Position) {
    if (!D.Count) return true;
    Integer p = Position % D.Period;
    for (int i = 0; i < D.Count; ++i) {
        if (p < D.Runs[i]) return i % 2 == 0;
        p -= D.Runs[i];
    }
    return true;
}

/// The pixels of a figure in its bounding box, so that each is drawn once whatever the mode.
struct Mask {
    Integer Left = 0, Top = 0, Width = 0, Height = 0;
    std::vector<bool> Bits;
    Mask(Integer L, Integer T, Integer R, Integer B)
        : Left(L), Top(T), Width(std::max(R - L, 0)), Height(std::max(B - T, 0)),
          Bits(std::size_t(Width) * std::size_t(Height)) {}
    bool Has(Integer X, Integer Y) const {
        X -= Left, Y -= Top;
        return X >= 0 && Y >= 0 && X < Width && Y < Height &&
               Bits[std::size_t(Y) * std::size_t(Width) + std::size_t(X)];
    }
    void Put(Integer X, Integer Y) {
        X -= Left, Y -= Top;
        if (X >= 0 && Y >= 0 && X < Width && Y < Height)
            Bits[std::size_t(Y) * std::size_t(Width) + std::size_t(X)] = true;
    }
    template <class F>
    void ForEach(F&& Each) const {
        for (Integer y = 0; y < Height; ++y)
            for (Integer x = 0; x < Width; ++x)
                if (Bits[std::size_t(y) * std::size_t(Width) + std::size_t(x)])
                    Each(Left + x, Top + y);
    }
};

/// The pixels of a pen's round dot of `Width` around (X, Y): a pen of 3 covers 3 x 3 pixels.
template <class F>
void DotPixels(Integer X, Integer Y, Integer Width, F&& Each) {
    Integer w = std::max<Integer>(Width, 1), lo = -(w / 2), hi = (w - 1) / 2, c = lo + hi;
    for (Integer dy = lo; dy <= hi; ++dy)
        for (Integer dx = lo; dx <= hi; ++dx)
            if ((2 * dx - c) * (2 * dx - c) + (2 * dy - c) * (2 * dy - c) <= w * w)
                Each(X + dx, Y + dy);
}

/// The points of a line from (X1, Y1) to (X2, Y2), end point included, in drawing order.
template <class F>
void LinePoints(Integer X1, Integer Y1, Integer X2, Integer Y2, F&& Each) {
    long long dx = std::llabs(static_cast<long long>(X2) - X1);
    long long dy = -std::llabs(static_cast<long long>(Y2) - Y1);
    int sx = X1 < X2 ? 1 : -1, sy = Y1 < Y2 ? 1 : -1;
    long long err = dx + dy;
    long long x = X1, y = Y1;
    for (;;) {
        Each(static_cast<Integer>(x), static_cast<Integer>(y));
        if (x == X2 && y == Y2) return;
        long long e2 = 2 * err;
        if (e2 >= dy) err += dy, x += sx;
        if (e2 <= dx) err += dx, y += sy;
    }
}

void Order(Integer& A, Integer& B) {
    if (A > B) std::swap(A, B);
}

// Figures larger than this are clipped to it before their pixels are counted: a shape of
// 2^31 pixels a side must not allocate its bounding box.
constexpr Integer Far = 1 << 15;
Integer Near(Integer V) {
    return std::clamp(V, -Far, Far);
}

} // namespace

TRaster::TRaster(TGdiDC& DC, const TRasterPen& Pen, const TRasterBrush& Brush)
    : FSurface(*DC.Surface), FBounds(DC.Bounds()), FPen(Pen), FBrush(Brush) {}

void TRaster::Plot(Integer X, Integer Y, TColorRef C) {
    if (!Inside(X, Y)) return;
    FSurface.Set(X, Y, Mix(FPen.Mode, C & 0xFFFFFF, FSurface.Get(X, Y)));
}

void TRaster::PenDot(Integer X, Integer Y) {
    DotPixels(X, Y, FPen.Width, [&](Integer x, Integer y) { Plot(x, y, FPen.Color); });
}

void TRaster::Line(Integer X1, Integer Y1, Integer X2, Integer Y2) {
    if (!FPen.Visible()) return;
    X1 = Near(X1), Y1 = Near(Y1), X2 = Near(X2), Y2 = Near(Y2);
    if (FPen.Width <= 1) {
        Dashes d = DashesOf(FPen.Style);
        LinePoints(X1, Y1, X2, Y2, [&](Integer X, Integer Y) {
            if (X == X2 && Y == Y2) return; // the end point is the next line's start
            if (DashOn(d, FDash)) Plot(X, Y, FPen.Color);
            ++FDash;
        });
        return;
    }
    // A wide pen: every dot along the line, each pixel once; only dots that can reach the
    // bounds are made, and only the pixels within them kept.
    long long r = FPen.Width;
    Mask m(FBounds.Left, FBounds.Top, FBounds.Right, FBounds.Bottom);
    LinePoints(X1, Y1, X2, Y2, [&](Integer X, Integer Y) {
        if (X + r < FBounds.Left || Y + r < FBounds.Top || X - r >= FBounds.Right ||
            Y - r >= FBounds.Bottom)
            return;
        DotPixels(X, Y, FPen.Width, [&](Integer x, Integer y) { m.Put(x, y); });
    });
    m.ForEach([&](Integer x, Integer y) { Plot(x, y, FPen.Color); });
}

TColorRef TRaster::BrushColorAt(Integer X, Integer Y) const {
    const TPixelSurface* p = FBrush.Pattern.get();
    if (!p || p->Width() <= 0 || p->Height() <= 0) return FBrush.Color;
    Integer px = X % p->Width(), py = Y % p->Height();
    return p->Get(px < 0 ? px + p->Width() : px, py < 0 ? py + p->Height() : py);
}

bool TRaster::BrushCovers(Integer X, Integer Y) const {
    if (FBrush.Pattern) return true;
    Integer x = X & 7, y = Y & 7;
    switch (FBrush.Style) {
    case bsSolid: return true;
    case bsClear: return false;
    case bsHorizontal: return y == 0;
    case bsVertical: return x == 0;
    case bsFDiagonal: return ((x - y) & 7) == 0;
    case bsBDiagonal: return ((x + y) & 7) == 7;
    case bsCross: return x == 0 || y == 0;
    case bsDiagCross: return ((x - y) & 7) == 0 || ((x + y) & 7) == 7;
    }
    return true;
}

void TRaster::FillSpan(Integer X1, Integer X2, Integer Y) {
    if (!FBrush.Visible() || Y < FBounds.Top || Y >= FBounds.Bottom) return;
    for (Integer x = std::max(X1, FBounds.Left), e = std::min(X2, FBounds.Right); x < e; ++x)
        if (BrushCovers(x, Y)) Plot(x, Y, BrushColorAt(x, Y));
}

void TRaster::Fill(const TRect& R) {
    for (Integer y = std::max(R.Top, FBounds.Top), e = std::min(R.Bottom, FBounds.Bottom); y < e;
         ++y)
        FillSpan(R.Left, R.Right, y);
}

void TRaster::Rectangle(Integer X1, Integer Y1, Integer X2, Integer Y2) {
    Order(X1, X2), Order(Y1, Y2);
    X1 = Near(X1), Y1 = Near(Y1), X2 = Near(X2), Y2 = Near(Y2);
    if (!FPen.Visible()) {
        // Without a pen the figure is one pixel smaller on the right and at the bottom.
        Fill({X1, Y1, X2 - 1, Y2 - 1});
        return;
    }
    if (FPen.Style == psInsideFrame && FPen.Width > 1) {
        Integer w = std::min({FPen.Width, (X2 - X1 + 1) / 2, (Y2 - Y1 + 1) / 2});
        Fill({X1 + w, Y1 + w, X2 - w, Y2 - w});
        for (Integer y = std::max(Y1, FBounds.Top); y < std::min(Y2, FBounds.Bottom); ++y)
            for (Integer x = std::max(X1, FBounds.Left); x < std::min(X2, FBounds.Right); ++x)
                if (x < X1 + w || x >= X2 - w || y < Y1 + w || y >= Y2 - w) Plot(x, y, FPen.Color);
        return;
    }
    Fill({X1 + 1, Y1 + 1, X2 - 1, Y2 - 1});
    if (X2 - X1 <= 2 || Y2 - Y1 <= 2) { // a frame with no inside: its pixels, each once
        for (Integer y = Y1; y < std::max(Y2, Y1 + 1); ++y)
            for (Integer x = X1; x < std::max(X2, X1 + 1); ++x) PenDot(x, y);
        return;
    }
    FDash = 0;
    if (FPen.Width <= 1) {
        Line(X1, Y1, X2 - 1, Y1);
        Line(X2 - 1, Y1, X2 - 1, Y2 - 1);
        Line(X2 - 1, Y2 - 1, X1, Y2 - 1);
        Line(X1, Y2 - 1, X1, Y1);
        return;
    }
    long long r = FPen.Width;
    Mask m(FBounds.Left, FBounds.Top, FBounds.Right, FBounds.Bottom);
    auto stamp = [&](Integer X, Integer Y) {
        if (X + r < FBounds.Left || Y + r < FBounds.Top || X - r >= FBounds.Right ||
            Y - r >= FBounds.Bottom)
            return; // this dot cannot reach the bounds
        DotPixels(X, Y, FPen.Width, [&](Integer x, Integer y) { m.Put(x, y); });
    };
    LinePoints(X1, Y1, X2 - 1, Y1, stamp);
    LinePoints(X2 - 1, Y1, X2 - 1, Y2 - 1, stamp);
    LinePoints(X2 - 1, Y2 - 1, X1, Y2 - 1, stamp);
    LinePoints(X1, Y2 - 1, X1, Y1, stamp);
    m.ForEach([&](Integer x, Integer y) { Plot(x, y, FPen.Color); });
}

bool TRaster::Rows::Has(Integer X, Integer Y) const {
    Integer i = Y - Top;
    return i >= 0 && i < static_cast<Integer>(Lo.size()) && X >= Lo[std::size_t(i)] &&
           X <= Hi[std::size_t(i)];
}

TRaster::Rows TRaster::EllipseRows(Integer X1, Integer Y1, Integer X2, Integer Y2) {
    Rows rows;
    rows.Top = Y1;
    double a = (X2 - X1) / 2.0, b = (Y2 - Y1) / 2.0, cx = (X1 + X2) / 2.0, cy = (Y1 + Y2) / 2.0;
    for (Integer y = Y1; y < Y2; ++y) {
        double v = (y + 0.5 - cy) / b;
        double u2 = 1.0 - v * v;
        if (u2 < 0 || a <= 0) {
            rows.Lo.push_back(1), rows.Hi.push_back(0);
            continue;
        }
        double half = a * std::sqrt(u2);
        // Pixel centres within the ellipse: x + 0.5 in [cx - half, cx + half].
        auto lo = static_cast<Integer>(std::ceil(cx - half - 0.5 - 1e-9));
        auto hi = static_cast<Integer>(std::floor(cx + half - 0.5 + 1e-9));
        rows.Lo.push_back(std::max(lo, X1));
        rows.Hi.push_back(std::min(hi, X2 - 1));
    }
    return rows;
}

TRect TRaster::Visible(Integer X1, Integer Y1, Integer X2, Integer Y2, long long Reach) const {
    auto clip = [](long long V, Integer Lo, Integer Hi) {
        return Integer(std::clamp<long long>(V, Lo, std::max(Lo, Hi)));
    };
    return {clip(FBounds.Left - Reach, X1, X2), clip(FBounds.Top - Reach, Y1, Y2),
            clip(FBounds.Right + Reach, X1, X2), clip(FBounds.Bottom + Reach, Y1, Y2)};
}

void TRaster::OutlineAndFill(const Rows& Shape, bool FillIt,
                             const std::function<bool(Integer, Integer)>& Keep, Integer X1,
                             Integer Y1, Integer X2, Integer Y2) {
    // A pixel of the outline has a neighbour (left, right, above, below) outside the shape.
    auto kept = [&](Integer X, Integer Y) { return Shape.Has(X, Y) && (!Keep || Keep(X, Y)); };
    auto edge = [&](Integer X, Integer Y) {
        return !kept(X - 1, Y) || !kept(X + 1, Y) || !kept(X, Y - 1) || !kept(X, Y + 1);
    };
    bool pen = FPen.Visible();
    if (FillIt && FBrush.Visible()) {
        TRect v = Visible(X1, Y1, X2, Y2, 0);
        for (Integer y = v.Top; y < v.Bottom; ++y)
            for (Integer x = v.Left; x < v.Right; ++x)
                if (kept(x, y) && !(pen && edge(x, y)) && BrushCovers(x, y))
                    Plot(x, y, BrushColorAt(x, y));
    }
    if (!pen) return;
    // A dot reaches at most its width from its pixel.
    TRect v = Visible(X1, Y1, X2, Y2, (long long)FPen.Width + 1);
    Mask m(FBounds.Left, FBounds.Top, FBounds.Right, FBounds.Bottom);
    for (Integer y = v.Top; y < v.Bottom; ++y)
        for (Integer x = v.Left; x < v.Right; ++x)
            if (kept(x, y) && edge(x, y))
                DotPixels(x, y, FPen.Width, [&](Integer px, Integer py) { m.Put(px, py); });
    m.ForEach([&](Integer x, Integer y) { Plot(x, y, FPen.Color); });
}

void TRaster::Ellipse(Integer X1, Integer Y1, Integer X2, Integer Y2) {
    Order(X1, X2), Order(Y1, Y2);
    X1 = Near(X1), Y1 = Near(Y1), X2 = Near(X2), Y2 = Near(Y2);
    OutlineAndFill(EllipseRows(X1, Y1, X2, Y2), true, {}, X1, Y1, X2, Y2);
}

void TRaster::RoundRect(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer W, Integer H) {
    Order(X1, X2), Order(Y1, Y2);
    X1 = Near(X1), Y1 = Near(Y1), X2 = Near(X2), Y2 = Near(Y2);
    W = std::clamp(std::abs(W), 0, X2 - X1), H = std::clamp(std::abs(H), 0, Y2 - Y1);
    if (W < 2 || H < 2) return Rectangle(X1, Y1, X2, Y2);
    // The corners are the quarters of a W x H ellipse.
    Rows corner = EllipseRows(0, 0, W, H);
    Rows rows;
    rows.Top = Y1;
    for (Integer y = Y1; y < Y2; ++y) {
        Integer cy = y - Y1 < H / 2 ? y - Y1 : (Y2 - y <= H - H / 2 ? H - (Y2 - y) : -1);
        Integer lo = X1, hi = X2 - 1;
        if (cy >= 0) {
            lo = X1 + corner.Lo[std::size_t(cy)];
            hi = X2 - W + corner.Hi[std::size_t(cy)];
        }
        rows.Lo.push_back(lo), rows.Hi.push_back(hi);
    }
    OutlineAndFill(rows, true, {}, X1, Y1, X2, Y2);
}

void TRaster::Arc(TArcKind Kind, Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3,
                  Integer Y3, Integer X4, Integer Y4) {
    Order(X1, X2), Order(Y1, Y2);
    X1 = Near(X1), Y1 = Near(Y1), X2 = Near(X2), Y2 = Near(Y2);
    Rows shape = EllipseRows(X1, Y1, X2, Y2);
    double cx = (X1 + X2) / 2.0, cy = (Y1 + Y2) / 2.0;
    constexpr double Pi = 3.14159265358979323846;
    // Angles as seen on screen: counter-clockwise from the positive x axis, y growing down.
    auto angle = [&](double X, double Y) {
        double t = std::atan2(cy - Y, X - cx);
        return t < 0 ? t + 2 * Pi : t;
    };
    double from = angle(X3, Y3), to = angle(X4, Y4);
    double span = to - from;
    if (span <= 0) span += 2 * Pi; // equal radials: the whole ellipse
    auto inSector = [&](double X, double Y) {
        double d = angle(X, Y) - from;
        if (d < 0) d += 2 * Pi;
        return d <= span + 1e-9;
    };
    Integer w = std::max(X2 - X1, 0), h = std::max(Y2 - Y1, 0);
    // A chord keeps the side of the line between the arc's ends on which the arc lies.
    double a = w / 2.0, b = h / 2.0;
    auto onEllipse = [&](double T) {
        return std::pair{cx + a * std::cos(T), cy - b * std::sin(T)};
    };
    auto ellipseAngle = [&](double T) { // the ellipse parameter of the radial at angle T
        return std::atan2(std::sin(T) * a, std::cos(T) * b);
    };
    const std::pair<double, double> start = onEllipse(ellipseAngle(from));
    const std::pair<double, double> end = onEllipse(ellipseAngle(from + span));
    const std::pair<double, double> mid = onEllipse(ellipseAngle(from + span / 2));
    const double sx = start.first, sy = start.second, ex = end.first, ey = end.second;
    auto side = [&](double X, double Y) { return (ex - sx) * (Y - sy) - (ey - sy) * (X - sx); };
    double arcSide = side(mid.first, mid.second);
    // Asked of the pixels near the bounds only: a figure far larger than the surface costs
    // what shows of it.
    std::function<bool(Integer, Integer)> keep = [&](Integer X, Integer Y) {
        double px = X + 0.5, py = Y + 0.5;
        return Kind == akChord ? side(px, py) * arcSide >= 0 : inSector(px, py);
    };
    if (Kind != akArc) return OutlineAndFill(shape, true, keep, X1, Y1, X2, Y2);
    // An arc is the ellipse's outline within the sector, without a fill or radials.
    auto edge = [&](Integer X, Integer Y) {
        return !shape.Has(X - 1, Y) || !shape.Has(X + 1, Y) || !shape.Has(X, Y - 1) ||
               !shape.Has(X, Y + 1);
    };
    if (!FPen.Visible()) return;
    TRect v = Visible(X1, Y1, X2, Y2, (long long)FPen.Width + 1);
    for (Integer y = v.Top; y < v.Bottom; ++y)
        for (Integer x = v.Left; x < v.Right; ++x)
            if (shape.Has(x, y) && edge(x, y) && keep(x, y)) PenDot(x, y);
}

void TRaster::FrameRect(const TRect& R) {
    TRect r = R;
    Order(r.Left, r.Right), Order(r.Top, r.Bottom);
    if (r.Right - r.Left < 1 || r.Bottom - r.Top < 1) return;
    TPenMode mode = FPen.Mode;
    FPen.Mode = pmCopy; // a frame is painted with the brush, whatever the pen's mode
    for (Integer x = r.Left; x < r.Right; ++x) {
        Plot(x, r.Top, FBrush.Color);
        if (r.Bottom - 1 > r.Top) Plot(x, r.Bottom - 1, FBrush.Color);
    }
    for (Integer y = r.Top + 1; y < r.Bottom - 1; ++y) {
        Plot(r.Left, y, FBrush.Color);
        if (r.Right - 1 > r.Left) Plot(r.Right - 1, y, FBrush.Color);
    }
    FPen.Mode = mode;
}

void TRaster::FocusRect(const TRect& R) {
    TRect r = R;
    Order(r.Left, r.Right), Order(r.Top, r.Bottom);
    if (r.Right - r.Left < 1 || r.Bottom - r.Top < 1) return;
    TPenMode mode = FPen.Mode;
    FPen.Mode = pmNot;
    ForEachFocusDot(r, [&](Integer X, Integer Y) { Plot(X, Y, 0); });
    FPen.Mode = mode;
}

void TRaster::FloodFill(Integer X, Integer Y, TColorRef Color, bool Surface) {
    if (!Inside(X, Y) || !FBrush.Visible()) return;
    Color &= 0xFFFFFF;
    auto fillable = [&](Integer x, Integer y) {
        TColorRef c = FSurface.Get(x, y);
        return Surface ? c == Color : c != Color;
    };
    if (!fillable(X, Y)) return;
    Mask seen(FBounds.Left, FBounds.Top, FBounds.Right, FBounds.Bottom);
    std::vector<TPoint> todo{{X, Y}};
    TPenMode mode = FPen.Mode;
    FPen.Mode = pmCopy;
    // Spans are found on the surface as it was: the area is marked first, painted after.
    std::vector<std::pair<TPoint, Integer>> spans;
    while (!todo.empty()) {
        TPoint p = todo.back();
        todo.pop_back();
        if (seen.Has(p.X, p.Y) || !fillable(p.X, p.Y)) continue;
        Integer l = p.X, r = p.X;
        while (l - 1 >= FBounds.Left && !seen.Has(l - 1, p.Y) && fillable(l - 1, p.Y)) --l;
        while (r + 1 < FBounds.Right && !seen.Has(r + 1, p.Y) && fillable(r + 1, p.Y)) ++r;
        for (Integer x = l; x <= r; ++x) seen.Put(x, p.Y);
        spans.push_back({{l, p.Y}, r + 1});
        for (Integer ny : {p.Y - 1, p.Y + 1}) {
            if (ny < FBounds.Top || ny >= FBounds.Bottom) continue;
            for (Integer x = l; x <= r; ++x)
                if (!seen.Has(x, ny) && fillable(x, ny)) {
                    todo.push_back({x, ny});
                    while (x + 1 <= r && fillable(x + 1, ny)) ++x;
                }
        }
    }
    for (const auto& [start, end] : spans) FillSpan(start.X, end, start.Y);
    FPen.Mode = mode;
}

} // namespace host
