#include "host/extctrls/Timer.h"

#include "host/classes/TypInfoRows.h"
#include "host/controls/WinControl.h"
#include "host/forms/Application.h"

namespace host {

namespace {
constexpr Cardinal TimerId = 1;
constexpr TPropInfo TimerProps[] = {
    HOST_PROP(TTimer, Enabled).Default(true),
    HOST_PROP(TTimer, Interval).Default(1000),
    HOST_PROP(TTimer, OnTimer),
};
} // namespace

HOST_COMPONENT_METACLASS(TTimer, TComponent, PropTable(TimerProps));

/// The hidden window the application's clock posts a timer's WM_TIMER to.
class TTimerWindow : public TWinControl {
public:
    explicit TTimerWindow(TTimer* Timer) : TWinControl(nullptr), FTimer(Timer) {}
    void WndProc(TMessage& Message) override {
        if (Message.Msg == WM_TIMER) {
            try {
                FTimer->Timer();
            } catch (const Exception&) {
                Application()->HandleException(FTimer);
            }
        } else {
            TWinControl::WndProc(Message);
        }
    }

private:
    TTimer* FTimer;
};

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner) {
    FWindow = new TTimerWindow(this);
    UpdateTimer();
}

TTimer::~TTimer() {
    FEnabled = false;
    UpdateTimer();
    FWindow->Free();
}

void TTimer::UpdateTimer() {
    if (FRunning) Application()->KillTimer(FWindow->GetHandle(), TimerId);
    // Without OnTimer there is nothing to run; while a form is read its values come in one by
    // one, so the timer starts once they are all there.
    FRunning =
        FEnabled && FInterval != 0 && bool(FOnTimer) && !GetComponentState().Contains(csLoading);
    if (FRunning) Application()->SetTimer(FWindow->GetHandle(), TimerId, FInterval);
}

void TTimer::SetEnabled(bool Value) {
    if (Value == FEnabled) return;
    FEnabled = Value;
    UpdateTimer();
}

void TTimer::SetInterval(Cardinal Value) {
    if (Value == FInterval) return;
    FInterval = Value;
    UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent Value) {
    FOnTimer = Value;
    UpdateTimer();
}

void TTimer::Loaded() {
    TComponent::Loaded();
    UpdateTimer();
}

void TTimer::Timer() {
    if (FEnabled && FOnTimer) FOnTimer(this);
}

} // namespace host
