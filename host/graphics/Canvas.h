// TCanvas: drawing onto a device context with a pen, a brush and a font, announced to its owner
// before and after every change (OnChanging, OnChange), lockable across threads.
#pragma once

#include "host/graphics/GraphicsObjects.h"
#include "host/graphics/Surface.h"

#include <functional>

namespace host {

class TGraphic;
class TBitmap;
class TCanvasRecorder;
/// The colour of a picture's pixel (X, Y), given the colour beneath on entry (for pictures that
/// blend); false for a pixel that shows what is beneath.
using TPictureSource = std::function<bool(Integer X, Integer Y, TColorRef& Color)>;

/// How CopyRect combines source, destination and brush (the raster operations).
using TCopyMode = LongInt;
inline constexpr TCopyMode cmBlackness = 0x00000042;
inline constexpr TCopyMode cmDstInvert = 0x00550009;
inline constexpr TCopyMode cmMergeCopy = 0x00C000CA;
inline constexpr TCopyMode cmMergePaint = 0x00BB0226;
inline constexpr TCopyMode cmNotSrcCopy = 0x00330008;
inline constexpr TCopyMode cmNotSrcErase = 0x001100A6;
inline constexpr TCopyMode cmPatCopy = 0x00F00021;
inline constexpr TCopyMode cmPatInvert = 0x005A0049;
inline constexpr TCopyMode cmPatPaint = 0x00FB0A09;
inline constexpr TCopyMode cmSrcAnd = 0x008800C6;
inline constexpr TCopyMode cmSrcCopy = 0x00CC0020;
inline constexpr TCopyMode cmSrcErase = 0x00440328;
inline constexpr TCopyMode cmSrcInvert = 0x00660046;
inline constexpr TCopyMode cmSrcPaint = 0x00EE0086;
inline constexpr TCopyMode cmWhiteness = 0x00FF0062;

enum TFillStyle { fsSurface, fsBorder };
HOST_ENUM_INFO(TFillStyle, fsSurface, fsBorder)
enum TCanvasOrientation { coLeftToRight, coRightToLeft };
HOST_ENUM_INFO(TCanvasOrientation, coLeftToRight, coRightToLeft)

/// What GetPixel answers outside the surface or the clipping rectangle.
inline constexpr TColorRef CLR_INVALID = 0xFFFFFFFF;

class TCanvas : public TPersistent {
    HOST_CLASS(TCanvas, TPersistent)
public:
    TCanvas();
    ~TCanvas() override;

    // ---- drawing tools ----
    TPen* GetPen() const { return FPen; }
    void SetPen(TPen* Value) { FPen->Assign(Value); }
    TBrush* GetBrush() const { return FBrush; }
    void SetBrush(TBrush* Value) { FBrush->Assign(Value); }
    TFont* GetFont() const { return FFont; }
    void SetFont(TFont* Value) { FFont->Assign(Value); }
    TCopyMode GetCopyMode() const { return FCopyMode; }
    void SetCopyMode(TCopyMode Value) { FCopyMode = Value; }
    LongInt GetTextFlags() const { return FTextFlags; }
    void SetTextFlags(LongInt Value) { FTextFlags = Value; }
    TCanvasOrientation GetCanvasOrientation() const { return coLeftToRight; }

    // ---- the device context ----
    /// The device context drawn on; a canvas without one asks CreateHandle for it and raises
    /// EInvalidOperation "Canvas does not allow drawing" when it gets none.
    HDC GetHandle();
    /// Draws on `Value` from now on (the canvas does not own it); 0 detaches.
    void SetHandle(HDC Value);
    bool HandleAllocated() const { return FHandle != 0; }
    /// The handle as it is, without making one.
    HDC GetHandleValue() const { return FHandle; }
    /// The part of the surface drawing may touch.
    TRect GetClipRect();
    TPoint GetPenPos();
    void SetPenPos(TPoint Value);
    /// The colour at (X, Y): an RGB value; -1 outside the surface or the clipping rectangle.
    TColor GetPixels(Integer X, Integer Y);
    void SetPixels(Integer X, Integer Y, TColor Value);

