#include "host/classes/Component.h"
#include "host/classes/Action.h"
#include "host/classes/Lists.h"
#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace host;

namespace {
std::vector<std::string>* Journal = nullptr;

/// A component that records what it hears and can react to it.
class TProbe : public TComponent {
    HOST_CLASS(TProbe, TComponent)
public:
    using TComponent::FreeNotification;
    using TComponent::Loaded;
    using TComponent::RemoveFreeNotifications;
    using TComponent::SetAncestor;
    using TComponent::SetDesigning;
    using TComponent::TComponent;
    std::vector<std::pair<TComponent*, TOperation>> Heard;
    std::function<void(TComponent*, TOperation)> OnHear;
    TComponent* Peer = nullptr; // cleared when Peer is removed

    ~TProbe() override {
        if (Journal) Journal->push_back("~" + GetName());
    }
    void SetStateForTest(TComponentStateE S) { FComponentState += S; }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        Heard.emplace_back(AComponent, Operation);
        if (Operation == opRemove && AComponent == Peer) Peer = nullptr;
        if (OnHear) OnHear(AComponent, Operation);
    }
};
HOST_COMPONENT_METACLASS(TProbe, TComponent);

/// An owner with a published field that follows the component of that name.
class TOwnerForm : public TComponent {
    HOST_CLASS(TOwnerForm, TComponent)
public:
    using TComponent::TComponent;
    TProbe* Button1 = nullptr;
};
const TPublishedField OwnerFormFields[] = {
    {"Button1", TProbe::StaticClass(),
     [](TObject* o) { return reinterpret_cast<TObject**>(&static_cast<TOwnerForm*>(o)->Button1); }},
};
HOST_COMPONENT_METACLASS(TOwnerForm, TComponent, {.Fields = OwnerFormFields, .FieldCount = 1});

using testsupport::MessageOf;

TProbe* Named(TComponent* Owner, const char* Name) {
    auto* p = new TProbe(Owner);
    p->SetName(Name);
    return p;
}

int Count(const TProbe& P, TComponent* C, TOperation Op) {
    int n = 0;
    for (auto& h : P.Heard) n += h.first == C && h.second == Op;
    return n;
}
} // namespace

TEST(ComponentOwnership, OwnerListsIndexesAndFinds) {
    TProbe owner(nullptr);
    TProbe* a = Named(&owner, "Alpha");
    TProbe* b = Named(&owner, "Beta");
    TProbe* c = Named(&owner, "Gamma");
    EXPECT_EQ(owner.GetComponentCount(), 3);
    EXPECT_EQ(owner.GetComponents(1), b);
    EXPECT_EQ(a->GetOwner(), &owner);
    EXPECT_EQ(b->GetComponentIndex(), 1);
    EXPECT_EQ(owner.GetComponentIndex(), -1);
    EXPECT_EQ(owner.FindComponent("gAMMA"), c);
    EXPECT_EQ(owner.FindComponent(""), nullptr);
    EXPECT_EQ(owner.FindComponent("Delta"), nullptr);
    EXPECT_EQ(MessageOf<EListError>([&] { owner.GetComponents(3); }),
              "List index out of bounds (3)");
    EXPECT_EQ(MessageOf<EListError>([&] { a->GetComponents(0); }), "List index out of bounds (0)");

    c->SetComponentIndex(0);
    EXPECT_EQ(owner.GetComponents(0), c);
    EXPECT_EQ(owner.GetComponents(1), a);
    a->SetComponentIndex(99); // kept within the list
    EXPECT_EQ(owner.GetComponents(2), a);
    a->SetComponentIndex(-5);
    EXPECT_EQ(owner.GetComponents(0), a);

    // Moving a component to another owner takes it out of the first one's list.
    TProbe other(nullptr);
    other.InsertComponent(b);
    EXPECT_EQ(b->GetOwner(), &other);
    EXPECT_EQ(owner.GetComponentCount(), 2);
    EXPECT_EQ(owner.FindComponent("Beta"), nullptr);
    EXPECT_EQ(Count(owner, b, opRemove), 1);
    EXPECT_EQ(Count(other, b, opInsert), 1);
    // Removing a component another owner holds changes nothing.
    owner.RemoveComponent(b);
    EXPECT_EQ(b->GetOwner(), &other);
    other.RemoveComponent(b);
    EXPECT_EQ(b->GetOwner(), nullptr);
    b->Free();

    // No ownership cycles.
    EXPECT_THROW(a->InsertComponent(&owner), EComponentError);
    EXPECT_THROW(a->InsertComponent(a), EComponentError);
    EXPECT_EQ(a->GetOwner(), &owner);
}

