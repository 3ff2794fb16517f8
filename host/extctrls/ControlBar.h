// TCustomControlBar and TControlBar: the controls on the bar sit in bands, in rows of RowSize,
// each band with a grabber the mouse moves it by.
#pragma once

#include "host/controls/CustomControls.h"

#include <vector>

namespace host {

class TPicture;

enum TBandPaintOption { bpoGrabber, bpoFrame, bpoGradient, bpoRoundRect };
HOST_ENUM_INFO(TBandPaintOption, bpoGrabber, bpoFrame, bpoGradient, bpoRoundRect)
using TBandPaintOptions = Set<TBandPaintOption, 4>;
// Its values share their names with the image lists' drawing styles, so they live apart:
// controlbar::dsNormal, controlbar::dsGradient.
namespace controlbar {
enum TBandDrawingStyle { dsNormal, dsGradient };
HOST_ENUM_INFO(TBandDrawingStyle, dsNormal, dsGradient)
} // namespace controlbar
using controlbar::TBandDrawingStyle;
using TRowSize = Integer;

using TBandDragEvent = Closure<void(TObject* Sender, TControl* Control, bool& Drag)>;
using TBandInfoEvent = Closure<void(TObject* Sender, TControl* Control, TRect& Insets,
                                    Integer& PreferredSize, Integer& RowCount)>;
using TBandMoveEvent = Closure<void(TObject* Sender, TControl* Control, TRect& ARect)>;
using TBandPaintEvent = Closure<void(TObject* Sender, TControl* Control, TCanvas* Canvas,
                                     TRect& ARect, TBandPaintOptions& Options)>;

class TCustomControlBar : public TCustomControl {
    HOST_CLASS(TCustomControlBar, TCustomControl)
public:
    explicit TCustomControlBar(TComponent* AOwner);
    ~TCustomControlBar() override;
    bool GetAutoDock() const { return FAutoDock; }
    void SetAutoDock(bool Value) { FAutoDock = Value; }
    bool GetAutoDrag() const { return FAutoDrag; }
    void SetAutoDrag(bool Value) { FAutoDrag = Value; }
    TBandDrawingStyle GetDrawingStyle() const { return FDrawingStyle; }
    void SetDrawingStyle(TBandDrawingStyle Value);
    /// The background, tiled over the bar; empty for the bar's colour.
    TPicture* GetPicture() const { return FPicture; }
    void SetPicture(TPicture* Value);
    TRowSize GetRowSize() const { return FRowSize; }
    void SetRowSize(TRowSize Value);
    bool GetRowSnap() const { return FRowSnap; }
    void SetRowSnap(bool Value);
    /// Puts the bands in their rows: each control's top (and with RowSnap its height) follows
    /// its row, and bands in one row do not overlap, the ones further right giving way.
    virtual void StickControls();
    /// The band of `Control`: its bounds with the band's insets round it.
    TRect BandRect(TControl* Control);
    /// The control whose band's grabber is at `Pos` (client coordinates); null for none.
    TControl* GrabberAt(TPoint Pos);

    TBandDragEvent GetOnBandDrag() const { return FOnBandDrag; }
    void SetOnBandDrag(TBandDragEvent Value) { FOnBandDrag = Value; }
    TBandInfoEvent GetOnBandInfo() const { return FOnBandInfo; }
    void SetOnBandInfo(TBandInfoEvent Value) { FOnBandInfo = Value; }
    TBandMoveEvent GetOnBandMove() const { return FOnBandMove; }
    void SetOnBandMove(TBandMoveEvent Value) { FOnBandMove = Value; }
    TBandPaintEvent GetOnBandPaint() const { return FOnBandPaint; }
    void SetOnBandPaint(TBandPaintEvent Value) { FOnBandPaint = Value; }
    TNotifyEvent GetOnPaint() const { return FOnPaint; }
    void SetOnPaint(TNotifyEvent Value) { FOnPaint = Value; }

protected:
    void AlignControls(TControl* AControl, TRect& Rect) override;
    void Paint() override;
    virtual void PaintControlFrame(TCanvas* Canvas, TControl* AControl, const TRect& ARect);
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void DockOver(TDragDockObject* Source, Integer X, Integer Y, TDragState State,
                  bool& Accept) override;
    /// The band's insets, preferred width and rows (OnBandInfo may change them).
    virtual void DoBandInfo(TControl* Control, TRect& Insets, Integer& PreferredSize,
                            Integer& RowCount);
    virtual bool DoBandDrag(TControl* Control);
    virtual void DoBandMove(TControl* Control, TRect& ARect);

private:
    void PictureChanged(TObject* Sender);
    std::vector<TControl*> Bands();
    TPicture* FPicture;
    bool FAutoDock = true, FAutoDrag = true, FRowSnap = true;
    TRowSize FRowSize = 26;
    TBandDrawingStyle FDrawingStyle = controlbar::dsNormal;
    bool FSticking = false;
    TControl* FDragControl = nullptr; // the band the mouse moves
    TPoint FDragOffset;               // the press within that band
    TBandDragEvent FOnBandDrag;
    TBandInfoEvent FOnBandInfo;
    TBandMoveEvent FOnBandMove;
    TBandPaintEvent FOnBandPaint;
    TNotifyEvent FOnPaint;
};

class TControlBar : public TCustomControlBar {
    HOST_CLASS(TControlBar, TCustomControlBar)
public:
    using TCustomControlBar::TCustomControlBar;
};

} // namespace host
