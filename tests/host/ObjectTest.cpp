#include "host/system/Exceptions.h"
#include "host/system/Interfaces.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

using namespace host;

namespace {
class TAnimal : public TObject {
    HOST_CLASS(TAnimal, TObject)
public:
    int Legs = 4;
};
class TDog : public TAnimal {
    HOST_CLASS(TDog, TAnimal)
};
HOST_METACLASS(TAnimal, TObject);
HOST_METACLASS(TDog, TAnimal);
} // namespace

TEST(Object, MetaclassChainAndNames) {
    TDog d;
    EXPECT_EQ(d.ClassName(), "TDog");
    EXPECT_TRUE(d.ClassNameIs("tdog"));
    EXPECT_EQ(d.ClassParent(), TAnimal::StaticClass());
    EXPECT_TRUE(d.InheritsFrom(TObject::StaticClass()));
    EXPECT_FALSE(TAnimal().InheritsFrom(TDog::StaticClass()));
    EXPECT_EQ(d.InstanceSize(), static_cast<Integer>(sizeof(TDog)));
    TObject* o = TDog::StaticClass()->NewObject();
    EXPECT_EQ(o->ClassType(), TDog::StaticClass());
    o->Free();
}

TEST(Object, CastsRaiseTheHostError) {
    TAnimal a;
    EXPECT_EQ(DynCast<TDog>(&a), nullptr);
    try {
        As<TDog>(&a);
        FAIL();
    } catch (const EInvalidCast& e) {
        EXPECT_EQ(e.Message(), "Invalid class typecast");
        EXPECT_EQ(e.ClassName(), "EInvalidCast");
    }
}

TEST(LiveObjects, RefusesDanglingAndForeignAddresses) {
    auto* d = new TDog;
    std::uint64_t id = d->ObjectId();
    EXPECT_EQ(LiveObjects::Find(d), d);
    EXPECT_EQ(LiveObjects::Find(d, TAnimal::StaticClass()), d);
    int notAnObject = 0;
    EXPECT_EQ(LiveObjects::Find(&notAnObject), nullptr);
    TAnimal a;
    EXPECT_EQ(LiveObjects::Find(&a, TDog::StaticClass()), nullptr);
    d->Free();
    EXPECT_EQ(LiveObjects::Find(d), nullptr);
    EXPECT_FALSE(LiveObjects::IsAlive(d, id));
    // a new object at the same address is a different object
    auto* d2 = new TDog;
    EXPECT_FALSE(LiveObjects::IsAlive(d2, id));
    d2->Free();
}

TEST(LiveObjects, WatchersHearOfDeathOnce) {
    int calls = 0;
    auto observer = [](void* data, TObject*) { ++*static_cast<int*>(data); };
    auto* d = new TDog;
    LiveObjects::Watch(d, observer, &calls);
    auto* other = new TDog;
    LiveObjects::Watch(other, observer, &calls);
    LiveObjects::Unwatch(other, observer, &calls);
    other->Free();
    EXPECT_EQ(calls, 0);
    d->Free();
    EXPECT_EQ(calls, 1);
}

TEST(LiveObjects, StaysConsistentAcrossThreads) {
    std::size_t before = LiveObjects::Count();
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([] {
            for (int i = 0; i < 2000; ++i) {
                auto* d = new TDog;
                ASSERT_EQ(LiveObjects::Find(d), d);
                d->Free();
            }
        });
    for (auto& t : threads) t.join();
    EXPECT_EQ(LiveObjects::Count(), before);
}

namespace {
struct IGreeter : IUnknown {
    static constexpr TGUID IID = GuidOf("{7D1E6B5A-0C3E-4F2A-9B7E-1A2B3C4D5E6F}");
    virtual AnsiString Greet() = 0;
};
class TGreeter : public TInterfacedObject, public IGreeter {
    HOST_CLASS(TGreeter, TInterfacedObject)
public:
    static bool Destroyed;
    ~TGreeter() override { Destroyed = true; }
    HRESULT QueryInterface(const TGUID& iid, void** obj) override {
        return TInterfacedObject::QueryInterface(iid, obj);
    }
    Integer _AddRef() override { return TInterfacedObject::_AddRef(); }
    Integer _Release() override { return TInterfacedObject::_Release(); }
    AnsiString Greet() override { return "hello"; }
};
bool TGreeter::Destroyed = false;
void* GreeterIntf(TObject* o) {
    return static_cast<IGreeter*>(static_cast<TGreeter*>(o));
}
constexpr TInterfaceEntry GreeterEntries[] = {{IGreeter::IID, &GreeterIntf}};
constexpr TInterfaceTable GreeterTable{1, GreeterEntries};
HOST_METACLASS(TGreeter, TInterfacedObject, {.Interfaces = &GreeterTable});
} // namespace

TEST(Interfaces, ReferenceCountingFreesWithTheLastReference) {
    TGreeter::Destroyed = false;
    auto* g = new TGreeter;
    {
        ComPtr<IUnknown> unk(static_cast<TInterfacedObject*>(g));
        EXPECT_EQ(g->RefCount(), 1);
        auto greeter = QueryInterface<IGreeter>(unk.get());
        ASSERT_TRUE(greeter);
        EXPECT_EQ(g->RefCount(), 2);
        EXPECT_EQ(greeter->Greet(), "hello");
        EXPECT_EQ(TObject::GetInterfaceEntry(g->ClassType(), IGreeter::IID)->IID, IGreeter::IID);
    }
    EXPECT_TRUE(TGreeter::Destroyed);
}

TEST(Interfaces, FreeWithOutstandingReferencesIsRefused) {
    auto* g = new TGreeter;
    ComPtr<IGreeter> ref = QueryInterface<IGreeter>(static_cast<TInterfacedObject*>(g));
    EXPECT_THROW(g->Free(), EInvalidPointer);
}