TEST(ComponentOwnership, InsertAndRemoveNotifyEveryOwnedComponent) {
    TProbe owner(nullptr);
    TProbe* a = new TProbe(&owner);
    TProbe* b = new TProbe(&owner);
    EXPECT_EQ(Count(owner, b, opInsert), 1);
    EXPECT_EQ(Count(*a, b, opInsert), 1); // siblings hear of it
    // The newcomer is told too, but while its base is being constructed C++ calls
    // TComponent's Notification, not its override.
    EXPECT_EQ(Count(*b, b, opInsert), 0);
    TProbe loose(nullptr);
    owner.InsertComponent(&loose);
    EXPECT_EQ(Count(loose, &loose, opInsert), 1);
    owner.RemoveComponent(&loose);
    owner.RemoveComponent(a);
    EXPECT_EQ(Count(*b, a, opRemove), 1);
    EXPECT_EQ(Count(*a, a, opRemove), 1);
    a->Free();
}

TEST(ComponentDestruction, OwnedComponentsGoLastFirstAfterDestroyingIsSet) {
    std::vector<std::string> journal;
    Journal = &journal;
    auto* owner = new TProbe(nullptr);
    owner->SetName("Owner");
    TProbe* first = Named(owner, "First");
    TProbe* second = Named(owner, "Second");
    Named(second, "Grandchild");
    bool sawDestroying = false;
    // First outlives Second (owned components go last first) and hears of its end.
    second->FreeNotification(first);
    first->OnHear = [&](TComponent* who, TOperation op) {
        sawDestroying = who == second && op == opRemove &&
                        owner->GetComponentState().Contains(csDestroying) &&
                        first->GetComponentState().Contains(csDestroying);
    };
    owner->Free();
    Journal = nullptr;
    EXPECT_TRUE(sawDestroying);
    // Each destructor's own body runs before it destroys what it owns.
    EXPECT_EQ(journal, (std::vector<std::string>{"~Owner", "~Second", "~Grandchild", "~First"}));
}

TEST(ComponentDestruction, FreeingAnOwnedComponentLeavesItsOwner) {
    TProbe owner(nullptr);
    TProbe* a = Named(&owner, "A");
    TProbe* b = Named(&owner, "B");
    std::uint64_t id = a->ObjectId();
    TObject* addr = a;
    a->Free();
    EXPECT_FALSE(LiveObjects::IsAlive(addr, id));
    EXPECT_EQ(owner.GetComponentCount(), 1);
    EXPECT_EQ(owner.GetComponents(0), b);
    EXPECT_EQ(Count(*b, a, opRemove), 1);
    // The name is free again.
    TProbe* again = Named(&owner, "A");
    EXPECT_EQ(owner.FindComponent("a"), again);
}

