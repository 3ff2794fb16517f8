// The Classes class infos on real host objects.
#include "ClassesFixture.h"

#include "classinfo/Zelclasses.h"
#include "core/Zelcommon.h"
#include "host/classes/Action.h"
#include "host/classes/Bits.h"
#include "host/classes/Collection.h"
#include "host/classes/InterfaceList.h"
#include "host/classes/Lists.h"
#include "host/classes/Reader.h"
#include "host/classes/Streams.h"
#include "host/classes/StringList.h"
#include "host/classes/Writer.h"
#include "host/system/SysUtils.h"
#include "package/zeltrix_cb4.h"

#include <gtest/gtest.h>

using namespace classes_test;
using Classes = ClassesTest;

TEST_F(Classes, StringListHandlerSetBeforeItsClassInfoRunsFirst) {
    TStringList list;
    std::vector<std::string> order;
    struct Own {
        std::vector<std::string>* Order;
        void Changed(TObject*) { Order->push_back("own"); }
    } own{&order};
    list.SetOnChange(TNotifyEvent::Bind<&Own::Changed>(&own));
    TzelClassInfo* ci = Info(&list);
    Hearing listener("OnChange", [&](TObject* Sender, TzelEventInfo* E) {
        EXPECT_EQ(Sender, &list);
        EXPECT_EQ(E->GetArgs(0)->Value.AsInt64(), AddressOf(&list).AsInt64());
        order.push_back("listener");
    });
    ci->AddListener(&listener);
    list.Add("x");
    Call(&list, "Add", "y"); // a change made through the class info is heard alike
    EXPECT_EQ(order, (std::vector<std::string>{"own", "listener", "own", "listener"}));
    ci->RemoveListener(&listener);
}

TEST_F(Classes, StringListFindValuesAndNames) {
    TStringList sorted;
    sorted.Add("pear");
    sorted.Add("apple");
    Set(&sorted, "Sorted", true);
    TzelMethodInfo* find = Call(&sorted, "Find", "pear", 0);
    EXPECT_TRUE(find->Result.AsBoolean());
    EXPECT_EQ(find->Find("Index")->Value.AsInteger(), 1);
    find = Call(&sorted, "Find", "banana", 0);
    EXPECT_FALSE(find->Result.AsBoolean());
    EXPECT_EQ(find->Find("Index")->Value.AsInteger(), 1);
    EXPECT_THROW(Call(&sorted, "Insert", 0, "x"), EStringListError); // the host's own error

    TStringList list;
    list.Add("apple=red");
    TzelClassInfo* ci = Info(&list);
    TzelPropertyInfo* values = ci->FindProperty("Values");
    values->GetIndexes(0)->Value = "apple";
    EXPECT_EQ(ci->GetProperty(values).AsString(), "red");
    ci->SetProperty(values, "yellow");
    EXPECT_EQ(list.GetValues("apple"), "yellow");
    TzelPropertyInfo* names = ci->FindProperty("Names");
    names->GetIndexes(0)->Value = 0;
    EXPECT_EQ(ci->GetProperty(names).AsString(), "apple");
    EXPECT_EQ(MessageOf([&] { ci->SetProperty(names, "x"); }), "Property Names not found!");
    EXPECT_EQ(MessageOf([&] { Set(&list, "Count", 0); }), "Property Count not found!");
    names->GetIndexes(0)->Value = 9;
    EXPECT_THROW(ci->GetProperty(names), EStringListError);

    // Duplicates goes straight into the list; Text through SetText takes the string itself.
    Set(&list, "Duplicates", static_cast<int>(dupError));
    EXPECT_EQ(list.GetDuplicates(), dupError);
    EXPECT_THROW(Set(&list, "Duplicates", 3), ERangeError);
    Call(&list, "SetText", "b\nc");
    EXPECT_EQ(list.GetCount(), 2);
}

