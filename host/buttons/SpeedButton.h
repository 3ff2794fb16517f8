// Speed buttons: graphic buttons for tool bars. Buttons of one parent with the same GroupIndex
// (other than 0) work together: pressing one holds it down and lets the others up; AllowAllUp
// lets the held one come up again. A flat button shows its edge only under the mouse.
#pragma once

#include "host/buttons/ButtonGlyph.h"
#include "host/controls/CustomControls.h"

namespace host {

class TSpeedButton : public TGraphicControl {
    HOST_CLASS(TSpeedButton, TGraphicControl)
public:
    explicit TSpeedButton(TComponent* AOwner);

    bool GetAllowAllUp() const { return FAllowAllUp; }
    /// The whole group follows.
    void SetAllowAllUp(bool Value);
    Integer GetGroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(Integer Value);
    bool GetDown() const { return FDown; }
    /// Only a grouped button stays down; going down lets the rest of its group up.
    void SetDown(bool Value);
    bool GetFlat() const { return FFlat; }
    void SetFlat(bool Value);
    TBitmap* GetGlyph() const { return FGlyph.GetGlyph(); }
    void SetGlyph(TBitmap* Value) { FGlyph.SetGlyph(Value); }
    TNumGlyphs GetNumGlyphs() const { return FGlyph.GetNumGlyphs(); }
    void SetNumGlyphs(TNumGlyphs Value) { FGlyph.SetNumGlyphs(Value); }
    TButtonLayout GetLayout() const { return FGlyph.GetLayout(); }
    void SetLayout(TButtonLayout Value) {
        if (FGlyph.SetLayout(Value)) Invalidate();
    }
    Integer GetMargin() const { return FGlyph.GetMargin(); }
    void SetMargin(Integer Value) {
        if (FGlyph.SetMargin(Value)) Invalidate();
    }
    Integer GetSpacing() const { return FGlyph.GetSpacing(); }
    void SetSpacing(Integer Value) {
        if (FGlyph.SetSpacing(Value)) Invalidate();
    }
    bool GetTransparent() const { return FTransparent; }
    void SetTransparent(bool Value);

    /// What the face shows now: up, pressed, held down (exclusive) or disabled.
    TButtonState GetState() const { return FState; }
    bool MouseInControl() const { return FMouseInControl; }

protected:
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
    void CMButtonPressed(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);
    void CMDialogChar(TMessage& Message);
    void Loaded() override;

public:
    static const TMessageEntry Messages[];

private:
    void GlyphChanged(TObject*) { Invalidate(); }
    /// Tells the rest of the group that this one went down or changed AllowAllUp.
    void UpdateExclusive();
    bool Inside(Integer X, Integer Y) const;

    TButtonGlyph FGlyph;
    TButtonState FState = bsUp;
    bool FAllowAllUp = false;
    Integer FGroupIndex = 0;
    bool FDown = false;
    bool FDragging = false;
    bool FFlat = false;
    bool FMouseInControl = false;
    bool FTransparent = true;
};

} // namespace host