TEST(ComponentNames, ValidationAndExactMessages) {
    TProbe owner(nullptr);
    TProbe* a = Named(&owner, "Button1");
    TProbe* b = new TProbe(&owner);
    EXPECT_EQ(MessageOf<EComponentError>([&] { b->SetName("1Button"); }),
              "''1Button'' is not a valid component name");
    EXPECT_EQ(MessageOf<EComponentError>([&] { b->SetName("My Button"); }),
              "''My Button'' is not a valid component name");
    EXPECT_EQ(MessageOf<EComponentError>([&] { b->SetName("BUTTON1"); }),
              "A component named BUTTON1 already exists");
    EXPECT_EQ(b->GetName(), "");
    // Case-only renames, empty names and unowned components are fine.
    a->SetName("BUTTON1");
    EXPECT_EQ(a->GetName(), "BUTTON1");
    TProbe* c = new TProbe(&owner);
    (void)c; // a second unnamed component
    b->SetName("_under_score2");
    b->SetName("");
    TProbe loose(nullptr);
    loose.SetName("BUTTON1");
    // Inserting a component whose name the owner already has is refused, and it stays where it was.
    EXPECT_EQ(MessageOf<EComponentError>([&] { owner.InsertComponent(&loose); }),
              "A component named BUTTON1 already exists");
    EXPECT_EQ(loose.GetOwner(), nullptr);
    EXPECT_EQ(a->GetNamePath(), "BUTTON1");
}

TEST(ComponentNames, OwnerFieldFollowsTheName) {
    TOwnerForm form(nullptr);
    auto* p = new TProbe(&form);
    EXPECT_EQ(form.Button1, nullptr);
    p->SetName("button1"); // field names ignore case
    EXPECT_EQ(form.Button1, p);
    p->SetName("Other");
    EXPECT_EQ(form.Button1, nullptr);
    p->SetName("Button1");
    EXPECT_EQ(form.Button1, p);
    p->Free();
    EXPECT_EQ(form.Button1, nullptr);
    // A component of another class does not land in the field.
    auto* plain = new TComponent(&form);
    plain->SetName("Button1");
    EXPECT_EQ(form.Button1, nullptr);
}

TEST(FreeNotification, LinkedBothWaysWhicheverSideGoesFirst) {
    for (int firstGoes = 0; firstGoes < 2; ++firstGoes) {
        auto* a = new TProbe(nullptr);
        auto* b = new TProbe(nullptr);
        a->Peer = b;
        b->Peer = a;
        a->FreeNotification(b);
        a->FreeNotification(b); // registered once
        TProbe* dying = firstGoes ? b : a;
        TProbe* survivor = firstGoes ? a : b;
        dying->Free();
        EXPECT_EQ(survivor->Peer, nullptr);
        EXPECT_EQ(survivor->Heard.size(), 1u);
        // The link is gone on the survivor's side too: freeing it notifies nobody.
        survivor->Free();
    }
}

TEST(FreeNotification, RemoveFreeNotificationUndoesBothDirections) {
    TProbe a(nullptr);
    auto* b = new TProbe(nullptr);
    auto* c = new TProbe(nullptr);
    a.FreeNotification(b);
    a.FreeNotification(c);
    b->RemoveFreeNotification(&a);
    b->Free();
    EXPECT_TRUE(a.Heard.empty());
    a.RemoveFreeNotifications();
    c->Free();
    EXPECT_TRUE(a.Heard.empty());
}

TEST(FreeNotification, ANotificationThatFreesAnotherComponentIsSafe) {
    // The owner's notification loop and the free-notification loop both survive handlers
    // that free components still waiting for their turn.
    TProbe owner(nullptr);
    TProbe* a = new TProbe(&owner);
    TProbe* b = new TProbe(&owner);
    TProbe* c = new TProbe(&owner);
    TProbe* victim = new TProbe(&owner);
    TProbe* late = nullptr;
    a->OnHear = [&](TComponent* who, TOperation op) {
        if (op == opInsert && who == late && victim) {
            TProbe* v = victim;
            victim = nullptr;
            v->Free(); // frees a sibling the owner has not notified yet
        }
    };
    late = new TProbe(nullptr);
    owner.InsertComponent(late); // the owner notifies a, b, c, victim, late in turn
    EXPECT_EQ(victim, nullptr);
    EXPECT_EQ(owner.GetComponentCount(), 4);
    EXPECT_EQ(Count(*b, late, opInsert), 1);
    EXPECT_EQ(Count(*c, late, opInsert), 1);
    EXPECT_EQ(Count(*late, late, opInsert), 1);

    // The dying component's partners free each other while it notifies them.
    auto* hub = new TProbe(nullptr);
    auto* x = new TProbe(nullptr);
    auto* y = new TProbe(nullptr);
    hub->FreeNotification(x);
    hub->FreeNotification(y);
    TProbe* pending = x;
    y->OnHear = [&](TComponent*, TOperation op) {
        if (op == opRemove && pending) {
            TProbe* p = pending;
            pending = nullptr;
            p->Free();
        }
    };
    hub->Free(); // y hears first (last registered), frees x, which must not be called
    y->Free();
}

