// Buttons, check boxes and radio buttons: the platform's button window (pressed by the mouse
// and the space bar, BN_CLICKED when released over it), in the classic look.
#pragma once

#include "host/controls/ControlActionLink.h"
#include "host/controls/WinControl.h"
#include "host/forms/Form.h"

namespace host {

class TButtonControl;

/// A button's link to its action: Checked follows the action too.
class TButtonActionLink : public TWinControlActionLink {
    HOST_CLASS(TButtonActionLink, TWinControlActionLink)
public:
    explicit TButtonActionLink(TObject* AClient);

protected:
    void AssignClient(TObject* AClient) override;
    bool IsCheckedLinked() override;
    void SetChecked(bool Value) override;
    TButtonControl* FButtonClient = nullptr;
};

class TButtonControl : public TWinControl {
    HOST_CLASS(TButtonControl, TWinControl)
public:
    explicit TButtonControl(TComponent* AOwner);
    virtual bool GetChecked() const { return false; }
    virtual void SetChecked(bool /*Value*/) {}
    /// While set, changing Checked in code fires no OnClick.
    bool GetClicksDisabled() const { return FClicksDisabled; }
    void SetClicksDisabled(bool Value) { FClicksDisabled = Value; }
    /// Whether the button shows pressed: held down by the mouse over it, or the space bar.
    bool IsPressed() const { return FPressed; }

protected:
    TControlActionLink* CreateActionLink() override;
    void ActionChange(TObject* Sender, bool CheckDefaults) override;
    void DefaultHandler(void* Message) override;
    /// The button was clicked (released over it, the space bar, BM_CLICK): its own reaction.
    virtual void ButtonClicked() { Click(); }
    void SetPressed(bool Value);
    bool FClicksDisabled = false;

private:
    bool FPressed = false;
    bool FSpaceDown = false;
    bool FMouseDown = false;
};

class TButton : public TButtonControl {
    HOST_CLASS(TButton, TButtonControl)
public:
    explicit TButton(TComponent* AOwner);
    bool GetCancel() const { return FCancel; }
    void SetCancel(bool Value) { FCancel = Value; }
    bool GetDefault() const { return FDefault; }
    void SetDefault(bool Value);
    TModalResult GetModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }
    /// Sets its form's ModalResult (closing a modal form), then OnClick.
    void Click() override;
    /// Whether Enter clicks it: it has the focus, or it is the default and no other button has.
    bool IsActive();

protected:
    void PaintWindow(TCanvas* Canvas) override;
    /// The focus rectangle inside the face of a focused button.
    void PaintFocus(TCanvas* Canvas);
    void CMDialogKey(TMessage& Message);
    void CMDialogChar(TMessage& Message);
    void CMFocusChanged(TMessage& Message);

public:
    static const TMessageEntry Messages[];

private:
    bool FCancel = false;
    bool FDefault = false;
    TModalResult FModalResult = mrNone;
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
HOST_ENUM_INFO(TCheckBoxState, cbUnchecked, cbChecked, cbGrayed)

class TCustomCheckBox : public TButtonControl {
    HOST_CLASS(TCustomCheckBox, TButtonControl)
public:
    explicit TCustomCheckBox(TComponent* AOwner);
    /// taRightJustify (the default) puts the caption right of the box; taLeftJustify left.
    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    bool GetAllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool Value) { FAllowGrayed = Value; }
    TCheckBoxState GetState() const { return FState; }
    /// A new state fires OnClick (unless ClicksDisabled), as the host's does.
    void SetState(TCheckBoxState Value);
    bool GetChecked() const override { return FState == cbChecked; }
    void SetChecked(bool Value) override { SetState(Value ? cbChecked : cbUnchecked); }
    /// The next state: unchecked, checked (then grayed where allowed), unchecked.
    virtual void Toggle();
    TAlignment GetControlsAlignment() const override { return FAlignment; }

protected:
    void ButtonClicked() override { Toggle(); }
    void PaintWindow(TCanvas* Canvas) override;
    void CMDialogChar(TMessage& Message);

public:
    static const TMessageEntry Messages[];

private:
    TAlignment FAlignment = taRightJustify;
    bool FAllowGrayed = false;
    TCheckBoxState FState = cbUnchecked;
};

class TCheckBox : public TCustomCheckBox {
    HOST_CLASS(TCheckBox, TCustomCheckBox)
public:
    using TCustomCheckBox::TCustomCheckBox;
};

class TRadioButton : public TButtonControl {
    HOST_CLASS(TRadioButton, TButtonControl)
public:
    explicit TRadioButton(TComponent* AOwner);
    TAlignment GetAlignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    bool GetChecked() const override { return FChecked; }
    /// Checking it unchecks the other radio buttons of its parent and fires OnClick.
    void SetChecked(bool Value) override;
    TAlignment GetControlsAlignment() const override { return FAlignment; }

protected:
    void ButtonClicked() override { SetChecked(true); }
    void PaintWindow(TCanvas* Canvas) override;
    void CMDialogChar(TMessage& Message);

public:
    static const TMessageEntry Messages[];

private:
    TAlignment FAlignment = taRightJustify;
    bool FChecked = false;
};

} // namespace host
