// Bitmap buttons: push buttons with a glyph beside the caption. A kind other than bkCustom
// gives the button its standard caption, glyph and modal result (and makes OK and Yes the
// default, Cancel and No the cancel button); Close closes the form and Help asks for help.
#pragma once

#include "host/buttons/ButtonGlyph.h"
#include "host/stdctrls/ButtonControls.h"

namespace host {

enum TBitBtnKind {
    bkCustom,
    bkOK,
    bkCancel,
    bkHelp,
    bkYes,
    bkNo,
    bkClose,
    bkAbort,
    bkRetry,
    bkIgnore,
    bkAll
};
HOST_ENUM_INFO(TBitBtnKind, bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort,
               bkRetry, bkIgnore, bkAll)

class TBitBtn : public TButton {
    HOST_CLASS(TBitBtn, TButton)
public:
    explicit TBitBtn(TComponent* AOwner);

    TBitBtnKind GetKind() const;
    void SetKind(TBitBtnKind Value);
    /// A glyph of one's own makes the button a custom one.
    TBitmap* GetGlyph() const { return FGlyph.GetGlyph(); }
    void SetGlyph(TBitmap* Value);
    TButtonLayout GetLayout() const { return FGlyph.GetLayout(); }
    void SetLayout(TButtonLayout Value) {
        if (FGlyph.SetLayout(Value)) Invalidate();
    }
    Integer GetMargin() const { return FGlyph.GetMargin(); }
    void SetMargin(Integer Value) {
        if (FGlyph.SetMargin(Value)) Invalidate();
    }
    TNumGlyphs GetNumGlyphs() const { return FGlyph.GetNumGlyphs(); }
    void SetNumGlyphs(TNumGlyphs Value) { FGlyph.SetNumGlyphs(Value); }
    Integer GetSpacing() const { return FGlyph.GetSpacing(); }
    void SetSpacing(Integer Value) {
        if (FGlyph.SetSpacing(Value)) Invalidate();
    }
    TButtonStyle GetStyle() const { return FStyle; }
    void SetStyle(TButtonStyle Value);

    void Click() override;

    // What a form file holds only where it differs from the kind's.
    bool IsCustom() const { return GetKind() == bkCustom; }
    bool IsCustomCaption() const;

protected:
    void PaintWindow(TCanvas* Canvas) override;

private:
    void GlyphChanged(TObject*);
    TButtonGlyph FGlyph;
    TBitBtnKind FKind = bkCustom;
    bool FSettingKind = false;
    TButtonStyle FStyle = bsAutoDetect;
};

/// The standard caption and modal result of a kind.
AnsiString BitBtnCaption(TBitBtnKind Kind);
TModalResult BitBtnModalResult(TBitBtnKind Kind);

} // namespace host
