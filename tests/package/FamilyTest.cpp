// The family machinery on a probe component: value conventions, dispatch by name, var
// parameters, forwarders, unhooking and calls that destroy their own object.
#include "Probe.h"
#include "tests/TestSupport.h"

#include "core/ClassInfoRows.h"
#include "core/Zelcommon.h"
#include "host/system/SysUtils.h"

#include <functional>

using namespace zeltrix;
using namespace probe;

namespace {
struct Hearing : TzelListener {
    std::function<void(TObject*, TzelEventInfo*)> Body;
    explicit Hearing(const char* Event, std::function<void(TObject*, TzelEventInfo*)> B)
        : Body(std::move(B)) {
        EventName = Event;
        Handler = TNotifyZELEvent::Bind<&Hearing::Heard>(this);
    }
    void Heard(TObject* Sender, TzelEventInfo* Event) { Body(Sender, Event); }
};

using testsupport::MessageOf;

Variant AddressOf(const TObject* O) {
    return Variant(static_cast<long long>(reinterpret_cast<std::intptr_t>(O)));
}

class Family : public PackageTest {
protected:
    TProbe* Probe = nullptr;
    TzelClassInfo* CI = nullptr;
    void SetUp() override {
        PackageTest::SetUp();
        Probe = new TProbe;
        CI = TzelClassRegistry::GetClassInfo(Probe);
        ASSERT_NE(CI, nullptr);
    }
    void TearDown() override {
        if (Probe) Probe->Free();
        PackageTest::TearDown();
    }
    TzelPropertyInfo* P(const char* Name) { return CI->FindProperty(Name); }
    TzelMethodInfo* M(const char* Name) { return CI->FindMethod(Name); }
};
} // namespace

TEST_F(Family, MetadataFollowsTheChainAncestorsFirst) {
    EXPECT_EQ(CI->ClassType(), TProbeClassInfo::StaticClass());
    EXPECT_EQ(CI->GetProperties(0)->Name, "Self"); // from TObjectClassInfo
    EXPECT_EQ(CI->GetProperties(1)->Name, "Value");
    EXPECT_EQ(P("Items")->Visibility, pvPublished);
    EXPECT_EQ(P("Items")->Style, (TzelPropertyStyle{psReadable, psWritable, psIndexed}));
    EXPECT_EQ(CI->GetProperties(5)->Name, "Value");
    EXPECT_EQ(CI->GetProperties(5)->Style, TzelPropertyStyle{psReadable});
    EXPECT_EQ(M("Free"), CI->GetMethods(0)); // the ancestor's record is found first
    EXPECT_EQ(CI->FindEvent("OnAsk")->GetArgs(2)->Name, "Handled");
    EXPECT_EQ(CI->GetConstructorCount(), 2);
}

TEST_F(Family, PropertiesConvertByTheValueConventions) {
    CI->SetProperty(P("Value"), "42");
    EXPECT_EQ(Probe->GetValue(), 42);
    EXPECT_EQ(CI->GetProperty(P("Value")).AsInteger(), 42);
    // The second record of the same name is dispatched by its name alike.
    CI->SetProperty(CI->GetProperties(5), 7);
    EXPECT_EQ(Probe->GetValue(), 7);
    EXPECT_THROW(CI->SetProperty(P("Value"), "seven"), host::EConvertError);
    EXPECT_EQ(Probe->GetValue(), 7); // unchanged by a failed conversion
    EXPECT_EQ(
        MessageOf([&] { CI->SetProperty(P("Value"), 1LL << 40); }),
        host::Format("Overflow while converting variant of type (%s) into type (%s)",
                     {host::VarTypeName(host::varInt64), host::VarTypeName(host::varInteger)}));

    TzelPropertyInfo* items = P("Items");
    items->GetIndexes(0)->Value = "1";
    EXPECT_EQ(CI->GetProperty(items).AsString(), "b");
    CI->SetProperty(items, "B");
    EXPECT_EQ(Probe->GetItems(1), "B");

    EXPECT_EQ(MessageOf([&] { CI->SetProperty(P("Self"), 0); }), "Property Self not found!");
}

