// The unit's graphic controls: TShape, TPaintBox, TImage and TBevel, and Frame3D, the
// two-colour frame the unit's controls draw their 3-D edges with.
#pragma once

#include "host/controls/CustomControls.h"
#include "host/graphics/Graphic.h"

namespace host {

class TPicture;

/// Draws a frame `Width` pixels wide just inside `Rect`: TopColor on the top and left,
/// BottomColor on the bottom and right; `Rect` shrinks by the frame.
void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, Integer Width);

enum TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };
HOST_ENUM_INFO(TShapeType, stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle)

class TShape : public TGraphicControl {
    HOST_CLASS(TShape, TGraphicControl)
public:
    explicit TShape(TComponent* AOwner);
    ~TShape() override;
    TPen* GetPen() const { return FPen; }
    void SetPen(TPen* Value) { FPen->Assign(Value); }
    TBrush* GetBrush() const { return FBrush; }
    void SetBrush(TBrush* Value) { FBrush->Assign(Value); }
    TShapeType GetShape() const { return FShape; }
    void SetShape(TShapeType Value);
    /// The pen or brush changed: the shape paints again.
    void StyleChanged(TObject* Sender);

protected:
    void Paint() override;

private:
    TPen* FPen;
    TBrush* FBrush;
    TShapeType FShape = stRectangle;
};

using TPaintEvent = TNotifyEvent;

/// A control that paints nothing itself: OnPaint draws on its Canvas.
class TPaintBox : public TGraphicControl {
    HOST_CLASS(TPaintBox, TGraphicControl)
public:
    explicit TPaintBox(TComponent* AOwner);
    TNotifyEvent GetOnPaint() const { return FOnPaint; }
    void SetOnPaint(TNotifyEvent Value) { FOnPaint = Value; }

protected:
    void Paint() override;

private:
    TNotifyEvent FOnPaint;
};

class TImage : public TGraphicControl {
    HOST_CLASS(TImage, TGraphicControl)
public:
    explicit TImage(TComponent* AOwner);
    ~TImage() override;
    /// The image's own canvas: drawing on it draws on the picture, which becomes a bitmap of
    /// the control's size first if it holds nothing. Raises EInvalidOperation "Can only modify
    /// an image if it contains a bitmap" for a picture holding another kind of graphic.
    TCanvas* GetCanvas();
    TPicture* GetPicture() const { return FPicture; }
    void SetPicture(TPicture* Value);
    bool GetCenter() const { return FCenter; }
    void SetCenter(bool Value);
    bool GetStretch() const { return FStretch; }
    void SetStretch(bool Value);
    /// Shrinks a picture too big for the control, keeping its proportions.
    bool GetProportional() const { return FProportional; }
    void SetProportional(bool Value);
    bool GetTransparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    bool GetIncrementalDisplay() const { return FIncrementalDisplay; }
    void SetIncrementalDisplay(bool Value) { FIncrementalDisplay = Value; }
    TProgressEvent GetOnProgress() const { return FOnProgress; }
    void SetOnProgress(TProgressEvent Value) { FOnProgress = Value; }
    /// Where the picture shows, in the control's coordinates.
    TRect DestRect();

protected:
    void Paint() override;
    void AdjustSize() override;
    virtual void Progress(TObject* Sender, TProgressStage Stage, Byte PercentDone, bool RedrawNow,
                          const TRect& R, const AnsiString& Msg);

private:
    void PictureChanged(TObject* Sender);
    TPicture* FPicture;
    bool FCenter = false, FStretch = false, FProportional = false, FTransparent = false;
    bool FIncrementalDisplay = false;
    bool FDrawing = false;
    TProgressEvent FOnProgress;
};

enum TBevelStyle { bsLowered, bsRaised };
HOST_ENUM_INFO(TBevelStyle, bsLowered, bsRaised)
enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
HOST_ENUM_INFO(TBevelShape, bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine,
               bsSpacer)

class TBevel : public TGraphicControl {
    HOST_CLASS(TBevel, TGraphicControl)
public:
    explicit TBevel(TComponent* AOwner);
    TBevelShape GetShape() const { return FShape; }
    void SetShape(TBevelShape Value);
    TBevelStyle GetStyle() const { return FStyle; }
    void SetStyle(TBevelStyle Value);

protected:
    void Paint() override;

private:
    TBevelShape FShape = bsBox;
    TBevelStyle FStyle = bsLowered;
};

} // namespace host
