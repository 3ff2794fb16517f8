// The class info base class: value operations' messages, owner binding and listeners.
#include "core/Zelcommon.h"
#include "host/classes/Lists.h"

#include <gtest/gtest.h>

#include <functional>

using namespace zeltrix;
using host::Exception;

namespace {
class TRecordingInfo : public TzelClassInfo {
public:
    std::vector<std::pair<std::string, TObject*>> Calls;
    void ConnectEventHandlers() override { Calls.push_back({"Connect", GetOwner()}); }
    void UnConnectEventHandlers() override { Calls.push_back({"UnConnect", GetOwner()}); }
    void DefineZELEvents(host::TList*) override {
        ReadZELEvents("Define::OnChange::pvPublic::1::Sender::Define::OnOther::pvPublic::0");
    }
    void DefineZELProperties(host::TList*) override {
        ReadZELProperties("Define::Tag::psReadable..psWritable::pvPublic::0");
    }
};

/// A listener whose handler runs a test's function.
struct Hearing : TzelListener {
    std::function<void(TObject*, TzelEventInfo*)> Body;
    explicit Hearing(const char* Event, std::function<void(TObject*, TzelEventInfo*)> B = {})
        : Body(std::move(B)) {
        EventName = Event;
        Handler = TNotifyZELEvent::Bind<&Hearing::Heard>(this);
    }
    void Heard(TObject* Sender, TzelEventInfo* Event) {
        if (Body) Body(Sender, Event);
    }
};
} // namespace

TEST(ClassInfo, BareClassInfoHasNothingAndRaisesTheBaseMessages) {
    TzelClassInfo bare;
    bare.InitMetaData();
    EXPECT_EQ(bare.GetPropertyCount() + bare.GetMethodCount() + bare.GetConstructorCount() +
                  bare.GetEventCount(),
              0);
    EXPECT_EQ(bare.FindProperty("Tag"), nullptr);

    TRecordingInfo ci;
    ci.InitMetaData();
    TzelPropertyInfo* tag = ci.FindProperty("Tag");
    auto message = [](auto call) {
        try {
            call();
        } catch (const Exception& e) {
            return e.Message();
        }
        return std::string();
    };
    EXPECT_EQ(message([&] { bare.GetProperty(tag); }), "Property Tag not found!");
    EXPECT_EQ(message([&] { bare.SetProperty(tag, 1); }), "Property Tag not found!");
    TzelMethodInfo m(&ci, "Run", {}, msProcedure);
    EXPECT_EQ(message([&] { bare.InvokeMethod(&m); }), "Method Run not found!");
    TzelConstructorInfo c(&ci, "Create", {});
    EXPECT_EQ(message([&] { bare.InvokeConstructor(&c); }), "Constructor Create not found!");
}

TEST(ClassInfo, SetOwnerUnhooksTheOldOwnerFirst) {
    TObject a, b;
    TRecordingInfo ci;
    ci.SetOwner(nullptr);
    EXPECT_TRUE(ci.Calls.empty());
    ci.SetOwner(&a);
    ci.SetOwner(&b);
    ci.SetOwner(nullptr);
    using Call = std::pair<std::string, TObject*>;
    EXPECT_EQ(ci.Calls,
              (std::vector<Call>{
                  {"Connect", &a}, {"UnConnect", &a}, {"Connect", &b}, {"UnConnect", &b}}));
    EXPECT_EQ(ci.GetOwner(), nullptr);
}

TEST(ClassInfo, AnOwnerThatDiesUnbindsItsClassInfo) {
    auto* obj = new TObject;
    TRecordingInfo ci;
    ci.SetOwner(obj);
    obj->Free();
    EXPECT_EQ(ci.GetOwner(), nullptr);
    EXPECT_TRUE(ci.IsReleased());
    EXPECT_THROW(ci.SetOwner(obj), Exception); // a dead address is refused
}

