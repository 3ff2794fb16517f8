// Drawing on a metafile's canvas becomes enhanced-metafile records: the pen, brush and font
// each drawing uses are created and selected when they change, then the drawing's record.
#pragma once

#include "host/graphics/CanvasRecorder.h"
#include "host/graphics/MetafileFormat.h"

#include <functional>
#include <vector>

namespace host {

class TEmfRecorder : public TCanvasRecorder {
public:
    void MoveTo(TCanvas& C, Integer X, Integer Y) override;
    void LineTo(TCanvas& C, Integer X, Integer Y) override;
    void Shape(TCanvas& C, TShape Kind, const Integer* P) override;
    void Block(TCanvas& C, TBlock Kind, const TRect& R) override;
    void FloodFill(TCanvas& C, Integer X, Integer Y, TColorRef Color, bool Surface) override;
    void SetPixel(TCanvas& C, Integer X, Integer Y, TColorRef Color) override;
    void Text(TCanvas& C, Integer X, Integer Y, const AnsiString& Text, const TRect* Clip) override;
    void Picture(TCanvas& C, const TRect& Dest, Integer Width, Integer Height,
                 const TPictureSource& Source) override;

    /// The metafile: with a frame (hundredths of a millimetre) when given one, else the frame
    /// of what was drawn.
    std::vector<Byte> Finish(const TRect* Frame, const std::u16string& Description) const;
    bool Empty() const { return FCount == 0; }

private:
    /// Starts a record of `Type`; End fills in its size.
    std::size_t Begin(Cardinal Type);
    void End(std::size_t At);
    void Simple(Cardinal Type, std::initializer_list<Integer> Values);
    Cardinal NewObject();
    void Replace(Cardinal& Current, Cardinal Made);
    void UsePen(TCanvas& C);
    void UseBrush(TCanvas& C);
    void UseFont(TCanvas& C);
    void UsePattern(const TPixelSurface& Pattern);
    void PutDib(Integer Width, Integer Height, const std::function<TColorRef(std::size_t)>& Pixel);
    void UseBackground(Cardinal Mode, TColorRef Color);
    /// Widens the bounds by the pixels of [L, R) x [T, B).
    void Touch(Integer L, Integer T, Integer R, Integer B);
    void Blt(Cardinal Rop, const TRect& R);

    emf::TBytes FOut;
    Cardinal FCount = 0;
    std::vector<bool> FUsed{true}; // index 0 is the metafile's own
    Cardinal FPen = 0, FBrush = 0, FFont = 0;
    TLogPen FPenLog;
    TLogBrush FBrushLog;
    std::vector<TColorRef> FPattern; // the pattern of the brush selected, with its width
    Integer FPatternWidth = 0;
    TLogFont FFontLog;
    Integer FRop2 = 13; // R2_COPYPEN
    Cardinal FBkMode = emf::OPAQUE;
    TColorRef FBkColor = RGB(255, 255, 255), FTextColor = 0;
    bool FHasBounds = false;
    TRect FBounds;
};

} // namespace host
