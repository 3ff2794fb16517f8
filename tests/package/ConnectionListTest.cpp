// The connection list and the connection base: membership, order, ownership, connecting after a
// load, accepting and losing components.
#include "tests/package/ConnectionTest.h"

#include "host/classes/Lists.h"

namespace zeltrix::test {
namespace {

using namespace host;

// Reaches the protected hooks the host's streaming calls.
struct TListAccess : TzelConnectionList {
    using TzelConnectionList::GetChildren;
    using TzelConnectionList::Loaded;
    using TzelConnectionList::SetChildOrder;
};
struct TComponentAccess : TComponent {
    using TComponent::SetDesigning;
};

void CallLoaded(TzelConnectionList* List) {
    (List->*&TListAccess::Loaded)();
}
void Design(TComponent* C) {
    (C->*&TComponentAccess::SetDesigning)(true, true);
}

// A component whose class chain ends in a root that merely shares the name "TObject": no class
// info is registered for it, as with a registry that lacks the root's entry.
constexpr TMetaClass AlienRoot = [] {
    TMetaClass m{};
    m.ClassName = "TObject";
    return m;
}();
class TAlien : public TComponent {
    HOST_CLASS(TAlien, TComponent)
public:
    explicit TAlien(TComponent* AOwner) : TComponent(AOwner) {}
};
constinit const TMetaClass TAlien::ClassMeta = MakeMetaClass<TAlien>("TAlien", &AlienRoot);

class ConnectionList : public ConnectionTest {
protected:
    void SetUp() override {
        ConnectionTest::SetUp();
        List = new TzelConnectionList(Form);
        List->SetName("ConnectionList1");
    }
    TzelE2PConnection* NewE2P(TzelConnectionList* L = nullptr) {
        auto* c = new TzelE2PConnection(Form);
        c->SetConnectionList(L ? L : List);
        return c;
    }
    TzelConnectionList* List = nullptr;
};

TEST_F(ConnectionList, MembershipFollowsTheConnectionListField) {
    TzelE2PConnection* a = NewE2P();
    TzelE2PConnection* b = NewE2P();
    ASSERT_EQ(List->GetConnectionCount(), 2);
    EXPECT_EQ(List->GetConnection(0), a);
    EXPECT_EQ(List->GetConnection(1), b);
    EXPECT_EQ(b->GetIndex(), 1);
    EXPECT_TRUE(a->HasParent());
    EXPECT_EQ(a->GetParentComponent(), List);

    // Moving to another list leaves the first, exactly once.
    auto* other = new TzelConnectionList(Form);
    a->SetConnectionList(other);
    EXPECT_EQ(List->GetConnectionCount(), 1);
    EXPECT_EQ(other->GetConnectionCount(), 1);
    EXPECT_EQ(a->GetConnectionList(), other);
    a->SetConnectionList(other);
    EXPECT_EQ(other->GetConnectionCount(), 1);

    a->SetConnectionList(nullptr);
    EXPECT_EQ(a->GetIndex(), -1);
    EXPECT_FALSE(a->HasParent());
    EXPECT_EQ(a->GetParentComponent(), nullptr);
    // Removing a connection that is not in the list leaves its field alone.
    b->SetConnectionList(List);
    other->RemoveConnection(b);
    EXPECT_EQ(b->GetConnectionList(), List);
}

TEST_F(ConnectionList, BadIndexRaisesTheListError) {
    NewE2P();
    EXPECT_RAISES(List->GetConnection(1), EListError, "List index out of bounds (1)");
    EXPECT_RAISES(List->GetConnection(-1), EListError, "List index out of bounds (-1)");
}

TEST_F(ConnectionList, SetIndexClampsAndKeepsTheOthersInOrder) {
    TzelE2PConnection* c[4];
    for (auto& x : c) x = NewE2P();
    c[3]->SetIndex(-5);
    EXPECT_EQ(List->GetConnection(0), c[3]);
    EXPECT_EQ(List->GetConnection(1), c[0]);
    EXPECT_EQ(List->GetConnection(3), c[2]);
    c[3]->SetIndex(100);
    EXPECT_EQ(List->GetConnection(3), c[3]);
    EXPECT_EQ(List->GetConnection(0), c[0]);
    c[0]->SetIndex(2);
    EXPECT_EQ(c[0]->GetIndex(), 2);
    EXPECT_EQ(List->GetConnection(0), c[1]);
    EXPECT_EQ(List->GetConnection(1), c[2]);

    auto* loose = new TzelE2PConnection(Form);
    loose->SetIndex(0);
    EXPECT_EQ(loose->GetIndex(), -1);

    // The host reorders children through SetChildOrder.
    (List->*&TListAccess::SetChildOrder)(c[3], 0);
    EXPECT_EQ(List->GetConnection(0), c[3]);
    (List->*&TListAccess::SetChildOrder)(loose, 0); // not a child: ignored
    EXPECT_EQ(loose->GetIndex(), -1);
}

TEST_F(ConnectionList, DestroyingTheListDestroysItsConnections) {
    TzelE2PConnection* a = NewE2P();
    TzelP2PConnection* b = new TzelP2PConnection(Form);
    b->SetConnectionList(List);
    auto* outside = new TzelE2PConnection(Form);
    int before = Form->GetComponentCount();
    List->Free();
    EXPECT_EQ(Form->GetComponentCount(), before - 3);
    EXPECT_FALSE(LiveObjects::Find(a));
    EXPECT_FALSE(LiveObjects::Find(b));
    EXPECT_TRUE(LiveObjects::Find(outside));
    List = nullptr;
}

TEST_F(ConnectionList, DestroyingAConnectionLeavesTheList) {
    TzelE2PConnection* a = NewE2P();
    TzelE2PConnection* b = NewE2P();
    a->Free();
    ASSERT_EQ(List->GetConnectionCount(), 1);
    EXPECT_EQ(List->GetConnection(0), b);
    EXPECT_EQ(b->GetIndex(), 0);
}

TEST_F(ConnectionList, ChildrenAreTheConnectionsOfTheRootInListOrder) {
    TzelE2PConnection* a = NewE2P();
    auto* otherRoot = new TComponent(nullptr);
    auto* foreign = new TzelE2PConnection(otherRoot);
    foreign->SetConnectionList(List);
    TzelE2PConnection* b = NewE2P();
    b->SetIndex(0);
    std::vector<TComponent*> seen;
    struct Collector {
        std::vector<TComponent*>* Seen;
        void Add(TComponent* C) { Seen->push_back(C); }
    } collector{&seen};
    (List->*&TListAccess::GetChildren)(TGetChildProc::Bind<&Collector::Add>(&collector), Form);
    EXPECT_EQ(seen, (std::vector<TComponent*>{b, a}));
    otherRoot->Free();
    EXPECT_EQ(List->GetConnectionCount(), 2);
}

TEST_F(ConnectionList, LoadedConnectsInOrderExceptInDesignMode) {
    TTestWidget* button = NewWidget("Button");
    TTestWidget* label = NewWidget("Label");
    auto make = [&](const char* text) {
        TzelE2PConnection* c = NewE2P();
        c->SetSource(button);
        c->SetTarget(label);
        c->SetSourceEvent("OnClick");
        c->SetTargetProperty("Caption");
        c->SetValueConstant(text);
        return c;
    };
    make("first");
    make("second");
    TzelE2PConnection* broken = make("third");
    broken->SetSourceEvent("OnChange");
    broken->SetValueOptions(voEventProperty); // no event parameter: stays inactive, silently

    button->Click();
    EXPECT_EQ(label->GetCaption(), ""); // created by code: nothing until connected
    CallLoaded(List);
    button->Click();
    EXPECT_EQ(label->GetCaption(), "second"); // both ran, in list order
    label->SetCaption("");
    button->SetCaption("x"); // OnChange: the inactive connection does nothing
    EXPECT_EQ(label->GetCaption(), "");

    auto* designed = new TComponent(nullptr);
    Design(designed);
    auto* dlist = new TzelConnectionList(designed);
    auto* w = new TTestWidget(designed);
    auto* c = new TzelE2PConnection(designed);
    c->SetConnectionList(dlist);
    c->SetSource(w);
    c->SetTarget(w);
    c->SetSourceEvent("OnClick");
    c->SetTargetProperty("Caption");
    c->SetValueConstant("designed");
    CallLoaded(dlist);
    EXPECT_TRUE(c->Connect()); // all names resolve, but nothing is registered
    w->Click();
    EXPECT_EQ(w->GetCaption(), "");
    designed->Free();
}

TEST_F(ConnectionList, UnregisteredComponentIsRefused) {
    auto* alien = new TAlien(nullptr);
    TTestWidget* w = NewWidget("W");
    auto* c = new TzelE2PConnection(Form);
    c->SetSource(w);
    EXPECT_RAISES(c->SetSource(alien), Exception, "This is a not Zeltrix component!");
    EXPECT_RAISES(c->SetTarget(alien), Exception, "This is a not Zeltrix component!");
    EXPECT_RAISES(c->SetValueComponent(alien), Exception, "This is a not Zeltrix component!");
    EXPECT_EQ(c->GetSource(), w);
    EXPECT_EQ(c->GetTarget(), nullptr);
    auto* e2m = new TzelE2MConnection(Form);
    TzelParameterConnection* item = e2m->GetTargetMethodParameters()->Add();
    EXPECT_RAISES(item->SetComponent(alien), Exception, "This is a not Zeltrix component!");
    alien->Free();
}

TEST_F(ConnectionList, LosingAComponentClearsWhatBelongsToIt) {
    TTestWidget* w = NewWidget("W");
    TTestWidget* t = NewWidget("T");
    auto* c = new TzelE2PConnection(Form);
    c->SetSource(w);
    c->SetTarget(t);
    c->SetSourceEvent("OnMouse");
    c->SetValueOptions(voEventProperty);
    c->SetValueEventParameter("X");
    c->SetTargetProperty("Cells");
    ASSERT_TRUE(c->Connect());
    w->Free();
    EXPECT_EQ(c->GetSource(), nullptr);
    EXPECT_EQ(c->GetSourceEvent(), "");
    EXPECT_EQ(c->GetValueEventParameter(), "");
    EXPECT_EQ(c->GetTargetProperty(), "Cells");
    t->Free();
    EXPECT_EQ(c->GetTarget(), nullptr);
    EXPECT_EQ(c->GetTargetProperty(), "");
    Variant indexes = c->GetTargetPropertyIndex();
    ASSERT_TRUE(VarIsArray(indexes));
    EXPECT_EQ(VarArrayHighBound(indexes, 1), 0);
    EXPECT_TRUE(indexes[0].IsEmpty());
}

TEST_F(ConnectionList, SettingTheSameSourceStillClearsItsNames) {
    TTestWidget* w = NewWidget("W");
    auto* c = new TzelE2PConnection(Form);
    c->SetSource(w);
    c->SetSourceEvent("OnClick");
    c->SetSource(w);
    EXPECT_EQ(c->GetSource(), w);
    EXPECT_EQ(c->GetSourceEvent(), "");
}

// One component as source, target and value component: every field naming it goes at once,
// and nothing reaches its class info afterwards.
TEST_F(ConnectionList, OneComponentInEveryRoleGoesCleanly) {
    TTestWidget* w = NewWidget("W");
    auto* c = new TzelE2PConnection(Form);
    c->SetSource(w);
    c->SetTarget(w);
    c->SetValueComponent(w);
    c->SetSourceEvent("OnClick");
    c->SetTargetProperty("Caption");
    c->SetValueComponentProperty("Log");
    c->SetValueOptions(voComponentProperty);
    ASSERT_TRUE(c->Connect());
    w->Free();
    EXPECT_EQ(c->GetSource(), nullptr);
    EXPECT_EQ(c->GetTarget(), nullptr);
    EXPECT_EQ(c->GetValueComponent(), nullptr);
    EXPECT_EQ(c->GetTargetProperty(), "");
    EXPECT_EQ(c->GetValueComponentProperty(), "");
    EXPECT_FALSE(c->Connect());
}

// RemoveComponent sends the same notice as a destruction, but the component lives on with its
// class info: the connection must not stay registered there.
TEST_F(ConnectionList, RemovalWithoutDestructionLeavesNoListener) {
    TTestWidget* w = NewWidget("W");
    TTestWidget* t = NewWidget("T");
    auto* c = new TzelE2PConnection(Form);
    c->SetSource(w);
    c->SetTarget(t);
    c->SetSourceEvent("OnClick");
    c->SetTargetProperty("Caption");
    c->SetValueConstant("clicked");
    ASSERT_TRUE(c->Connect());
    TzelClassInfo* info = InfoOf(w);
    EXPECT_EQ(info->GetListenerCount(), 1);
    Form->RemoveComponent(w);
    EXPECT_EQ(c->GetSource(), nullptr);
    EXPECT_EQ(info->GetListenerCount(), 0);
    w->Click();
    EXPECT_EQ(t->GetCaption(), "");
    w->Free();
}

// Connect called twice registers twice; Unconnect and the destructor take every registration.
TEST_F(ConnectionList, DoubleConnectIsUndoneCompletely) {
    TTestWidget* w = NewWidget("W");
    auto* c = new TzelE2PConnection(Form);
    c->SetSource(w);
    c->SetTarget(w);
    c->SetSourceEvent("OnClick");
    c->SetTargetProperty("Caption");
    ASSERT_TRUE(c->Connect());
    ASSERT_TRUE(c->Connect());
    TzelClassInfo* info = InfoOf(w);
    EXPECT_EQ(info->GetListenerCount(), 2);
    c->Unconnect();
    EXPECT_EQ(info->GetListenerCount(), 0);
    c->Connect();
    c->Connect();
    c->Free();
    EXPECT_EQ(info->GetListenerCount(), 0);
    w->Click();
}

// A method called through an event-to-method connection frees its own target: the write-back
// finds nothing, and a later connection on the freed target has stopped.
TEST_F(ConnectionList, TargetFreedByTheMethodItRuns) {
    TTestWidget* button = NewWidget("Button");
    TTestWidget* t = NewWidget("T");
    auto* c = new TzelE2MConnection(Form);
    c->SetConnectionList(List);
    c->SetSource(button);
    c->SetTarget(t);
    c->SetSourceEvent("OnClick");
    c->SetTargetMethod("Release");
    auto* after = new TzelE2PConnection(Form);
    after->SetConnectionList(List);
    after->SetSource(button);
    after->SetTarget(t);
    after->SetSourceEvent("OnClick");
    after->SetTargetProperty("Caption");
    CallLoaded(List);
    button->Click();
    EXPECT_EQ(c->GetTarget(), nullptr);
    EXPECT_EQ(c->GetTargetMethod(), "");
    EXPECT_EQ(after->GetTarget(), nullptr);
    button->Click(); // both inactive now
}

// The handler frees the whole form, connection list and running connection included, while
// the source's class info is still firing.
TEST_F(ConnectionList, ConnectionDestroyedWhileItsSourceFires) {
    auto* form = new TTestWidget(nullptr);
    auto* list = new TzelConnectionList(form);
    auto* button = new TTestWidget(form);
    auto* c = new TzelE2MConnection(form);
    c->SetConnectionList(list);
    c->SetSource(button);
    c->SetTarget(form);
    c->SetSourceEvent("OnClick");
    c->SetTargetMethod("Release");
    auto* after = new TzelE2PConnection(form);
    after->SetConnectionList(list);
    after->SetSource(button);
    after->SetTarget(button);
    after->SetSourceEvent("OnClick");
    after->SetTargetProperty("Caption");
    CallLoaded(list);
    std::uint64_t id = c->ObjectId();
    button->Click();
    EXPECT_FALSE(LiveObjects::IsAlive(c, id));
}

} // namespace
} // namespace zeltrix::test
