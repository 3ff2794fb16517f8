// The pixel rules of drawing on a device context's surface: lines without their end point,
// shapes whose right and bottom edges are outside them, pens of any width, style and mode,
// brushes solid, hatched or clear, everything within the clipping rectangle.
#pragma once

#include "host/graphics/GraphicsObjects.h"
#include "host/graphics/Surface.h"

#include <functional>

namespace host {

struct TRasterPen {
    TColorRef Color = 0;
    Integer Width = 1;
    TPenStyle Style = psSolid;
    TPenMode Mode = pmCopy;
    bool Visible() const { return Style != psClear; }
};

struct TRasterBrush {
    TColorRef Color = RGB(255, 255, 255);
    TBrushStyle Style = bsSolid;
    /// A pattern tiled from the surface's origin instead of the colour (a brush's bitmap).
    std::shared_ptr<const TPixelSurface> Pattern;
    bool Visible() const { return Style != bsClear; }
};

/// Calls `Dot` with each pixel of the focus rectangle's pattern: every other pixel of R's frame.
template <class F>
void ForEachFocusDot(const TRect& R, F&& Dot) {
    auto dot = [&](Integer X, Integer Y) {
        if (((X + Y) & 1) == 0) Dot(X, Y);
    };
    for (Integer x = R.Left; x < R.Right; ++x) {
        dot(x, R.Top);
        if (R.Bottom - 1 > R.Top) dot(x, R.Bottom - 1);
    }
    for (Integer y = R.Top + 1; y < R.Bottom - 1; ++y) {
        dot(R.Left, y);
        if (R.Right - 1 > R.Left) dot(R.Right - 1, y);
    }
}

/// Draws on one device context. Coordinates are the surface's; nothing outside the context's
/// bounds (surface and clipping rectangle) is touched.
class TRaster {
public:
    TRaster(TGdiDC& DC, const TRasterPen& Pen, const TRasterBrush& Brush);

    /// The pen's mode applied to the pixel at (X, Y) with colour `C`.
    void Plot(Integer X, Integer Y, TColorRef C);
    /// One pixel of the pen: a dot of the pen's width centred on (X, Y).
    void PenDot(Integer X, Integer Y);
    /// From (X1, Y1) to (X2, Y2) without the end point (a wide pen draws it, with round ends).
    void Line(Integer X1, Integer Y1, Integer X2, Integer Y2);
    /// The brush over the pixels of [Left, Right) x [Top, Bottom).
    void Fill(const TRect& R);
    /// One row of the brush, [X1, X2) on row Y.
    void FillSpan(Integer X1, Integer X2, Integer Y);
    void Rectangle(Integer X1, Integer Y1, Integer X2, Integer Y2);
    void RoundRect(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer W, Integer H);
    void Ellipse(Integer X1, Integer Y1, Integer X2, Integer Y2);
    /// Arc, Chord and Pie: the part of the ellipse from the radial through (X3, Y3)
    /// counter-clockwise to the radial through (X4, Y4).
    enum TArcKind { akArc, akChord, akPie };
    void Arc(TArcKind Kind, Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3,
             Integer X4, Integer Y4);
    /// A frame one pixel wide in the brush's colour.
    void FrameRect(const TRect& R);
    /// The focus rectangle: every other pixel of its frame inverted, so drawing it twice
    /// restores the pixels.
    void FocusRect(const TRect& R);
    /// Fills from (X, Y) over the area bounded by `Color` (border) or of `Color` (surface).
    void FloodFill(Integer X, Integer Y, TColorRef Color, bool Surface);

    const TRect& Bounds() const { return FBounds; }

private:
    bool Inside(Integer X, Integer Y) const {
        return X >= FBounds.Left && X < FBounds.Right && Y >= FBounds.Top && Y < FBounds.Bottom;
    }
    bool BrushCovers(Integer X, Integer Y) const;
    TColorRef BrushColorAt(Integer X, Integer Y) const;
    /// The ellipse inscribed in [X1, X2) x [Y1, Y2), given by its rows: for row y, the
    /// pixels Lo[y]..Hi[y] are inside (Lo > Hi for none).
    struct Rows {
        Integer Top = 0;
        std::vector<Integer> Lo, Hi;
        bool Has(Integer X, Integer Y) const;
    };
    static Rows EllipseRows(Integer X1, Integer Y1, Integer X2, Integer Y2);
    /// Fills the shape (the pixels of it that `Keep` keeps, when given) and outlines it with the
    /// pen. Only the part that can reach the bounds is visited: a shape far larger than the
    /// surface costs what shows of it.
    void OutlineAndFill(const Rows& Shape, bool FillIt,
                        const std::function<bool(Integer, Integer)>& Keep, Integer X1, Integer Y1,
                        Integer X2, Integer Y2);
    /// [X1, X2) x [Y1, Y2) narrowed to where a pixel can touch the bounds, `Reach` away.
    TRect Visible(Integer X1, Integer Y1, Integer X2, Integer Y2, long long Reach) const;

    TPixelSurface& FSurface;
    TRect FBounds;
    TRasterPen FPen;
    TRasterBrush FBrush;
    Integer FDash = 0; // the position in the pen's dash pattern, carried along a figure
};

} // namespace host