TEST(ClassInfo, ListenersHearTheirEventInOrder) {
    TObject owner;
    TRecordingInfo ci;
    ci.InitMetaData();
    ci.SetOwner(&owner);
    TzelEventInfo* change = ci.FindEvent("OnChange");
    std::vector<std::string> heard;
    Hearing first("OnChange", [&](TObject* s, TzelEventInfo* e) {
        EXPECT_EQ(s, &owner);
        EXPECT_EQ(e, change);
        heard.push_back("first");
    });
    Hearing second("OnChange", [&](TObject*, TzelEventInfo*) { heard.push_back("second"); });
    Hearing wrongCase("onChange", [&](TObject*, TzelEventInfo*) { heard.push_back("case"); });
    Hearing other("OnOther", [&](TObject*, TzelEventInfo*) { heard.push_back("other"); });
    Hearing unassigned("OnChange");
    unassigned.Handler = nullptr;
    for (TzelListener* l :
         {(TzelListener*)&first, (TzelListener*)&wrongCase, (TzelListener*)&second,
          (TzelListener*)&other, (TzelListener*)&unassigned, (TzelListener*)&first})
        ci.AddListener(l);
    ci.AddListener(nullptr);
    ci.RemoveListener(nullptr);
    EXPECT_EQ(ci.GetListenerCount(), 6);
    ci.FireEvent(change);
    EXPECT_EQ(heard, (std::vector<std::string>{"first", "second", "first"}));

    heard.clear();
    ci.RemoveListener(&first); // the first occurrence only
    ci.FireEvent(change);
    EXPECT_EQ(heard, (std::vector<std::string>{"second", "first"}));
}

TEST(ClassInfo, ListenersAddedOrRemovedWhileFiringAreSafe) {
    TObject owner;
    TRecordingInfo ci;
    ci.InitMetaData();
    ci.SetOwner(&owner);
    TzelEventInfo* change = ci.FindEvent("OnChange");
    std::vector<std::string> heard;
    auto* late =
        new Hearing("OnChange", [&](TObject*, TzelEventInfo*) { heard.push_back("late"); });
    Hearing* self = nullptr;
    Hearing* victim = nullptr;
    Hearing* earlier = nullptr;
    earlier =
        new Hearing("OnChange", [&](TObject*, TzelEventInfo*) { heard.push_back("earlier"); });
    // Removes itself, frees a listener after it, removes one before it, and adds one.
    self = new Hearing("OnChange", [&](TObject*, TzelEventInfo*) {
        heard.push_back("self");
        ci.RemoveListener(self);
        ci.RemoveListener(victim);
        delete victim;
        ci.RemoveListener(earlier);
        ci.AddListener(late);
    });
    victim = new Hearing("OnChange", [&](TObject*, TzelEventInfo*) { heard.push_back("victim"); });
    Hearing last("OnChange", [&](TObject*, TzelEventInfo*) { heard.push_back("last"); });
    ci.AddListener(earlier);
    ci.AddListener(self);
    ci.AddListener(victim);
    ci.AddListener(&last);
    ci.FireEvent(change);
    EXPECT_EQ(heard, (std::vector<std::string>{"earlier", "self", "last"}));
    heard.clear();
    ci.FireEvent(change);
    EXPECT_EQ(heard, (std::vector<std::string>{"last", "late"}));
    ci.RemoveListener(late);
    delete late;
    delete earlier;
    delete self;
}

TEST(ClassInfo, NestedFiringKeepsTheOuterLoopRight) {
    TObject owner;
    TRecordingInfo ci;
    ci.InitMetaData();
    ci.SetOwner(&owner);
    TzelEventInfo* change = ci.FindEvent("OnChange");
    TzelEventInfo* other = ci.FindEvent("OnOther");
    std::vector<std::string> heard;
    Hearing a("OnChange", [&](TObject*, TzelEventInfo*) { heard.push_back("a"); });
    Hearing b("OnOther", [&](TObject*, TzelEventInfo*) { heard.push_back("b"); });
    Hearing nester("OnChange", [&](TObject*, TzelEventInfo*) {
        heard.push_back("nest");
        ci.RemoveListener(
            &a); // removed inside the inner loop's caller, before the outer reaches it
        ci.FireEvent(other);
    });
    ci.AddListener(&nester);
    ci.AddListener(&b);
    ci.AddListener(&a);
    ci.FireEvent(change);
    EXPECT_EQ(heard, (std::vector<std::string>{"nest", "b"}));
}