TEST_F(Family, ByAddressValuesUseTheSlotAndOnlyAddresses) {
    TzelPropertyInfo* spot = P("Spot");
    Probe->SetSpot({1, 2});
    Variant first = CI->GetProperty(spot);
    Probe->SetSpot({3, 4});
    Variant second = CI->GetProperty(spot);
    EXPECT_EQ(first.AsAddress(), second.AsAddress()); // one slot per member
    EXPECT_EQ(*static_cast<const TPoint*>(first.AsAddress()), (TPoint{3, 4}));

    TPoint mine{5, 6};
    CI->SetProperty(spot, Variant::Address(&mine));
    EXPECT_EQ(Probe->GetSpot(), mine);
    // An integer is not an address: it never reaches memory.
    EXPECT_THROW(
        CI->SetProperty(spot, static_cast<long long>(reinterpret_cast<std::intptr_t>(&mine))),
        host::EVariantError);
    EXPECT_THROW(CI->SetProperty(spot, Variant::Address(nullptr)), host::EInvalidPointer);
    EXPECT_EQ(Probe->GetSpot(), mine);
}

TEST_F(Family, ObjectReferencesMustBeLiveObjectsOfAFittingClass) {
    TzelPropertyInfo* buddy = P("Buddy");
    TComponent other(nullptr);
    CI->SetProperty(buddy, AddressOf(&other));
    EXPECT_EQ(Probe->GetBuddy(), &other);
    EXPECT_EQ(CI->GetProperty(buddy).AsInt64(), AddressOf(&other).AsInt64());
    CI->SetProperty(buddy, 0);
    EXPECT_EQ(Probe->GetBuddy(), nullptr);

    TObject notAComponent;
    EXPECT_THROW(CI->SetProperty(buddy, AddressOf(&notAComponent)), host::EInvalidCast);
    auto* gone = new TComponent(nullptr);
    Variant dangling = AddressOf(gone);
    gone->Free();
    EXPECT_THROW(CI->SetProperty(buddy, dangling), host::EInvalidCast);
    EXPECT_THROW(CI->SetProperty(buddy, 12345), host::EInvalidCast);
    EXPECT_EQ(Probe->GetBuddy(), nullptr);

    EXPECT_EQ(CI->GetProperty(P("Self")).AsInt64(), AddressOf(Probe).AsInt64());
}

TEST_F(Family, MethodsTakeArgumentsAndWriteVarParametersBack) {
    TzelMethodInfo* twice = M("Twice");
    twice->GetArgs(0)->Value = "21";
    CI->InvokeMethod(twice);
    EXPECT_EQ(twice->Result.AsInteger(), 42);

    TzelMethodInfo* split = M("Split");
    split->Find("S")->Value = "hello";
    split->Find("Head")->Value = "?";
    split->Find("Rest")->Value = 0;
    CI->InvokeMethod(split);
    EXPECT_TRUE(split->Result.AsBoolean());
    EXPECT_EQ(split->Find("Head")->Value.AsString(), "h");
    EXPECT_EQ(split->Find("Rest")->Value.AsInteger(), 4);

    // A record with too few arguments (another class's record of the same name) is refused.
    TzelMethodInfo bare(CI, "Split", {}, msFunction);
    EXPECT_EQ(MessageOf([&] { CI->InvokeMethod(&bare); }), "Split needs 3 argument values!");
    TzelMethodInfo none(CI, "Nothing", {}, msProcedure);
    EXPECT_EQ(MessageOf([&] { CI->InvokeMethod(&none); }), "Method Nothing not found!");
    EXPECT_NO_THROW(CI->InvokeConstructor(CI->FindConstructor("Create")));
}

