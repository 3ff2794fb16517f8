// The variable component: its class info shows the held class's features plus Self and
// OnInstanceChange, holds live objects only, and keeps connections working across changes.
#include "tests/package/ConnectionTest.h"

#include "classinfo/Zelsystem.h"
#include "variable/Zelvar.h"

#include <cstdint>

namespace zeltrix::test {
namespace {

using namespace host;

Variant AddressOf(TObject* O) {
    return Variant(static_cast<Int64>(reinterpret_cast<std::intptr_t>(O)));
}

class Variable : public ConnectionTest {
protected:
    void SetUp() override {
        ConnectionTest::SetUp();
        V = new TzelVariable(Form);
        V->SetName("Var1");
        Info = InfoOf(V);
    }
    void Hold(TObject* O) { Info->SetProperty(Info->FindProperty("Self"), AddressOf(O)); }
    Variant Read(const char* Name) { return Info->GetProperty(Info->FindProperty(Name)); }
    TzelVariable* V;
    TzelClassInfo* Info;
};

TEST_F(Variable, NewVariableShowsTObjectPlusItsOwnFeatures) {
    EXPECT_EQ(V->GetClassTypeName(), "TObject");
    ASSERT_EQ(Info, V->GetZELClassInfo()); // the registry hands out the variable's own
    TObject plain;
    TzelClassInfo* object = InfoOf(&plain); // the class info registered for "TObject"
    ASSERT_EQ(object->ClassType(), TObjectClassInfo::StaticClass());
    ASSERT_EQ(Info->GetPropertyCount(), object->GetPropertyCount());
    for (int i = 0; i < object->GetPropertyCount(); ++i)
        EXPECT_EQ(Info->GetProperties(i)->Name, object->GetProperties(i)->Name);
    EXPECT_EQ(Info->GetMethodCount(), object->GetMethodCount());
    ASSERT_EQ(Info->GetEventCount(), object->GetEventCount() + 1);
    TzelPropertyInfo* self = Info->FindProperty("Self");
    ASSERT_NE(self, nullptr);
    EXPECT_EQ(self->Style, TzelPropertyStyle({psReadable, psWritable}));
    EXPECT_EQ(self->Visibility, pvPublished);
    TzelEventInfo* change = Info->FindEvent("OnInstanceChange");
    ASSERT_NE(change, nullptr);
    ASSERT_EQ(change->GetArgCount(), 1);
    EXPECT_EQ(change->GetArgs(0)->Name, "Instance");
    EXPECT_EQ(Read("Self"), Variant(0));
    EXPECT_EQ(Read("Self").VarType(), varInt64);
}

TEST_F(Variable, ClassTypeName) {
    V->SetClassTypeName("ttestwidget"); // the registry ignores case
    EXPECT_EQ(V->GetClassTypeName(), "ttestwidget");
    EXPECT_NE(Info->FindProperty("Caption"), nullptr);
    EXPECT_NE(Info->FindEvent("OnClick"), nullptr);
    unsigned generation = Info->GetGeneration();
    V->SetClassTypeName("ttestwidget"); // the same text: nothing happens
    EXPECT_EQ(Info->GetGeneration(), generation);
    EXPECT_RAISES(V->SetClassTypeName("TNothing"), Exception, "Unknown class!");
    // The variable's own class info wraps no object: refused like an unknown name.
    EXPECT_RAISES(V->SetClassTypeName("TzelVariable"), Exception, "Unknown class!");
    EXPECT_EQ(V->GetClassTypeName(), "ttestwidget");
    EXPECT_NE(Info->FindProperty("Caption"), nullptr);
    EXPECT_EQ(Info->GetGeneration(), generation);
}

TEST_F(Variable, HoldsAnObjectAndReachesItsMembers) {
    V->SetClassTypeName("TTestWidget");
    TTestWidget* w = NewWidget("W");
    w->SetCaption("held");
    struct Changes {
        std::vector<Variant> Seen;
        void Heard(TObject*, TzelEventInfo* E) { Seen.push_back(E->GetArgs(0)->Value); }
    } changes;
    TzelListener listener;
    listener.EventName = "OnInstanceChange";
    listener.Handler = TNotifyZELEvent::Bind<&Changes::Heard>(&changes);
    Info->AddListener(&listener);
    Hold(w);
    EXPECT_EQ(Read("Self"), AddressOf(w));
    EXPECT_EQ(Read("Caption"), Variant("held"));
    Info->SetProperty(Info->FindProperty("Value"), Variant(5));
    EXPECT_EQ(w->GetValue(), 5);
    TzelMethodInfo* add = Info->FindMethod("Add");
    add->GetArgs(0)->Value = 2;
    add->GetArgs(1)->Value = 3;
    Info->InvokeMethod(add);
    EXPECT_EQ(add->Result, Variant(5));
    ASSERT_EQ(changes.Seen.size(), 1u);
    EXPECT_EQ(changes.Seen[0], AddressOf(w));
    Hold(nullptr);
    EXPECT_EQ(Read("Self"), Variant(0));
    EXPECT_EQ(changes.Seen.size(), 2u);
    Info->RemoveListener(&listener);
}

// Without an object, reading a member gives an empty value and writing or calling does nothing.
TEST_F(Variable, MembersWithoutAnObject) {
    V->SetClassTypeName("TTestWidget");
    EXPECT_TRUE(Read("Caption").IsEmpty());
    Info->SetProperty(Info->FindProperty("Caption"), Variant("ignored"));
    TzelMethodInfo* add = Info->FindMethod("Add");
    add->Result = 9;
    Info->InvokeMethod(add);
    EXPECT_TRUE(add->Result.IsEmpty());
}

TEST_F(Variable, OnlyLiveObjectsOfTheChosenClassAreHeld) {
    V->SetClassTypeName("TTestWidget");
    auto* plain = new TComponent(Form);
    EXPECT_THROW(Hold(plain), EInvalidCast);
    EXPECT_THROW(Info->SetProperty(Info->FindProperty("Self"), Variant(Int64(12345))),
                 EInvalidCast);
    EXPECT_EQ(Read("Self"), Variant(0));
    V->SetClassTypeName("TObject");
    Hold(plain); // a TComponent is a TObject
    EXPECT_EQ(Read("Self"), AddressOf(plain));
}

// The held object is destroyed while held: the variable never touches it again.
TEST_F(Variable, HeldObjectDestroyedWhileHeld) {
    V->SetClassTypeName("TTestWidget");
    TTestWidget* w = NewWidget("W");
    Hold(w);
    w->Free();
    EXPECT_EQ(Read("Self"), Variant(0));
    EXPECT_TRUE(Read("Caption").IsEmpty());
    Info->SetProperty(Info->FindProperty("Caption"), Variant("nobody"));
    TTestWidget* next = NewWidget("Next");
    Hold(next);
    EXPECT_EQ(Read("Self"), AddressOf(next));
    next->SetCaption("next");
    EXPECT_EQ(Read("Caption"), Variant("next"));
    V->SetClassTypeName("TObject"); // unhooks the live one
    next->Click();
}

// A connection whose source is the variable hears the held object's events as the variable's.
TEST_F(Variable, ConnectionHearsTheHeldObjectsEvents) {
    V->SetClassTypeName("TTestWidget");
    TTestWidget* button = NewWidget("Button");
    TTestWidget* label = NewWidget("Label");
    auto* c = new TzelE2PConnection(Form);
    c->SetSource(V);
    c->SetTarget(label);
    c->SetSourceEvent("OnMouse");
    c->SetTargetProperty("Value");
    c->SetValueOptions(voEventProperty);
    c->SetValueEventParameter("Y");
    ASSERT_TRUE(c->Connect());
    button->Mouse(1, 2); // not held yet
    EXPECT_EQ(label->GetValue(), 0);
    Hold(button);
    button->Mouse(3, 4);
    EXPECT_EQ(label->GetValue(), 4);
    auto* e2m = new TzelE2MConnection(Form);
    e2m->SetSource(V);
    e2m->SetTarget(label);
    e2m->SetSourceEvent("OnKey");
    e2m->SetTargetMethod("Twice");
    e2m->GetTargetMethodParameters()->GetItem(0)->SetEventParameter("Key");
    e2m->GetTargetMethodParameters()->GetItem(0)->SetOptions(voEventProperty);
    ASSERT_TRUE(e2m->Connect());
    EXPECT_EQ(button->Press(6), 12); // var parameters flow back through the variable too
    Hold(nullptr);
    button->Mouse(5, 6);
    EXPECT_EQ(label->GetValue(), 4);
}

TEST_F(Variable, InstanceChangeDrivesAConnection) {
    TTestWidget* label = NewWidget("Label");
    auto* c = new TzelE2PConnection(Form);
    c->SetSource(V);
    c->SetTarget(label);
    c->SetSourceEvent("OnInstanceChange");
    c->SetTargetProperty("Caption");
    c->SetValueConstant("changed");
    ASSERT_TRUE(c->Connect());
    Hold(label);
    EXPECT_EQ(label->GetCaption(), "changed");
}

// A class change rebuilds the metadata: a connection's cached record of the old metadata is
// looked up again, never used.
TEST_F(Variable, ClassChangeInvalidatesCachedRecords) {
    V->SetClassTypeName("TTestWidget");
    TTestWidget* button = NewWidget("Button");
    TTestWidget* w = NewWidget("W");
    Hold(w);
    auto* c = new TzelE2PConnection(Form);
    c->SetSource(button);
    c->SetTarget(V);
    c->SetSourceEvent("OnClick");
    c->SetTargetProperty("Caption");
    c->SetValueConstant("one");
    ASSERT_TRUE(c->Connect());
    button->Click();
    EXPECT_EQ(w->GetCaption(), "one");
    V->SetClassTypeName("TTESTWIDGET"); // a new inner class info, new records
    Hold(w);
    c->SetValueConstant("two");
    button->Click();
    EXPECT_EQ(w->GetCaption(), "two");
    V->SetClassTypeName("TObject");
    EXPECT_RAISES(button->Click(), EzelInvalidFeature,
                  "Invalid TargetProperty value. Unknown target property");
}

// Connections hear of the variable's destruction while its class info still exists.
TEST_F(Variable, DestroyingTheVariableReleasesItsConnections) {
    V->SetClassTypeName("TTestWidget");
    TTestWidget* w = NewWidget("W");
    Hold(w);
    auto* p2p = new TzelP2PConnection(Form);
    p2p->SetSource(V);
    p2p->SetTarget(w);
    p2p->SetSourceProperty("Caption");
    p2p->SetTargetProperty("Value");
    p2p->SetSourceEvent("OnChange");
    w->SetCaption("7");
    ASSERT_TRUE(p2p->Connect());
    EXPECT_EQ(w->GetValue(), 7);
    V->Free();
    EXPECT_EQ(p2p->GetSource(), nullptr);
    EXPECT_EQ(p2p->GetSourceProperty(), "");
    EXPECT_EQ(p2p->GetSourceEvent(), "");
    w->SetCaption("8");
    EXPECT_EQ(w->GetValue(), 7);
}

} // namespace
} // namespace zeltrix::test
