// A test-only host component with the events and properties the connection tests need, and its
// test-only class info, registered by the fixture below.
#pragma once

#include "connections/Zele2m.h"
#include "connections/Zele2p.h"
#include "connections/Zelp2p.h"
#include "core/Zelcommon.h"
#include "host/classes/Component.h"

#include <gtest/gtest.h>

namespace zeltrix::test {

using host::AnsiString;
using host::Integer;
using host::TComponent;
using host::TObject;
using host::Variant;

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

private:
    AnsiString FCaption;
    Integer FValue = 0;
    AnsiString FCells[4][4];
    AnsiString FLog;
    host::TNotifyEvent FOnClick, FOnChange;
    TKeyEvent FOnKey;
    TMouseEvent FOnMouse;
};

/// Registers the widget's class info (and the host classes the tests stream) with the loaded
/// package; every connection test derives from it.
class ConnectionTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    /// A fresh owner for the components of one test (a form without a form class).
    TComponent* Form = nullptr;
    TTestWidget* NewWidget(const AnsiString& Name);
    static TzelClassInfo* InfoOf(TObject* Object);
};

/// `Code` raises an exception of class `E` whose message is exactly `Text`.
#define EXPECT_RAISES(Code, E, Text)                                                               \
    do {                                                                                           \
        try {                                                                                      \
            Code;                                                                                  \
            ADD_FAILURE() << "no exception from " #Code;                                           \
        } catch (const E& e) {                                                                     \
            EXPECT_EQ(e.Message(), Text);                                                          \
        }                                                                                          \
    } while (0)

} // namespace zeltrix::test
