#include "Probe.h"

#include "core/ClassInfoRows.h"
#include "core/Zelcommon.h"

namespace probe {

HOST_COMPONENT_METACLASS(TProbe, TComponent);

using namespace zeltrix;

struct TProbeClassInfo::ZelRows {
    static constexpr TzelPropRow Properties[] = {
        ZEL_PROP(TProbe, Value),
        ZEL_PROP(TProbe, Items, "Index").published(),
        prop<&TProbe::GetSpot, &TProbe::SetSpot, &TProbeClassInfo::FSpotSlot>("Spot"),
        ZEL_PROP(TProbe, Buddy),
        ZEL_PROP_R(TProbe, Value).protected_(), // a second record of the same name
    };
    static constexpr TzelMethodRow Methods[] = {
        ZEL_FUNC(TProbe, Twice, "X"), ZEL_FUNC(TProbe, Split, "S,Head,Rest"),
        ZEL_PROC(TProbe, Ping), ZEL_PROC(TProbe, Free), // the ancestor's Free, redeclared
    };
    static constexpr TzelCtorRow Constructors[] = {ctor("Create", "AOwner")};
    static constexpr TzelEventRow Events[] = {
        ZEL_EVENT(TProbe, OnPing, "Sender"),
        ZEL_EVENT(TProbe, OnAsk, "Sender,Text,Handled").published(),
        ZEL_EVENT(TProbe, OnTouch, "Sender,Where"),
    };
};

ZEL_TABLE(TProbeClassInfo);

HOST_COMPONENT_METACLASS(TProbeChild, TProbe);

struct TProbeChildClassInfo::ZelRows {
    static constexpr auto Properties = zelRows(ZEL_PROP(TProbeChild, Extra), published("Buddy"),
                                               protected_(ZelStyle(psReadable), "Spot", "Items"));
    static constexpr auto Events = zelRows(published("OnPing", "OnTouch"));
};
ZEL_TABLE(TProbeChildClassInfo);

namespace {
constexpr const TzelClassTable* Tables[] = {&TProbeClassInfo::ZelTable,
                                            &TProbeChildClassInfo::ZelTable};
}

std::vector<AnsiString> RegisteredClassInfoNames() {
    std::vector<AnsiString> names;
    struct Collect {
        std::vector<AnsiString>* Names;
        void Add(const AnsiString& N) { Names->push_back(N); }
    } collect{&names};
    zeltrix::TzelClassRegistry::Iterate(
        zeltrix::TzelClassRegistry::TIterateProc::Bind<&Collect::Add>(&collect));
    return names;
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
