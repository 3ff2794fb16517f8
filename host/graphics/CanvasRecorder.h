// What a recording canvas is told of each drawing instead of painting it. The canvas passes
// itself, so the recorder reads the pen, brush, font and copy mode the drawing is made with.
#pragma once

#include "host/graphics/Canvas.h"

namespace host {

class TCanvasRecorder {
public:
    virtual ~TCanvasRecorder() = default;

    enum TShape { rsRectangle, rsEllipse, rsRoundRect, rsArc, rsChord, rsPie };
    /// The brush or the frame over a rectangle, without the pen.
    enum TBlock { rbFill, rbFrame, rbFocus };

    virtual void MoveTo(TCanvas& C, Integer X, Integer Y) = 0;
    virtual void LineTo(TCanvas& C, Integer X, Integer Y) = 0;
    /// `P` holds the shape's coordinates: 4 for a rectangle or an ellipse, 6 for a rounded
    /// rectangle, 8 for an arc, a chord or a pie.
    virtual void Shape(TCanvas& C, TShape Kind, const Integer* P) = 0;
    virtual void Block(TCanvas& C, TBlock Kind, const TRect& R) = 0;
    virtual void FloodFill(TCanvas& C, Integer X, Integer Y, TColorRef Color, bool Surface) = 0;
    virtual void SetPixel(TCanvas& C, Integer X, Integer Y, TColorRef Color) = 0;
    /// TextOut (no clip) or TextRect (clipped to `*Clip`, which the brush filled first).
    virtual void Text(TCanvas& C, Integer X, Integer Y, const AnsiString& Text,
                      const TRect* Clip) = 0;
    /// A picture of Width x Height stretched into Dest with the canvas's copy mode.
    virtual void Picture(TCanvas& C, const TRect& Dest, Integer Width, Integer Height,
                         const TPictureSource& Source) = 0;
};

} // namespace host
