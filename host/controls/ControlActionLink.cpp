#include "host/controls/ControlActionLink.h"

#include "host/classes/TypInfoRows.h"
#include "host/controls/WinControl.h"

namespace host {

HOST_METACLASS(TControlActionLink, TActionLink);
HOST_METACLASS(TWinControlActionLink, TControlActionLink);

namespace {
TCustomAction* ActionOf(TBasicAction* A) {
    return DynCast<TCustomAction>(A);
}
} // namespace

// ---- TControlActionLink ----

TControlActionLink::TControlActionLink(TObject* AClient) : TActionLink(AClient) {
    // The base's constructor cannot reach this class's AssignClient.
    AssignClient(AClient);
}

void TControlActionLink::AssignClient(TObject* AClient) {
    FClient = DynCast<TControl>(AClient);
}

bool TControlActionLink::DoShowHint(AnsiString& HintStr) {
    TCustomAction* a = ActionOf(FAction);
    return a ? a->DoHint(HintStr) : true;
}

bool TControlActionLink::IsCaptionLinked() {
    return TActionLink::IsCaptionLinked() && FClient &&
           FClient->GetCaption() == ActionOf(FAction)->GetCaption();
}
bool TControlActionLink::IsEnabledLinked() {
    return TActionLink::IsEnabledLinked() && FClient &&
           FClient->GetEnabled() == ActionOf(FAction)->GetEnabled();
}
bool TControlActionLink::IsHintLinked() {
    return TActionLink::IsHintLinked() && FClient &&
           FClient->GetHint() == ActionOf(FAction)->GetHint();
}
bool TControlActionLink::IsVisibleLinked() {
    return TActionLink::IsVisibleLinked() && FClient &&
           FClient->GetVisible() == ActionOf(FAction)->GetVisible();
}
bool TControlActionLink::IsOnExecuteLinked() {
    return TActionLink::IsOnExecuteLinked() && FClient && FAction &&
           FClient->GetOnClick() == FAction->GetOnExecute();
}

void TControlActionLink::SetCaption(const AnsiString& Value) {
    if (IsCaptionLinked()) FClient->SetCaption(Value);
}
void TControlActionLink::SetEnabled(bool Value) {
    if (IsEnabledLinked()) FClient->SetEnabled(Value);
}
void TControlActionLink::SetHint(const AnsiString& Value) {
    if (IsHintLinked()) FClient->SetHint(Value);
}
void TControlActionLink::SetVisible(bool Value) {
    if (IsVisibleLinked()) FClient->SetVisible(Value);
}
void TControlActionLink::SetOnExecute(TNotifyEvent Value) {
    if (IsOnExecuteLinked()) FClient->SetOnClick(Value);
}

// ---- TWinControlActionLink ----

TWinControlActionLink::TWinControlActionLink(TObject* AClient) : TControlActionLink(AClient) {
    AssignClient(AClient);
}

void TWinControlActionLink::AssignClient(TObject* AClient) {
    TControlActionLink::AssignClient(AClient);
    FWinClient = DynCast<TWinControl>(AClient);
}

bool TWinControlActionLink::IsHelpContextLinked() {
    return TControlActionLink::IsHelpContextLinked() && FWinClient &&
           FWinClient->GetHelpContext() == ActionOf(FAction)->GetHelpContext();
}
void TWinControlActionLink::SetHelpContext(THelpContext Value) {
    if (IsHelpContextLinked()) FWinClient->SetHelpContext(Value);
}

} // namespace host
