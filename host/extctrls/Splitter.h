// TSplitter: a bar aligned beside a control; dragging it resizes that control.
#pragma once

#include "host/controls/CustomControls.h"
#include "host/controls/WinControl.h"

namespace host {

enum TResizeStyle { rsNone, rsLine, rsUpdate, rsPattern };
HOST_ENUM_INFO(TResizeStyle, rsNone, rsLine, rsUpdate, rsPattern)
using NaturalNumber = Integer;
/// OnCanResize of a splitter: the handler may change the size or refuse it.
using TSplitterCanResizeEvent = Closure<void(TObject* Sender, Integer& NewSize, bool& Accept)>;

class TSplitter : public TGraphicControl {
    HOST_CLASS(TSplitter, TGraphicControl)
public:
    /// Aligned to the left, 3 wide, with the sizing cursor.
    explicit TSplitter(TComponent* AOwner);
    /// Gives back the OnKeyDown it borrowed when freed mid-drag.
    ~TSplitter() override;
    /// The cursor follows the direction the splitter moves in.
    void SetAlign(TAlign Value);
    bool GetAutoSnap() const { return FAutoSnap; }
    void SetAutoSnap(bool Value) { FAutoSnap = Value; }
    bool GetBeveled() const { return FBeveled; }
    void SetBeveled(bool Value);
    /// The smallest size the control beside it keeps (below half of it, with AutoSnap, the
    /// control closes to 0).
    NaturalNumber GetMinSize() const { return FMinSize; }
    void SetMinSize(NaturalNumber Value);
    TResizeStyle GetResizeStyle() const { return FResizeStyle; }
    void SetResizeStyle(TResizeStyle Value) { FResizeStyle = Value; }
    TSplitterCanResizeEvent GetOnCanResize() const { return FOnCanResize; }
    void SetOnCanResize(TSplitterCanResizeEvent Value) { FOnCanResize = Value; }
    TNotifyEvent GetOnMoved() const { return FOnMoved; }
    void SetOnMoved(TNotifyEvent Value) { FOnMoved = Value; }
    TNotifyEvent GetOnPaint() const { return FOnPaint; }
    void SetOnPaint(TNotifyEvent Value) { FOnPaint = Value; }
    /// The control the splitter resizes now: the visible one beside it on its side.
    TControl* FindControl();
    /// Whether a drag is on; where the line of rsLine and rsPattern stands (parent's client
    /// coordinates of the splitter's would-be top left) while it is.
    bool Sizing() const { return FControl != nullptr; }
    TPoint LinePos() const { return FLinePos; }

protected:
    void Paint() override;
    void PaintOverParent(TCanvas* Canvas) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    virtual bool CanResize(Integer& NewSize);
    virtual void StopSizing();

private:
    bool Horizontal() const { return FAlign == alLeft || FAlign == alRight; }
    /// The control's size for the mouse at `Screen`, within MinSize and what room there is;
    /// false when OnCanResize refused it.
    bool NewSizeAt(TPoint Screen, Integer& Size);
    void ApplySize(Integer Size);
    /// Esc in the form while the mouse drags: the drag ends with the size as it was.
    void FocusKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
    void ReleaseKeys();

    bool FAutoSnap = true, FBeveled = false;
    NaturalNumber FMinSize = 30;
    TResizeStyle FResizeStyle = rsPattern;
    TControl* FControl = nullptr; // the control being resized while the mouse drags
    TPoint FDownPos;              // the press, on the screen
    Integer FOldSize = 0, FMaxSize = 0, FNewSize = 0, FStartSize = 0;
    TPoint FLinePos;
    TWinControl* FKeyControl = nullptr; // whose OnKeyDown the splitter hears while dragging
    TKeyEvent FOldKeyDown;
    TSplitterCanResizeEvent FOnCanResize;
    TNotifyEvent FOnMoved, FOnPaint;
};

} // namespace host
