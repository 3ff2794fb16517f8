// A small host component with the shapes the family machinery must handle (indexed and
// by-address properties, var parameters, events with var parameters), and its class info.
#pragma once

#include "classinfo/Zelsystem.h"
#include "host/classes/Component.h"
#include "package/zeltrix_cb4.h"

#include <gtest/gtest.h>

#include <vector>

namespace probe {

using namespace host;

class TProbe : public TComponent {
    HOST_CLASS(TProbe, TComponent)
public:
    using TAskEvent = Closure<void(TObject* Sender, AnsiString& Text, bool& Handled)>;
    using TPointEvent = Closure<void(TObject* Sender, TPoint Where)>;

    explicit TProbe(TComponent* AOwner = nullptr) : TComponent(AOwner) {}

    Integer GetValue() const { return FValue; }
    void SetValue(Integer V) {
        FValue = V;
        ++SetCalls;
    }
    AnsiString GetItems(Integer Index) const { return FItems.at(static_cast<std::size_t>(Index)); }
    void SetItems(Integer Index, const AnsiString& V) {
        FItems.at(static_cast<std::size_t>(Index)) = V;
    }
    TPoint GetSpot() const { return FSpot; }
    void SetSpot(TPoint V) { FSpot = V; }
    TComponent* GetBuddy() const { return FBuddy; }
    void SetBuddy(TComponent* V) { FBuddy = V; }

    Integer Twice(Integer X) { return 2 * X; }
    bool Split(const AnsiString& S, AnsiString& Head, Integer& Rest) {
        Head = S.substr(0, 1);
        Rest = static_cast<Integer>(S.size()) - 1;
        return !S.empty();
    }
    void Ping() {
        if (FOnPing) FOnPing(this);
    }
    bool Ask(AnsiString& Text) {
        bool handled = false;
        if (FOnAsk) FOnAsk(this, Text, handled);
        return handled;
    }
    void Touch(TPoint Where) {
        if (FOnTouch) FOnTouch(this, Where);
    }

    TNotifyEvent GetOnPing() const { return FOnPing; }
    void SetOnPing(TNotifyEvent E) { FOnPing = E; }
    TAskEvent GetOnAsk() const { return FOnAsk; }
    void SetOnAsk(TAskEvent E) { FOnAsk = E; }
    TPointEvent GetOnTouch() const { return FOnTouch; }
    void SetOnTouch(TPointEvent E) { FOnTouch = E; }

    int SetCalls = 0;

protected:
    Integer FValue = 0;
    std::vector<AnsiString> FItems{"a", "b", "c"};
    TPoint FSpot;
    TComponent* FBuddy = nullptr;
    TNotifyEvent FOnPing;
    TAskEvent FOnAsk;
    TPointEvent FOnTouch;
};

class TProbeClassInfo
    : public zeltrix::TzelFamily<TProbeClassInfo, zeltrix::TObjectClassInfo, TProbe> {
    ZEL_CLASSINFO(TProbeClassInfo)
protected:
    TPoint FSpotSlot;
};

/// A descendant whose class info adds a member and re-publishes inherited ones by name.
class TProbeChild : public TProbe {
    HOST_CLASS(TProbeChild, TProbe)
public:
    using TProbe::TProbe;
    Integer GetExtra() const { return FExtra; }
    void SetExtra(Integer V) { FExtra = V; }

private:
    Integer FExtra = 0;
};

ZEL_PLAIN_CLASSINFO(TProbeChildClassInfo, TProbeClassInfo, TProbeChild);

/// Loads the package for one test and registers the probe's class info.
class PackageTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};

/// The names of the registered class infos, in registration order.
std::vector<AnsiString> RegisteredClassInfoNames();

} // namespace probe
