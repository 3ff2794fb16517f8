// The scroll bar control: its position moved by the arrows, the track and the thumb with the
// mouse, and by the keys, each move offered to OnScroll first.
#pragma once

#include "host/controls/WinControl.h"
#include "host/forms/Form.h"

namespace host {

enum TScrollCode {
    scLineUp,
    scLineDown,
    scPageUp,
    scPageDown,
    scPosition,
    scTrack,
    scTop,
    scBottom,
    scEndScroll
};
HOST_ENUM_INFO(TScrollCode, scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop,
               scBottom, scEndScroll)
using TScrollEvent = Closure<void(TObject* Sender, TScrollCode ScrollCode, Integer& ScrollPos)>;

class TScrollBar : public TWinControl {
    HOST_CLASS(TScrollBar, TWinControl)
public:
    explicit TScrollBar(TComponent* AOwner);
    TScrollBarKind GetKind() const { return FKind; }
    /// Turning the bar swaps its width and height.
    void SetKind(TScrollBarKind Value);
    SmallInt GetLargeChange() const { return FLargeChange; }
    void SetLargeChange(SmallInt Value) { FLargeChange = Value; }
    SmallInt GetSmallChange() const { return FSmallChange; }
    void SetSmallChange(SmallInt Value) { FSmallChange = Value; }
    Integer GetMax() const { return FMax; }
    void SetMax(Integer Value) { SetParams(FPosition, FMin, Value); }
    Integer GetMin() const { return FMin; }
    void SetMin(Integer Value) { SetParams(FPosition, Value, FMax); }
    Integer GetPageSize() const { return FPageSize; }
    /// Raises EInvalidOperation "Property value out of range" beyond the range, as the host.
    void SetPageSize(Integer Value);
    Integer GetPosition() const { return FPosition; }
    void SetPosition(Integer Value) { SetParams(Value, FMin, FMax); }
    /// Sets the three at once; Min above Max is the host's EInvalidOperation.
    void SetParams(Integer APosition, Integer AMin, Integer AMax);

    TNotifyEvent GetOnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent Value) { FOnChange = Value; }
    TScrollEvent GetOnScroll() const { return FOnScroll; }
    void SetOnScroll(TScrollEvent Value) { FOnScroll = Value; }

    // The steps, straight into the control as the host's class infos store them.
    SmallInt FLargeChange = 1, FSmallChange = 1;

protected:
    virtual void Change();
    virtual void Scroll(TScrollCode ScrollCode, Integer& ScrollPos);
    /// A move of the kind `Code` from the position (or to `Pos` for scPosition and scTrack).
    void DoScroll(TScrollCode Code, Integer Pos = 0);
    void DefaultHandler(void* Message) override;
    void PaintWindow(TCanvas* Canvas) override;

private:
    TScrollBarKind FKind = sbHorizontal;
    Integer FMin = 0, FMax = 100, FPosition = 0, FPageSize = 0;
    int FPressed = 0;       // the arrow held down
    bool FTracking = false; // the thumb is being dragged
    Integer FTrackOffset = 0;
    TNotifyEvent FOnChange;
    TScrollEvent FOnScroll;
};

} // namespace host
