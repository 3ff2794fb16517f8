// The two kinds of control that paint themselves: TGraphicControl, drawn on its parent's
// window, and TCustomControl, with a window of its own; both paint in Paint on their Canvas, a
// TControlCanvas.
#pragma once

#include "host/controls/WinControl.h"
#include "host/graphics/Canvas.h"

namespace host {

/// The canvas a control paints on. While the control paints it draws where the control
/// shows; outside painting it draws on a scratch surface of the control's size, as drawing on
/// a window between paintings is overwritten by the next one.
class TControlCanvas : public TCanvas {
    HOST_CLASS(TControlCanvas, TCanvas)
public:
    TControlCanvas() = default;
    ~TControlCanvas() override;
    TControl* GetControl() const { return FControl; }
    void SetControl(TControl* Value);
    /// Lets go of the device context the canvas made.
    void FreeHandle();
    /// The text flags follow the control's reading order.
    void UpdateTextFlags();

protected:
    void CreateHandle() override;

private:
    TControl* FControl = nullptr;
    HDC FOwnDC = 0;
};

class TGraphicControl : public TControl {
    HOST_CLASS(TGraphicControl, TControl)
public:
    explicit TGraphicControl(TComponent* AOwner);
    ~TGraphicControl() override;
    TCanvas* GetCanvas() const { return FCanvas; }
    void PaintControl(TCanvas* Target) override;

protected:
    virtual void Paint() {}
    TControlCanvas* FCanvas;
};

class TCustomControl : public TWinControl {
    HOST_CLASS(TCustomControl, TWinControl)
public:
    explicit TCustomControl(TComponent* AOwner);
    ~TCustomControl() override;
    TCanvas* GetCanvas() const { return FCanvas; }

protected:
    virtual void Paint() {}
    void PaintWindow(TCanvas* Target) override;
    TControlCanvas* FCanvas;
};

/// Paints with `Canvas` on the device context of `Target` for the time of `Paint`, the
/// control's font and brush as they are set.
template <class F>
void PaintWith(TControlCanvas* Canvas, TControl* Control, TCanvas* Target, F&& Paint) {
    HDC own = Canvas->HandleAllocated() ? Canvas->GetHandleValue() : 0;
    Canvas->SetHandle(Target->GetHandle());
    Canvas->GetFont()->Assign(Control->GetFont());
    try {
        Paint();
    } catch (...) {
        Canvas->SetHandle(own);
        throw;
    }
    Canvas->SetHandle(own);
}

} // namespace host
