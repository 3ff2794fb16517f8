// Captions: labels (graphic controls that name another control and pass it their
// accelerator), static text (the same in a window of its own) and group boxes.
#pragma once

#include "host/controls/CustomControls.h"

namespace host {

enum TTextLayout { tlTop, tlCenter, tlBottom };
HOST_ENUM_INFO(TTextLayout, tlTop, tlCenter, tlBottom)

class TCustomLabel : public TGraphicControl {
    HOST_CLASS(TCustomLabel, TGraphicControl)
public:
    explicit TCustomLabel(TComponent* AOwner);
    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    bool GetAutoSize() const { return TControl::GetAutoSize(); }
    void SetAutoSize(bool Value);
    /// The control its accelerator gives the focus to.
    TWinControl* GetFocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* Value);
    bool GetShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool Value);
    /// A transparent label paints only its text over what lies beneath.
    bool GetTransparent() const { return !FControlStyle.Contains(csOpaque); }
    void SetTransparent(bool Value);
    TTextLayout GetLayout() const { return FLayout; }
    void SetLayout(TTextLayout Value);
    bool GetWordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    TAlignment GetControlsAlignment() const override { return FAlignment; }

protected:
    void Paint() override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void AdjustSize() override { AdjustBounds(); }
    /// The size its text takes, keeping the side its alignment holds to.
    void AdjustBounds();
    /// The text drawn (or measured, with DT_CALCRECT) in `Rect`.
    virtual void DoDrawText(TRect& Rect, Cardinal Flags);
    void CMTextChanged(TMessage& Message);
    void CMFontChanged(TMessage& Message);
    void CMDialogChar(TMessage& Message);

public:
    static const TMessageEntry Messages[];

private:
    TAlignment FAlignment = taLeftJustify;
    TWinControl* FFocusControl = nullptr;
    bool FShowAccelChar = true;
    TTextLayout FLayout = tlTop;
    bool FWordWrap = false;
};

class TLabel : public TCustomLabel {
    HOST_CLASS(TLabel, TCustomLabel)
public:
    using TCustomLabel::TCustomLabel;
};

enum TStaticBorderStyle { sbsNone, sbsSingle, sbsSunken };
HOST_ENUM_INFO(TStaticBorderStyle, sbsNone, sbsSingle, sbsSunken)

class TCustomStaticText : public TWinControl {
    HOST_CLASS(TCustomStaticText, TWinControl)
public:
    explicit TCustomStaticText(TComponent* AOwner);
    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    bool GetAutoSize() const { return TControl::GetAutoSize(); }
    void SetAutoSize(bool Value);
    TStaticBorderStyle GetBorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TStaticBorderStyle Value);
    TWinControl* GetFocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* Value);
    bool GetShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool Value);
    TAlignment GetControlsAlignment() const override { return FAlignment; }

protected:
    TRect GetNonClientInsets() override;
    void PaintNonClient(TCanvas* Canvas) override;
    void PaintWindow(TCanvas* Canvas) override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void AdjustSize() override { AdjustBounds(); }
    void AdjustBounds();
    void CMTextChanged(TMessage& Message);
    void CMFontChanged(TMessage& Message);
    void CMDialogChar(TMessage& Message);

public:
    static const TMessageEntry Messages[];

private:
    TAlignment FAlignment = taLeftJustify;
    TStaticBorderStyle FBorderStyle = sbsNone;
    TWinControl* FFocusControl = nullptr;
    bool FShowAccelChar = true;
};

class TStaticText : public TCustomStaticText {
    HOST_CLASS(TStaticText, TCustomStaticText)
public:
    using TCustomStaticText::TCustomStaticText;
};

class TCustomGroupBox : public TCustomControl {
    HOST_CLASS(TCustomGroupBox, TCustomControl)
public:
    explicit TCustomGroupBox(TComponent* AOwner);

protected:
    /// Below the caption and inside the etched frame.
    void AdjustClientRect(TRect& Rect) override;
    void Paint() override;
    void CMDialogChar(TMessage& Message);
    void CMTextChanged(TMessage& Message);

public:
    static const TMessageEntry Messages[];
};

class TGroupBox : public TCustomGroupBox {
    HOST_CLASS(TGroupBox, TCustomGroupBox)
public:
    using TCustomGroupBox::TCustomGroupBox;
};

} // namespace host
