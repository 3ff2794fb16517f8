// A host component with the events and properties the connection tests and benchmarks need,
// and its class info. Test-only: not part of the package.
#pragma once

#include "host/classes/Component.h"

namespace zeltrix::test {

using host::AnsiString;
using host::Integer;
using host::TComponent;
using host::TObject;

/// A small component: a caption and a value that report changes, a 4x4 grid of cells (an
/// indexed property), methods with and without results and var parameters, and events with a
/// var parameter and with several parameters.
class TTestWidget : public TComponent {
    HOST_CLASS(TTestWidget, TComponent)
public:
    using TKeyEvent = host::Closure<void(TObject* Sender, Integer& Key)>;
    using TMouseEvent = host::Closure<void(TObject* Sender, Integer X, Integer Y)>;

    explicit TTestWidget(TComponent* AOwner) : TComponent(AOwner) {}

    const AnsiString& GetCaption() const { return FCaption; }
    void SetCaption(const AnsiString& Value);
    Integer GetValue() const { return FValue; }
    void SetValue(Integer Value);
    /// Raises EListError "Cell index out of range" outside 0..3.
    AnsiString GetCells(Integer Col, Integer Row) const;
    void SetCells(Integer Col, Integer Row, const AnsiString& Value);
    const AnsiString& GetLog() const { return FLog; }
    /// A property whose setter always raises, for copy failures.
    AnsiString GetBroken() const { return "broken"; }
    void SetBroken(const AnsiString& Value);

    host::TNotifyEvent GetOnClick() const { return FOnClick; }
    void SetOnClick(host::TNotifyEvent Value) { FOnClick = Value; }
    host::TNotifyEvent GetOnChange() const { return FOnChange; }
    void SetOnChange(host::TNotifyEvent Value) { FOnChange = Value; }
    TKeyEvent GetOnKey() const { return FOnKey; }
    void SetOnKey(TKeyEvent Value) { FOnKey = Value; }
    TMouseEvent GetOnMouse() const { return FOnMouse; }
    void SetOnMouse(TMouseEvent Value) { FOnMouse = Value; }

    void Click();
    /// Fires OnKey; returns the key as the handlers left it.
    Integer Press(Integer Key);
    void Mouse(Integer X, Integer Y);

    Integer Add(Integer A, Integer B);
    void Twice(Integer& X) { X *= 2; }
    void Append(const AnsiString& S) { FLog += S; }
    void Clear() { FLog.clear(); }
    /// Frees the widget itself: a call through a connection that destroys its own target.
    void Release() { Free(); }

    int Calls = 0;

protected:
    /// As a form: the owned components without a parent component are its children.
    void GetChildren(host::TGetChildProc Proc, TComponent* Root) override;

private:
    AnsiString FCaption;
    Integer FValue = 0;
    AnsiString FCells[4][4];
    AnsiString FLog;
    host::TNotifyEvent FOnClick, FOnChange;
    TKeyEvent FOnKey;
    TMouseEvent FOnMouse;
};

/// Registers the widget's class info with the loaded package and the widget class with the
/// host's streaming. Call after every load of the package.
void RegisterTestWidget();

} // namespace zeltrix::test
