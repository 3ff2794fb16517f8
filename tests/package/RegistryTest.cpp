// The class registry: look-ups, caching, identity and the package's start-up and shut-down.
#include "Probe.h"

#include "classinfo/Zelclasses.h"
#include "core/Zelcommon.h"
#include "host/classes/Lists.h"

using namespace zeltrix;
using namespace probe;

namespace {
class TSubProbe : public TProbe {
    HOST_CLASS(TSubProbe, TProbe)
public:
    using TProbe::TProbe;
};
HOST_COMPONENT_METACLASS(TSubProbe, TProbe);

/// Shares the probe's name in another letter case, but is another class.
class TImpostor : public TComponent {
    HOST_CLASS(TImpostor, TComponent)
public:
    explicit TImpostor(TComponent* AOwner = nullptr) : TComponent(AOwner) {}
};
constinit const TMetaClass TImpostor::ClassMeta =
    MakeComponentMetaClass<TImpostor>("tprobe", &TComponent::ClassMeta);

/// A component that keeps its own class info.
class TSelfDescribed : public TComponent, public IzelObject {
    HOST_CLASS(TSelfDescribed, TComponent)
public:
    explicit TSelfDescribed(TComponent* AOwner = nullptr) : TComponent(AOwner) {}
    HRESULT QueryInterface(const TGUID&, void**) override { return E_NOINTERFACE; }
    Integer _AddRef() override { return -1; }
    Integer _Release() override { return -1; }
    TzelClassInfo* GetZELClassInfo() override { return &Own; }
    TzelClassInfo Own;
};
constexpr TInterfaceEntry SelfDescribedEntries[] = {{IzelObject::IID, [](TObject* O) -> void* {
                                                         return static_cast<IzelObject*>(
                                                             static_cast<TSelfDescribed*>(O));
                                                     }}};
constexpr TInterfaceTable SelfDescribedTable{1, SelfDescribedEntries};
HOST_COMPONENT_METACLASS(TSelfDescribed, TComponent, {.Interfaces = &SelfDescribedTable});

class Registry : public PackageTest {};
} // namespace

TEST_F(Registry, LooksUpNamesIgnoringCaseAndKeepsTheFirstRegistration) {
    EXPECT_EQ(TzelClassRegistry::FindClassInfo("tobject"), TObjectClassInfo::StaticClass());
    EXPECT_EQ(TzelClassRegistry::FindClassInfo("TPROBE"), TProbeClassInfo::StaticClass());
    EXPECT_EQ(TzelClassRegistry::FindClassInfo("TNothing"), nullptr);
    const int count = TzelClassRegistry::GetRegisteredCount();
    TzelClassRegistry::RegisterClass("TProbe", TObjectClassInfo::StaticClass());
    EXPECT_EQ(TzelClassRegistry::FindClassInfo("TProbe"), TProbeClassInfo::StaticClass());
    EXPECT_EQ(TzelClassRegistry::GetRegisteredCount(), count);
    EXPECT_THROW(TzelClassRegistry::RegisterClass("TList", TProbe::StaticClass()), Exception);

    const std::vector<AnsiString> names = RegisteredClassInfoNames();
    ASSERT_GE(names.size(), 4u);
    EXPECT_EQ(names[0], "TzelVariable"); // Zelvar starts right after Zelcommon
    EXPECT_EQ(names[1], "TObject");
    EXPECT_EQ(names[2], "TInterfacedObject");
    EXPECT_EQ(names[names.size() - 2], "TProbe"); // the probe unit's own, in its order
    EXPECT_EQ(names.back(), "TProbeChild");
}

TEST_F(Registry, FindsTheNearestRegisteredAncestorByIdentity) {
    TSubProbe sub;
    EXPECT_EQ(TzelClassRegistry::FindClassInfoClass(&sub), TProbeClassInfo::StaticClass());
    TzelClassInfo* ci = TzelClassRegistry::GetClassInfo(&sub);
    EXPECT_NE(ci->FindProperty("Value"), nullptr);
    // Same name as the probe, another class: it gets its component class info, not the probe's.
    TImpostor impostor;
    EXPECT_EQ(TzelClassRegistry::FindClassInfoClass(&impostor), TComponentClassInfo::StaticClass());
    EXPECT_EQ(TzelClassRegistry::GetClassInfo(&impostor)->FindProperty("Value"), nullptr);
}

TEST_F(Registry, CachesOneClassInfoPerObjectUntilItDies) {
    const int live = TzelClassRegistry::GetLiveCount();
    auto* a = new TProbe;
    TzelClassInfo* ci = TzelClassRegistry::GetClassInfo(a);
    EXPECT_EQ(TzelClassRegistry::GetClassInfo(a), ci);
    EXPECT_EQ(ci->GetOwner(), a);
    EXPECT_EQ(TzelClassRegistry::GetLiveCount(), live + 1);
    a->Free();
    EXPECT_EQ(TzelClassRegistry::GetLiveCount(), live);
    auto* b = new TProbe;
    TzelClassInfo* other = TzelClassRegistry::GetClassInfo(b);
    EXPECT_EQ(other->GetOwner(), b);
    b->Free();

    // Objects that are not components: the class info goes with its owner, and an object later
    // built at the same address gets a class info of its own.
    for (int i = 0; i < 50; ++i) {
        auto* list = new host::TList;
        TzelClassInfo* lci = TzelClassRegistry::GetClassInfo(list);
        EXPECT_EQ(lci->GetOwner(), list);
        list->Free();
        EXPECT_EQ(TzelClassRegistry::GetLiveCount(), live);
    }
}

TEST_F(Registry, SelfDescribedObjectsAndDyingComponentsGetNoCachedClassInfo) {
    TSelfDescribed own;
    const int live = TzelClassRegistry::GetLiveCount();
    EXPECT_EQ(TzelClassRegistry::GetClassInfo(&own), &own.Own);
    EXPECT_EQ(TzelClassRegistry::GetLiveCount(), live);

    auto* dying = new TProbe;
    dying->BeforeDestruction(); // csDestroying from here on
    EXPECT_EQ(TzelClassRegistry::GetClassInfo(dying), nullptr);
    delete dying;
    EXPECT_EQ(TzelClassRegistry::GetClassInfo(nullptr), nullptr);
}

TEST_F(Registry, ShutDownLeavesLiveObjectsSafe) {
    struct Counter {
        int N = 0;
        void Ping(TObject*) { ++N; }
    } counter;
    auto* probe = new TProbe;
    probe->SetOnPing(TNotifyEvent::Bind<&Counter::Ping>(&counter));
    TzelClassRegistry::GetClassInfo(probe);
    auto* list = new host::TList;
    TzelClassRegistry::GetClassInfo(list);
    UnloadPackage();
    EXPECT_EQ(probe->GetOnPing(), TNotifyEvent::Bind<&Counter::Ping>(&counter)); // unhooked
    probe->Ping();
    EXPECT_EQ(counter.N, 1);
    EXPECT_EQ(TzelClassRegistry::GetClassInfo(probe), nullptr); // nothing is created any more
    probe->Free(); // no notifier, no class info: nothing reaches freed memory
    list->Free();
    LoadPackage(); // and the package starts again cleanly
    EXPECT_EQ(TzelClassRegistry::GetLiveCount(), 0);
    EXPECT_EQ(TzelClassRegistry::FindClassInfo("TProbe"), nullptr);
}
