// TControlActionLink: how a control follows its action (Caption, Enabled, Hint, Visible and
// OnClick while they show the action's values, and the action's say over its hint);
// TWinControlActionLink adds HelpContext for windowed controls.
#pragma once

#include "host/actnlist/CustomAction.h"
#include "host/controls/Control.h"

namespace host {

class TControlActionLink : public TActionLink {
    HOST_CLASS(TControlActionLink, TActionLink)
public:
    explicit TControlActionLink(TObject* AClient);
    TControl* GetClient() const { return FClient; }
    /// Lets a TCustomAction change the hint about to show (its OnHint); false: no hint.
    virtual bool DoShowHint(AnsiString& HintStr);

protected:
    void AssignClient(TObject* AClient) override;
    bool IsCaptionLinked() override;
    bool IsEnabledLinked() override;
    bool IsHintLinked() override;
    bool IsVisibleLinked() override;
    bool IsOnExecuteLinked() override;
    void SetCaption(const AnsiString& Value) override;
    void SetEnabled(bool Value) override;
    void SetHint(const AnsiString& Value) override;
    void SetVisible(bool Value) override;
    void SetOnExecute(TNotifyEvent Value) override;

    TControl* FClient = nullptr;
    friend class TControl;
};

class TWinControlActionLink : public TControlActionLink {
    HOST_CLASS(TWinControlActionLink, TControlActionLink)
public:
    explicit TWinControlActionLink(TObject* AClient);

protected:
    void AssignClient(TObject* AClient) override;
    bool IsHelpContextLinked() override;
    void SetHelpContext(THelpContext Value) override;

    TWinControl* FWinClient = nullptr;
    friend class TWinControl;
};

} // namespace host
