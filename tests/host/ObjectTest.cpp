#include "host/system/Exceptions.h"
#include "host/system/Interfaces.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
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

TEST(LiveObjects, ManyObjectsStayFindableWhileOthersComeAndGo) {
    // Enough objects to grow every table several times; freeing every other one leaves holes
    // inside probe runs, which must not hide the objects behind them.
    const std::size_t before = LiveObjects::Count();
    std::vector<TDog*> dogs;
    std::vector<std::uint64_t> ids;
    for (int i = 0; i < 20000; ++i) {
        dogs.push_back(new TDog);
        ids.push_back(dogs.back()->ObjectId());
    }
    EXPECT_EQ(LiveObjects::Count(), before + dogs.size());
    std::vector<std::uint64_t> sorted = ids;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(std::adjacent_find(sorted.begin(), sorted.end()), sorted.end()); // serials unique
    EXPECT_EQ(std::count(sorted.begin(), sorted.end(), 0u), 0);

    for (std::size_t i = 0; i < dogs.size(); i += 2) dogs[i]->Free();
    for (std::size_t i = 0; i < dogs.size(); ++i) {
        const bool alive = i % 2 == 1;
        ASSERT_EQ(LiveObjects::Find(dogs[i]) != nullptr, alive) << i;
        ASSERT_EQ(LiveObjects::IsAlive(dogs[i], ids[i]), alive) << i;
    }
    EXPECT_EQ(LiveObjects::Count(), before + dogs.size() / 2);

    // New objects, often at freed addresses, get serials of their own.
    std::vector<TDog*> again;
    for (int i = 0; i < 5000; ++i) again.push_back(new TDog);
    for (TDog* d : again) {
        ASSERT_EQ(LiveObjects::Find(d, TDog::StaticClass()), d);
        ASSERT_EQ(std::count(ids.begin(), ids.end(), d->ObjectId()), 0);
    }
    for (TDog* d : again) d->Free();
    for (std::size_t i = 1; i < dogs.size(); i += 2) {
        ASSERT_TRUE(LiveObjects::IsAlive(dogs[i], ids[i])) << i;
        dogs[i]->Free();
    }
    EXPECT_EQ(LiveObjects::Count(), before);
    EXPECT_FALSE(LiveObjects::IsAlive(nullptr, 0));
    EXPECT_EQ(LiveObjects::Find(nullptr), nullptr);
}

TEST(LiveObjects, WatchersOfManyObjectsEachHearOnlyTheirOwn) {
    struct Log {
        std::vector<TObject*> Heard;
    } log, unwatched;
    auto observer = [](void* data, TObject* dying) {
        static_cast<Log*>(data)->Heard.push_back(dying);
    };
    std::vector<TDog*> dogs;
    for (int i = 0; i < 300; ++i) {
        dogs.push_back(new TDog);
        LiveObjects::Watch(dogs.back(), observer, &log);
        LiveObjects::Watch(dogs.back(), observer, &unwatched);
    }
    for (TDog* d : dogs) LiveObjects::Unwatch(d, observer, &unwatched);
    for (std::size_t i = dogs.size(); i-- > 0;) {
        dogs[i]->Free();
        ASSERT_EQ(log.Heard.size(), dogs.size() - i);
        EXPECT_EQ(log.Heard.back(), dogs[i]);
    }
    EXPECT_TRUE(unwatched.Heard.empty());
}

TEST(LiveObjects, ObjectsFreedOnAnotherThreadLeaveTheRegistry) {
    const std::size_t before = LiveObjects::Count();
    std::vector<TDog*> made(3000);
    std::vector<std::uint64_t> ids(made.size());
    std::thread maker([&] {
        for (std::size_t i = 0; i < made.size(); ++i) {
            made[i] = new TDog;
            ids[i] = made[i]->ObjectId();
        }
    });
    maker.join();
    // Two threads free alternate halves while a third keeps looking objects up.
    std::atomic<bool> done{false};
    std::thread reader([&] {
        while (!done.load())
            for (std::size_t i = 0; i < made.size(); i += 97) LiveObjects::IsAlive(made[i], ids[i]);
    });
    std::vector<std::thread> freers;
    for (int t = 0; t < 2; ++t)
        freers.emplace_back([&, t] {
            for (std::size_t i = static_cast<std::size_t>(t); i < made.size(); i += 2) {
                ASSERT_TRUE(LiveObjects::IsAlive(made[i], ids[i]));
                made[i]->Free();
            }
        });
    for (auto& f : freers) f.join();
    done = true;
    reader.join();
    EXPECT_EQ(LiveObjects::Count(), before);
}

TEST(LiveObjects, LookUpsNeverMissAnObjectWhileOthersChange) {
    // Look-ups take no lock: objects coming and going beside a live one (growing the tables and
    // shifting entries back into freed slots) must never make it look dead, nor a dead one live.
    std::vector<TDog*> steady;
    std::vector<std::uint64_t> ids;
    for (int i = 0; i < 400; ++i) {
        steady.push_back(new TDog);
        ids.push_back(steady.back()->ObjectId());
    }
    auto* gone = new TDog;
    const std::uint64_t goneId = gone->ObjectId();
    gone->Free();

    std::atomic<bool> stop{false};
    std::thread churn([&] {
        std::vector<TDog*> batch;
        for (int round = 0; round < 40; ++round) {
            for (int i = 0; i < 3000; ++i) batch.push_back(new TDog);
            for (TDog* d : batch) d->Free();
            batch.clear();
        }
        stop = true;
    });
    long misses = 0, ghosts = 0;
    while (!stop.load())
        for (std::size_t i = 0; i < steady.size(); ++i) {
            if (!LiveObjects::IsAlive(steady[i], ids[i]) ||
                LiveObjects::Find(steady[i]) != steady[i])
                ++misses;
            if (LiveObjects::IsAlive(gone, goneId)) ++ghosts;
        }
    churn.join();
    EXPECT_EQ(misses, 0);
    EXPECT_EQ(ghosts, 0);
    for (TDog* d : steady) d->Free();
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