TEST_F(Family, ForwardersCallTheSavedHandlerThenListenersThenWriteBack) {
    // A handler the probe had before its class info existed still runs, and runs first.
    auto* fresh = new TProbe;
    std::vector<std::string> order;
    struct Own {
        std::vector<std::string>* Order;
        void Asked(TObject*, AnsiString& Text, bool& Handled) {
            Order->push_back("own:" + Text);
            Text = "own";
            Handled = true;
        }
    } own{&order};
    fresh->SetOnAsk(TProbe::TAskEvent::Bind<&Own::Asked>(&own));
    TzelClassInfo* ci = TzelClassRegistry::GetClassInfo(fresh);
    Hearing listener("OnAsk", [&](TObject* Sender, TzelEventInfo* E) {
        EXPECT_EQ(Sender, fresh);
        // The listeners see what the saved handler left in the var parameters.
        order.push_back("listener:" + E->GetArgs(1)->Value.AsString() + ":" +
                        (E->GetArgs(2)->Value.AsBoolean() ? "T" : "F"));
        E->GetArgs(1)->Value = "changed";
    });
    ci->AddListener(&listener);
    AnsiString text = "q";
    EXPECT_TRUE(fresh->Ask(text)); // the handler's Handled survives the write-back
    EXPECT_EQ(text, "changed");    // and a listener's change wins over the handler's
    EXPECT_EQ(order, (std::vector<std::string>{"own:q", "listener:own:T"}));

    // Unbinding gives the probe back exactly its own handler.
    ci->RemoveListener(&listener);
    ci->SetOwner(nullptr);
    EXPECT_EQ(fresh->GetOnAsk(), TProbe::TAskEvent::Bind<&Own::Asked>(&own));
    EXPECT_FALSE(fresh->GetOnPing().Assigned());
    fresh->Free();
}

TEST_F(Family, ByValueRecordsReachListenersByAddress) {
    TPoint seen;
    Hearing listener("OnTouch", [&](TObject*, TzelEventInfo* E) {
        seen = *static_cast<const TPoint*>(E->GetArgs(1)->Value.AsAddress());
    });
    CI->AddListener(&listener);
    Probe->Touch({7, 8});
    EXPECT_EQ(seen, (TPoint{7, 8}));
    CI->RemoveListener(&listener);
}

TEST_F(Family, NestedFiringOfTheSameEventKeepsEachFiringsArguments) {
    int depth = 0;
    Hearing listener("OnAsk", [&](TObject*, TzelEventInfo* E) {
        if (depth++ == 0) {
            AnsiString inner = "inner";
            Probe->Ask(inner); // the same event again, from inside a listener
            EXPECT_EQ(inner, "inner!");
        }
        E->GetArgs(1)->Value = E->GetArgs(1)->Value.AsString() + "!";
    });
    CI->AddListener(&listener);
    AnsiString outer = "outer";
    Probe->Ask(outer);
    EXPECT_EQ(outer, "outer!");
    CI->RemoveListener(&listener);
}

TEST_F(Family, UnhookingOutOfOrderKeepsTheChainWhole) {
    int own = 0;
    struct Counter {
        int* N;
        void Ping(TObject*) { ++*N; }
    } counter{&own};
    auto* probe = new TProbe;
    probe->SetOnPing(TNotifyEvent::Bind<&Counter::Ping>(&counter));
    TzelClassInfo* first = TzelClassRegistry::GetClassInfo(probe); // hooks first
    auto* second = new TProbeClassInfo;                            // hooks over it
    second->InitMetaData();
    second->SetOwner(probe);
    int heardFirst = 0, heardSecond = 0;
    Hearing h1("OnPing", [&](TObject*, TzelEventInfo*) { ++heardFirst; });
    Hearing h2("OnPing", [&](TObject*, TzelEventInfo*) { ++heardSecond; });
    first->AddListener(&h1);
    second->AddListener(&h2);
    probe->Ping();
    EXPECT_EQ(own + heardFirst + heardSecond, 3);

    // The first hook goes while the second is installed: the second keeps working and the
    // probe's own handler is reached through it.
    first->RemoveListener(&h1);
    first->SetOwner(nullptr);
    probe->Ping();
    EXPECT_EQ(own, 2);
    EXPECT_EQ(heardFirst, 1);
    EXPECT_EQ(heardSecond, 2);
    // Freeing the second restores the probe's own handler, not the first's forwarder.
    second->RemoveListener(&h2);
    second->Free();
    EXPECT_EQ(probe->GetOnPing(), TNotifyEvent::Bind<&Counter::Ping>(&counter));
    probe->Ping();
    EXPECT_EQ(own, 3);
    probe->Free();
}

