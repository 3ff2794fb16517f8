// Property-to-property connections: the first copy, copies both ways without echo, reworded
// failures, design mode and what a deleted component takes with it.
#include "tests/package/ConnectionTest.h"

namespace zeltrix::test {
namespace {

using namespace host;

struct TComponentAccess : TComponent {
    using TComponent::SetDesigning;
};

/// Counts the firings of one event of one class info.
struct EventCounter {
    explicit EventCounter(TzelClassInfo* Info, const char* Event) : Info(Info) {
        Listener.EventName = Event;
        Listener.Handler = TNotifyZELEvent::Bind<&EventCounter::Heard>(this);
        Info->AddListener(&Listener);
    }
    ~EventCounter() { Info->RemoveListener(&Listener); }
    void Heard(TObject*, TzelEventInfo*) { ++Count; }
    TzelClassInfo* Info;
    TzelListener Listener;
    int Count = 0;
};

class P2P : public ConnectionTest {
protected:
    void SetUp() override {
        ConnectionTest::SetUp();
        Left = NewWidget("Left");
        Right = NewWidget("Right");
        C = new TzelP2PConnection(Form);
        C->SetName("P2P1");
        C->SetSource(Left);
        C->SetTarget(Right);
        C->SetSourceProperty("Caption");
        C->SetTargetProperty("Caption");
    }
    TTestWidget *Left, *Right;
    TzelP2PConnection* C;
};

TEST_F(P2P, NewConnectionHasOneElementIndexArrays) {
    auto* fresh = new TzelP2PConnection(Form);
    for (const Variant& v : {fresh->GetSourcePropertyIndex(), fresh->GetTargetPropertyIndex()}) {
        ASSERT_TRUE(VarIsArray(v));
        EXPECT_EQ(VarArrayLowBound(v, 1), 0);
        EXPECT_EQ(VarArrayHighBound(v, 1), 0);
        EXPECT_TRUE(v[0].IsEmpty());
    }
}

TEST_F(P2P, CopiesOnceWhenConnectedWithoutEvents) {
    Left->SetCaption("hello");
    ASSERT_TRUE(C->Connect());
    EXPECT_EQ(Right->GetCaption(), "hello");
    Left->SetCaption("later");
    Right->SetCaption("other");
    EXPECT_EQ(Right->GetCaption(), "other");
    EXPECT_EQ(Left->GetCaption(), "later");
}

TEST_F(P2P, CopiesBothWaysExactlyOnce) {
    C->SetSourceEvent("OnChange");
    C->SetTargetEvent("OnChange");
    ASSERT_TRUE(C->Connect());
    EventCounter left(InfoOf(Left), "OnChange"), right(InfoOf(Right), "OnChange");
    Left->SetCaption("a");
    EXPECT_EQ(Right->GetCaption(), "a");
    EXPECT_EQ(left.Count, 1);
    EXPECT_EQ(right.Count, 1);
    Right->SetCaption("b");
    EXPECT_EQ(Left->GetCaption(), "b");
    EXPECT_EQ(left.Count, 2);
    EXPECT_EQ(right.Count, 2);
    // Either direction may be left out.
    C->Unconnect();
    C->SetTargetEvent("");
    ASSERT_TRUE(C->Connect());
    Right->SetCaption("c");
    EXPECT_EQ(Left->GetCaption(), "b");
}

TEST_F(P2P, CopyBetweenTwoCellsOfOneWidget) {
    C->SetTarget(Left);
    C->SetSourceProperty("Cells");
    C->SetTargetProperty("Cells");
    C->SetSourcePropertyIndex(VarArrayOf({0, 0}));
    C->SetTargetPropertyIndex(VarArrayOf({3, 1}));
    C->SetSourceEvent("OnClick");
    Left->SetCells(0, 0, "top-left");
    ASSERT_TRUE(C->Connect());
    EXPECT_EQ(Left->GetCells(3, 1), "top-left");
    Left->SetCells(0, 0, "again");
    Left->Click();
    EXPECT_EQ(Left->GetCells(3, 1), "again");
    EXPECT_EQ(Left->GetCells(0, 0), "again");
}

TEST_F(P2P, FailedCopyIsReworded) {
    C->SetTargetProperty("Broken");
    C->SetSourceEvent("OnChange");
    EXPECT_RAISES(C->Connect(), Exception,
                  "Exception \"Cannot write Broken\" occured in connection P2P1");
    // The listener registered before the first copy stays, and the next event copies again.
    EXPECT_RAISES(Left->SetCaption("x"), Exception,
                  "Exception \"Cannot write Broken\" occured in connection P2P1");
    C->SetTargetProperty("Caption");
    Left->SetCaption("y");
    EXPECT_EQ(Right->GetCaption(), "y");
}

TEST_F(P2P, EventsFromAnotherObjectAreIgnored) {
    C->SetSourceEvent("OnChange");
    ASSERT_TRUE(C->Connect());
    Left->SetCaption("kept");
    Right->SetCaption("changed");
    C->SourcePropertyChange(Right, nullptr);
    EXPECT_EQ(Right->GetCaption(), "changed");
    C->SourcePropertyChange(Left, nullptr);
    EXPECT_EQ(Right->GetCaption(), "kept");
}

TEST_F(P2P, NeverCopiesInDesignMode) {
    auto* form = new TComponent(nullptr);
    (form->*&TComponentAccess::SetDesigning)(true, true);
    auto* a = new TTestWidget(form);
    auto* b = new TTestWidget(form);
    auto* c = new TzelP2PConnection(form);
    a->SetCaption("source");
    c->SetSource(a);
    c->SetTarget(b);
    c->SetSourceProperty("Caption");
    c->SetTargetProperty("Caption");
    c->SetSourceEvent("OnChange");
    EXPECT_TRUE(c->Connect());
    EXPECT_EQ(b->GetCaption(), "");
    c->SourcePropertyChange(a, nullptr);
    EXPECT_EQ(b->GetCaption(), "");
    EXPECT_EQ(InfoOf(a)->GetListenerCount(), 0);
    form->Free();
}

TEST_F(P2P, ConnectNeedsBothPropertiesButNoEvent) {
    auto* c = new TzelP2PConnection(Form);
    EXPECT_FALSE(c->Connect());
    c->SetSource(Left);
    c->SetTarget(Right);
    EXPECT_FALSE(c->Connect());
    c->SetSourceProperty("Value");
    EXPECT_FALSE(c->Connect());
    c->SetTargetProperty("Value");
    EXPECT_TRUE(c->Connect());
}

TEST_F(P2P, EventNameValidation) {
    EXPECT_RAISES(C->SetSourceEvent("OnMissing"), EzelInvalidFeature,
                  "Invalid SourceEvent value. Unknown source event");
    EXPECT_RAISES(C->SetTargetEvent("OnMissing"), EzelInvalidFeature,
                  "Invalid TargetEvent value. Unknown target event");
    auto* loose = new TzelP2PConnection(Form);
    EXPECT_RAISES(loose->SetSourceEvent("OnChange"), EzelInvalidFeature,
                  "Invalid SourceEvent value. Unknown Source component");
    EXPECT_RAISES(loose->SetTargetEvent("OnChange"), EzelInvalidFeature,
                  "Invalid TargetEvent value. Unknown Target component");
    EXPECT_RAISES(loose->SetSourceProperty("Caption"), EzelInvalidFeature,
                  "Invalid SourceProperty value. Unknown Source component");
    EXPECT_RAISES(loose->SetSourcePropertyIndex(VarArrayOf({})), EzelInvalidFeature,
                  "Invalid SourcePropertyIndex value. Unknown Source component");
    EXPECT_RAISES(C->SetSourceProperty("Nope"), EzelInvalidFeature,
                  "Invalid SourceProperty value. Unknown source property");
    EXPECT_EQ(loose->GetSourceEvent(), "");
    EXPECT_EQ(C->GetSourceProperty(), "Caption");
}

TEST_F(P2P, DeletingTheTargetClearsItsNames) {
    C->SetTargetProperty("Cells");
    C->SetTargetPropertyIndex(VarArrayOf({1, 2}));
    C->SetTargetEvent("OnChange");
    C->SetSourceEvent("OnChange");
    ASSERT_TRUE(C->Connect());
    Right->Free();
    EXPECT_EQ(C->GetTarget(), nullptr);
    EXPECT_EQ(C->GetTargetProperty(), "");
    EXPECT_EQ(C->GetTargetEvent(), "");
    Variant v = C->GetTargetPropertyIndex();
    EXPECT_EQ(VarArrayHighBound(v, 1), 0);
    EXPECT_EQ(C->GetSourceProperty(), "Caption");
    EXPECT_EQ(C->GetSourceEvent(), "OnChange");
    EXPECT_EQ(InfoOf(Left)->GetListenerCount(), 0);
    Left->SetCaption("nobody listens");
}

} // namespace
} // namespace zeltrix::test
