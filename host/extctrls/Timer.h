// TTimer: OnTimer every Interval milliseconds of the application's clock while Enabled.
#pragma once

#include "host/classes/Component.h"

namespace host {

class TWinControl;

class TTimer : public TComponent {
    HOST_CLASS(TTimer, TComponent)
public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;
    bool GetEnabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    Cardinal GetInterval() const { return FInterval; }
    void SetInterval(Cardinal Value);
    TNotifyEvent GetOnTimer() const { return FOnTimer; }
    void SetOnTimer(TNotifyEvent Value);
    /// Whether the timer is counting now: enabled, with an interval and an OnTimer.
    bool Running() const { return FRunning; }

protected:
    virtual void Timer();
    void Loaded() override;

private:
    friend class TTimerWindow;
    /// Stops the count and starts it again from now when the timer should run.
    void UpdateTimer();
    TWinControl* FWindow = nullptr; // receives the clock's WM_TIMER
    Cardinal FInterval = 1000;
    bool FEnabled = true;
    bool FRunning = false;
    TNotifyEvent FOnTimer;
};

} // namespace host