    // ---- drawing ----
    void MoveTo(Integer X, Integer Y);
    /// A line from the pen position to (X, Y), without (X, Y); the pen moves there.
    void LineTo(Integer X, Integer Y);
    void Rectangle(Integer X1, Integer Y1, Integer X2, Integer Y2);
    void Rectangle(const TRect& R) { Rectangle(R.Left, R.Top, R.Right, R.Bottom); }
    void RoundRect(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3);
    void Ellipse(Integer X1, Integer Y1, Integer X2, Integer Y2);
    void Ellipse(const TRect& R) { Ellipse(R.Left, R.Top, R.Right, R.Bottom); }
    void Arc(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4,
             Integer Y4);
    void Chord(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4,
               Integer Y4);
    void Pie(Integer X1, Integer Y1, Integer X2, Integer Y2, Integer X3, Integer Y3, Integer X4,
             Integer Y4);
    /// The brush over the rectangle, whatever the pen's mode.
    void FillRect(const TRect& Rect);
    void FrameRect(const TRect& Rect);
    void DrawFocusRect(const TRect& Rect);
    void FloodFill(Integer X, Integer Y, TColor Color, TFillStyle FillStyle);
    /// Copies `Source` of `Canvas` to `Dest` of this canvas, stretched to fit, combined by
    /// CopyMode.
    void CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source);

    /// Copies `Source` of `Bitmap` to `Dest`, stretched, painting the brush where the bitmap has
    /// `Color` (the platform's way to recolour a glyph's background).
    void BrushCopy(const TRect& Dest, TBitmap* Bitmap, const TRect& Source, TColor Color);
    /// Paints `Graphic` at its own size with its top left at (X, Y).
    void Draw(Integer X, Integer Y, TGraphic* Graphic);
    /// Paints `Graphic` stretched into `Rect`.
    void StretchDraw(const TRect& Rect, TGraphic* Graphic);
    /// What graphics paint with: a `Width` x `Height` picture stretched into `Dest`, combined
    /// by CopyMode.
    void PaintPicture(const TRect& Dest, Integer Width, Integer Height,
                      const TPictureSource& Source);

    // ---- text, in the canvas's font ----
    /// Draws `Text` with its cell's top left at (X, Y), on the brush's colour unless the brush is
    /// clear; the pen moves to the end of the text.
    void TextOut(Integer X, Integer Y, const AnsiString& Text);
    /// As TextOut, but only within `Rect`, which is first filled with the brush unless clear.
    void TextRect(const TRect& Rect, Integer X, Integer Y, const AnsiString& Text);
    TSize TextExtent(const AnsiString& Text);
    Integer TextWidth(const AnsiString& Text) { return TextExtent(Text).cx; }
    Integer TextHeight(const AnsiString& Text) { return TextExtent(Text).cy; }

    // ---- sharing ----
    /// Held by one thread at a time (it may lock again); Unlock by the thread that locked.
    void Lock();
    bool TryLock();
    void Unlock();
    Integer GetLockCount() const { return FLockCount; }
    /// Lets go of the device context's selections so that they are made again.
    void Refresh();

    TNotifyEvent GetOnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent Value) { FOnChange = Value; }
    TNotifyEvent GetOnChanging() const { return FOnChanging; }
    void SetOnChanging(TNotifyEvent Value) { FOnChanging = Value; }

protected:
    virtual void Changing();
    virtual void Changed();
    /// Gives the canvas a device context when it has none; the base has none to give.
    virtual void CreateHandle();
    /// Before every use of the device context: a bitmap's canvas brings its pixels up to date.
    virtual void RequiredState() {}
    /// The context in use, after RequiredState.
    std::shared_ptr<TGdiDC> DC();
    /// From now on every drawing goes to `Recorder` (not owned) instead of the context's
    /// pixels; null paints again.
    void SetRecorder(TCanvasRecorder* Recorder) { FRecorder = Recorder; }

private:
    template <class F>
    void Paint(F&& Painter, bool WithPen = true);
    /// With a recorder: tells it of the drawing (between Changing and Changed) and returns true.
    template <class F>
    bool Record(F&& Tell);

    HDC FHandle = 0;
    TCanvasRecorder* FRecorder = nullptr;
    std::shared_ptr<TGdiDC> FDC; // FHandle's object while it is in the table
    TPen* FPen;
    TBrush* FBrush;
    TFont* FFont;
    TCopyMode FCopyMode = cmSrcCopy;
    LongInt FTextFlags = 0;
    TRTLCriticalSection FLock;
    Integer FLockCount = 0;
    TNotifyEvent FOnChange;
    TNotifyEvent FOnChanging;
};

} // namespace host
