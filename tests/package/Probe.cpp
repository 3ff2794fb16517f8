#include "Probe.h"

#include "core/ClassInfoTable.h"

namespace probe {

HOST_COMPONENT_METACLASS(TProbe, TComponent);
HOST_METACLASS(TProbeClassInfo, zeltrix::TObjectClassInfo);

using namespace zeltrix;

namespace {
TzelDescriptorTexts ProbeTexts;
}

struct TProbeClassInfo::ZelRows {
    static constexpr TzelPropRow Properties[] = {
        prop<&TProbe::GetValue, &TProbe::SetValue>("Value"),
        prop<&TProbe::GetItems, &TProbe::SetItems>("Items", "Index").published(),
        prop<&TProbe::GetSpot, &TProbe::SetSpot, &TProbeClassInfo::FSpotSlot>("Spot"),
        prop<&TProbe::GetBuddy, &TProbe::SetBuddy>("Buddy"),
        propR<&TProbe::GetValue>("Value").protected_(), // a second record of the same name
    };
    static constexpr TzelMethodRow Methods[] = {
        func<&TProbe::Twice>("Twice", "X"), func<&TProbe::Split>("Split", "S,Head,Rest"),
        proc<&TProbe::Ping>("Ping"),
        proc<&TProbe::Free>("Free"), // the ancestor's Free, redeclared
    };
    static constexpr TzelCtorRow Constructors[] = {ctor("Create", "AOwner")};
    static constexpr TzelEventRow Events[] = {
        event<TProbeClassInfo, &TProbe::GetOnPing, &TProbe::SetOnPing>("OnPing", "Sender"),
        event<TProbeClassInfo, &TProbe::GetOnAsk, &TProbe::SetOnAsk>("OnAsk", "Sender,Text,Handled")
            .published(),
        event<TProbeClassInfo, &TProbe::GetOnTouch, &TProbe::SetOnTouch>("OnTouch", "Sender,Where"),
    };
};

constinit const TzelClassTable TProbeClassInfo::ZelTable = {"TProbe",
                                                            &TProbe::ClassMeta,
                                                            &TProbeClassInfo::ClassMeta,
                                                            &TObjectClassInfo::ZelTable,
                                                            ZelRows::Properties,
                                                            ZelRows::Methods,
                                                            ZelRows::Constructors,
                                                            ZelRows::Events,
                                                            &ProbeTexts};

namespace {
constexpr const TzelClassTable* Tables[] = {&TProbeClassInfo::ZelTable};
}

void PackageTest::SetUp() {
    LoadPackage();
    zelInitializeUnit(Tables);
}

void PackageTest::TearDown() {
    zelFinalizeUnit(Tables);
    UnloadPackage();
}

} // namespace probe
