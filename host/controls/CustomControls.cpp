#include "host/controls/CustomControls.h"

#include "host/classes/TypInfoRows.h"

namespace host {

HOST_METACLASS(TControlCanvas, TCanvas);
HOST_COMPONENT_METACLASS(TGraphicControl, TControl);
HOST_COMPONENT_METACLASS(TCustomControl, TWinControl);

// ---- TControlCanvas ----

TControlCanvas::~TControlCanvas() {
    FreeHandle();
}

void TControlCanvas::SetControl(TControl* Value) {
    if (Value == FControl) return;
    FreeHandle();
    FControl = Value;
}

void TControlCanvas::FreeHandle() {
    if (FOwnDC) {
        if (GetHandleValue() == FOwnDC) SetHandle(0);
        DeleteDC(FOwnDC);
        FOwnDC = 0;
    }
}

void TControlCanvas::CreateHandle() {
    Integer w = FControl ? FControl->GetWidth() : 0, h = FControl ? FControl->GetHeight() : 0;
    FreeHandle();
    FOwnDC = CreateSurfaceDC(std::make_shared<TPixelSurface>(w, h));
    SetHandle(FOwnDC);
}

void TControlCanvas::UpdateTextFlags() {
    // Left-to-right reading: no flags of its own (right-to-left reading comes with BiDiMode).
    SetTextFlags(0);
}

// ---- TGraphicControl ----

TGraphicControl::TGraphicControl(TComponent* AOwner)
    : TControl(AOwner), FCanvas(new TControlCanvas) {
    FCanvas->SetControl(this);
}

TGraphicControl::~TGraphicControl() {
    FCanvas->Free();
}

void TGraphicControl::PaintControl(TCanvas* Target) {
    PaintWith(FCanvas, this, Target, [&] { Paint(); });
}

// ---- TCustomControl ----

TCustomControl::TCustomControl(TComponent* AOwner)
    : TWinControl(AOwner), FCanvas(new TControlCanvas) {
    FCanvas->SetControl(this);
}

TCustomControl::~TCustomControl() {
    FCanvas->Free();
}

void TCustomControl::PaintWindow(TCanvas* Target) {
    PaintWith(FCanvas, this, Target, [&] { Paint(); });
}

} // namespace host