TEST_F(Classes, ComponentMembers) {
    TComponent owner(nullptr);
    auto* child = new TComponent(&owner);
    Set(child, "Name", "Child1");
    EXPECT_EQ(child->GetName(), "Child1");
    EXPECT_THROW(Set(child, "Name", "1 bad"), EComponentError);
    Set(child, "Tag", 17);
    EXPECT_EQ(child->GetTag(), 17);
    EXPECT_EQ(Get(child, "Owner").AsInt64(), AddressOf(&owner).AsInt64());
    EXPECT_EQ(MessageOf([&] { Set(child, "Owner", 0); }), "Property Owner not found!");
    EXPECT_EQ(Call(&owner, "FindComponent", "child1")->Result.AsInt64(),
              AddressOf(child).AsInt64());
    TzelPropertyInfo* components = Info(&owner)->FindProperty("Components");
    components->GetIndexes(0)->Value = 0;
    EXPECT_EQ(Info(&owner)->GetProperty(components).AsInt64(), AddressOf(child).AsInt64());

    // ComponentState is handed out through one slot: the newer state shows at the old address.
    Variant first = Get(child, "ComponentState");
    EXPECT_FALSE(static_cast<const TComponentState*>(first.AsAddress())->Contains(csDestroying));
    child->Destroying();
    Variant second = Get(child, "ComponentState");
    EXPECT_EQ(first.AsAddress(), second.AsAddress());
    EXPECT_TRUE(static_cast<const TComponentState*>(first.AsAddress())->Contains(csDestroying));

    // DestroyComponents through the owner's class info frees the child and the child's class info.
    const int live = TzelClassRegistry::GetLiveCount();
    Call(&owner, "DestroyComponents");
    EXPECT_EQ(owner.GetComponentCount(), 0);
    EXPECT_EQ(TzelClassRegistry::GetLiveCount(), live - 1);

    // Free through the class info destroys the component, and the registry drops its class info.
    auto* doomed = new TComponent(nullptr);
    TzelClassInfo* ci = Info(doomed);
    ci->InvokeMethod(ci->FindMethod("Free"));
    EXPECT_EQ(TzelClassRegistry::GetLiveCount(), live - 1);
}

TEST_F(Classes, ListItemsAreAddressesOfLiveObjectsOrAddressVariants) {
    TList list;
    TComponent item(nullptr);
    EXPECT_EQ(Call(&list, "Add", AddressOf(&item))->Result.AsInteger(), 0);
    EXPECT_EQ(list.GetItems(0), &item);
    int plain = 0;
    Call(&list, "Add", Variant::Address(&plain));
    EXPECT_EQ(list.GetItems(1), &plain);
    EXPECT_THROW(Call(&list, "Add", 123456), EInvalidCast); // an integer that is no object
    EXPECT_EQ(Call(&list, "IndexOf", AddressOf(&item))->Result.AsInteger(), 0);
    EXPECT_EQ(Call(&list, "First")->Result.AsInt64(), AddressOf(&item).AsInt64());
    EXPECT_EQ(MessageOf([&] { Call(&list, "Delete", 5); }), "List index out of bounds (5)");
    EXPECT_EQ(MessageOf([&] { Call(&list, "Error", "Bad %d", 7); }), "Bad 7");
    TzelPropertyInfo* items = Info(&list)->FindProperty("Items");
    items->GetIndexes(0)->Value = 1;
    EXPECT_EQ(Info(&list)->GetProperty(items).AsAddress(), &plain);

    TBits bits;
    Set(&bits, "Size", 3);
    TzelPropertyInfo* b = Info(&bits)->FindProperty("Bits");
    b->GetIndexes(0)->Value = 1;
    Info(&bits)->SetProperty(b, true);
    EXPECT_TRUE(bits.GetBits(1));
    EXPECT_EQ(Call(&bits, "OpenBit")->Result.AsInteger(), 0);
}

TEST_F(Classes, CollectionItemsAndProtectedMembers) {
    TCollection coll(TCollectionItem::StaticClass());
    TCollectionItem* first = coll.Add();
    Variant added = Call(&coll, "Add")->Result;
    TCollectionItem* second = coll.GetItems(1);
    EXPECT_EQ(added.AsInt64(), AddressOf(second).AsInt64());
    EXPECT_EQ(Get(&coll, "Count").AsInteger(), 2);
    EXPECT_EQ(Get(&coll, "ItemClass").AsAddress(), TCollectionItem::StaticClass());
    Set(&coll, "PropName", "Things");
    EXPECT_EQ(Get(&coll, "PropName").AsString(), "Things");
    Call(&coll, "BeginUpdate");
    EXPECT_EQ(Get(&coll, "UpdateCount").AsInteger(), 1);
    Call(&coll, "EndUpdate");
    Set(second, "Index", 0);
    EXPECT_EQ(coll.GetItems(0), second);
    EXPECT_EQ(Get(first, "ID").AsInteger(), first->GetID());
}

TEST_F(Classes, BasicActionEventsIncludingTheProtectedOne) {
    TBasicAction action(nullptr);
    TzelClassInfo* ci = Info(&action);
    std::vector<std::string> heard;
    Hearing exec("OnExecute", [&](TObject*, TzelEventInfo*) { heard.push_back("execute"); });
    ci->AddListener(&exec);
    // The forwarder is a handler to the action, so Execute reports the action handled.
    EXPECT_TRUE(Call(&action, "Execute")->Result.AsBoolean());
    EXPECT_EQ(heard, (std::vector<std::string>{"execute"}));
    EXPECT_EQ(ci->FindEvent("OnChange")->Visibility, pvProtected);
    ci->RemoveListener(&exec);
    ci->SetOwner(nullptr);
    EXPECT_FALSE(action.GetOnExecute().Assigned());
}