// Two class infos hooked on one object: what a listener of the inner one writes into a var
// parameter survives the outer one's write-back.
TEST_F(Family, ChainedForwardersKeepTheInnerListenersAnswer) {
    auto* second = new TProbeClassInfo; // hooks over the registry's class info
    second->InitMetaData();
    second->SetOwner(Probe);
    Hearing inner("OnAsk", [](TObject*, TzelEventInfo* E) {
        E->GetArgs(1)->Value = "inner";
        E->GetArgs(2)->Value = true;
    });
    std::string outerSaw;
    Hearing outer("OnAsk",
                  [&](TObject*, TzelEventInfo* E) { outerSaw = E->GetArgs(1)->Value.AsString(); });
    CI->AddListener(&inner);
    second->AddListener(&outer);
    AnsiString text = "q";
    EXPECT_TRUE(Probe->Ask(text));
    EXPECT_EQ(text, "inner");
    EXPECT_EQ(outerSaw, "inner");
    CI->RemoveListener(&inner);
    second->RemoveListener(&outer);
    second->Free();
}

TEST_F(Family, FreeThroughTheClassInfoDefersItsRelease) {
    auto* probe = new TProbe;
    TzelClassInfo* ci = TzelClassRegistry::GetClassInfo(probe);
    const int live = TzelClassRegistry::GetLiveCount();
    TzelMethodInfo* free = ci->FindMethod("Free");
    {
        TzelClassInfoGuard keep(ci); // a caller reading var parameters afterwards keeps it
        ci->InvokeMethod(free);
        EXPECT_TRUE(ci->IsReleased());
        EXPECT_EQ(ci->GetOwner(), nullptr);
        EXPECT_EQ(free->Name, "Free"); // records still valid until the guard goes
        EXPECT_EQ(TzelClassRegistry::GetLiveCount(), live - 1);
        EXPECT_EQ(MessageOf([&] { ci->GetProperty(ci->FindProperty("Value")); }),
                  "Class info has no object!");
    }
    // Free called without a guard of the caller's own: the dispatch keeps it for the call.
    auto* again = new TProbe;
    TzelClassInfo* ci2 = TzelClassRegistry::GetClassInfo(again);
    ci2->InvokeMethod(ci2->FindMethod("Free"));
    EXPECT_EQ(TzelClassRegistry::GetLiveCount(), live - 1);
}

TEST_F(Family, AListenerThatFreesTheOwnerStopsTheFiring) {
    auto* probe = new TProbe;
    TzelClassInfo* ci = TzelClassRegistry::GetClassInfo(probe);
    int after = 0;
    auto* killer = new Hearing("OnPing", [&](TObject* Sender, TzelEventInfo*) { Sender->Free(); });
    Hearing later("OnPing", [&](TObject*, TzelEventInfo*) { ++after; });
    ci->AddListener(killer);
    ci->AddListener(&later);
    probe->Ping(); // ASan would report a use of the freed class info or records here
    EXPECT_EQ(after, 0);
    delete killer;
}

TEST_F(Family, AClassInfoRefusesAnObjectOfAnotherClass) {
    auto* ci = new TProbeClassInfo;
    ci->InitMetaData();
    TComponent plain(nullptr);
    EXPECT_EQ(MessageOf([&] { ci->SetOwner(&plain); }),
              "A TProbe class info cannot describe a TComponent");
    EXPECT_EQ(ci->GetOwner(), nullptr); // left unbound, nothing hooked
    EXPECT_THROW(ci->GetProperty(ci->FindProperty("Value")), Exception);
    ci->Free();
}

