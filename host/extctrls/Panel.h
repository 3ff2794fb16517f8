// TCustomPanel and TPanel: a container with a beveled edge and a caption in its middle.
#pragma once

#include "host/controls/CustomControls.h"
#include "host/forms/Form.h"

namespace host {

using TBorderStyle = TFormBorderStyle; // bsNone or bsSingle
using TBevelWidth = Integer;
using TBorderWidth = Integer;

class TCustomPanel : public TCustomControl {
    HOST_CLASS(TCustomPanel, TCustomControl)
public:
    explicit TCustomPanel(TComponent* AOwner);
    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TAlignment GetControlsAlignment() const override { return FAlignment; }
    TBorderStyle GetBorderStyle() const { return FBorderStyle; }
    /// bsNone or bsSingle (a window border, sunken with Ctl3D).
    void SetBorderStyle(TBorderStyle Value);
    bool GetFullRepaint() const { return FFullRepaint; }
    void SetFullRepaint(bool Value) { FFullRepaint = Value; }
    bool GetLocked() const { return FLocked; }
    void SetLocked(bool Value) { FLocked = Value; }
    TRect GetNonClientInsets() override;

protected:
    void AdjustClientRect(TRect& Rect) override;
    void Paint() override;
    void PaintNonClient(TCanvas* Canvas) override;

private:
    TAlignment FAlignment = taCenter;
    TBorderStyle FBorderStyle = bsNone;
    bool FFullRepaint = true;
    bool FLocked = false;
};

class TPanel : public TCustomPanel {
    HOST_CLASS(TPanel, TCustomPanel)
public:
    using TCustomPanel::TCustomPanel;
};

} // namespace host