TEST(ComponentState, LoadingDesigningAncestorAndUpdating) {
    TProbe owner(nullptr);
    TProbe* child = new TProbe(&owner);
    owner.SetDesigning(true);
    EXPECT_TRUE(child->GetComponentState().Contains(csDesigning));
    TProbe* late = new TProbe(&owner); // joins a designing owner
    EXPECT_TRUE(late->GetComponentState().Contains(csDesigning));
    owner.SetDesigning(false, false);
    EXPECT_FALSE(owner.GetComponentState().Contains(csDesigning));
    EXPECT_TRUE(child->GetComponentState().Contains(csDesigning));
    owner.SetAncestor(true);
    EXPECT_TRUE(child->GetComponentState().Contains(csAncestor));
    child->SetStateForTest(csLoading);
    child->Loaded();
    EXPECT_FALSE(child->GetComponentState().Contains(csLoading));
    EXPECT_EQ(TComponentState{csLoading}.ToBits(), 1u);
    EXPECT_EQ(TComponentState{csInline}.ToBits(), 0x100u);
    EXPECT_TRUE(owner.GetComponentStyle().Contains(csInheritable));
    owner.SetTag(-7);
    owner.SetDesignInfo(0x00100020);
    EXPECT_EQ(owner.GetTag(), -7);
    EXPECT_EQ(owner.GetDesignInfo(), 0x00100020);
}

TEST(ComponentClass, VirtualConstructorCreatesWithOwner) {
    TProbe owner(nullptr);
    TComponent* made = CreateComponent(TProbe::StaticClass(), &owner);
    EXPECT_EQ(made->ClassType(), TProbe::StaticClass());
    EXPECT_EQ(made->GetOwner(), &owner);
    EXPECT_EQ(TProbe::StaticClass()->NewObject, nullptr);
    EXPECT_THROW(CreateComponent(TList::StaticClass(), &owner), EComponentError);
    EXPECT_THROW(CreateComponent(nullptr, &owner), EComponentError);
    TList notAComponent;
    EXPECT_THROW(TProbe::StaticClass()->NewWithOwner(&notAComponent), EInvalidCast);
    EXPECT_EQ(owner.GetComponentCount(), 1);
}

TEST(ComponentCom, ComObjectNeedsAWrapper) {
    TProbe p(nullptr);
    EXPECT_EQ(MessageOf<EComponentError>([&] { p.GetComObject(); }),
              "TProbe has not been registered as a COM class");
    struct Wrapper : IVCLComObject {
        int Refs = 0, Released = 0;
        HRESULT QueryInterface(const TGUID&, void**) override { return E_NOINTERFACE; }
        Integer _AddRef() override { return ++Refs; }
        Integer _Release() override { return --Refs; }
        void FreeOnRelease() override { ++Released; }
    } w;
    p.SetVCLComObject(static_cast<IVCLComObject*>(&w));
    {
        ComPtr<IUnknown> unk = p.GetComObject();
        EXPECT_EQ(unk.get(), static_cast<IUnknown*>(&w));
        EXPECT_EQ(w.Refs, 1);
    }
    EXPECT_EQ(w.Refs, 0);
    p.FreeOnRelease();
    EXPECT_EQ(w.Released, 1);
}