// Re-publications are names alone; the inherited rows keep serving them.
TEST_F(Family, NameGroupsChangeInheritedRecordsInPlace) {
    auto* child = new TProbeChild;
    TzelClassInfo* ci = TzelClassRegistry::GetClassInfo(child);
    ASSERT_NE(ci, nullptr);
    EXPECT_EQ(zelFindTable(ci->ClassType())->Texts->Properties,
              "Define::Extra::psReadable..psWritable::pvPublic::0::"
              "Override::Buddy::::pvPublished::Override::Spot::psReadable::pvProtected::"
              "Override::Items::psReadable::pvProtected");
    EXPECT_EQ(ci->FindProperty("Buddy")->Visibility, pvPublished);
    TzelPropertyInfo* spot = ci->FindProperty("Spot");
    EXPECT_EQ(spot->Visibility, pvProtected);
    EXPECT_EQ(spot->Style, TzelPropertyStyle{psReadable});
    EXPECT_EQ(ci->FindEvent("OnTouch")->Visibility, pvPublished);
    EXPECT_EQ(ci->FindEvent("OnAsk")->Visibility, pvPublished); // published by the parent
    ci->SetProperty(ci->FindProperty("Extra"), Variant(5));
    ci->SetProperty(ci->FindProperty("Buddy"), AddressOf(Probe));
    EXPECT_EQ(child->GetExtra(), 5);
    EXPECT_EQ(child->GetBuddy(), Probe);
    child->Free();
}

// ---- a descendant that declares an event of its parent's name, with parameters of its own ----

namespace {
class TProbeResizer : public TProbe {
    HOST_CLASS(TProbeResizer, TProbe)
public:
    using TSizeEvent = Closure<void(TObject* Sender, Integer& NewSize, bool& Accept)>;
    using TProbe::TProbe;
    TSizeEvent GetOnAsk() const { return FOnSize; }
    void SetOnAsk(TSizeEvent E) { FOnSize = E; }
    bool Resize(Integer& Size) {
        bool accept = true;
        if (FOnSize) FOnSize(this, Size, accept);
        return accept;
    }

private:
    TSizeEvent FOnSize;
};
HOST_COMPONENT_METACLASS(TProbeResizer, TProbe);

class TProbeResizerClassInfo
    : public TzelFamily<TProbeResizerClassInfo, TProbeClassInfo, TProbeResizer> {
    ZEL_CLASSINFO(TProbeResizerClassInfo)
};
struct TProbeResizerClassInfo::ZelRows {
    static constexpr TzelEventRow Events[] = {
        ZEL_EVENT(TProbeResizer, OnAsk, "Sender,NewSize,Accept"),
    };
};
} // namespace
ZEL_TABLE(TProbeResizerClassInfo);

namespace {
constexpr const TzelClassTable* ResizerTables[] = {&TProbeResizerClassInfo::ZelTable};

struct ResizerUnit {
    ResizerUnit() { zelInitializeUnit(ResizerTables); }
    ~ResizerUnit() { zelFinalizeUnit(ResizerTables); }
};
} // namespace

TEST_F(Family, ARedefinedEventIsTheDescendantsRecordAndOnlyItIsHooked) {
    ResizerUnit unit;
    auto* resizer = new TProbeResizer;
    TzelClassInfo* ci = TzelClassRegistry::GetClassInfo(resizer);
    ASSERT_EQ(ci->ClassType(), TProbeResizerClassInfo::StaticClass());
    // Both records are listed, the ancestor's first; by name the descendant's is found.
    TzelEventInfo* ask = ci->FindEvent("OnAsk");
    ASSERT_NE(ask, nullptr);
    EXPECT_EQ(ask->GetArgs(1)->Name, "NewSize");
    int records = 0;
    for (int i = 0; i < ci->GetEventCount(); ++i) records += ci->GetEvents(i)->Name == "OnAsk";
    EXPECT_EQ(records, 2);

    int heard = 0;
    Hearing listener("OnAsk", [&](TObject*, TzelEventInfo* E) {
        ++heard;
        EXPECT_EQ(E, ask);
        EXPECT_EQ(E->GetArgs(1)->Value.AsInteger(), 80);
        E->GetArgs(1)->Value = 50;
        E->GetArgs(2)->Value = false;
    });
    ci->AddListener(&listener);
    Integer size = 80;
    EXPECT_FALSE(resizer->Resize(size));
    EXPECT_EQ(size, 50);
    // The parent's event of that name is not the one the class info forwards: left unhooked.
    EXPECT_FALSE(resizer->TProbe::GetOnAsk().Assigned());
    AnsiString text = "q";
    EXPECT_FALSE(resizer->Ask(text));
    EXPECT_EQ(heard, 1);
    ci->RemoveListener(&listener);
    resizer->Free();
}
