// Event-to-method connections: parameter items built for the method, arguments from constants,
// component properties and event parameters, values flowing back after the call.
#include "tests/package/ConnectionTest.h"

namespace zeltrix::test {
namespace {

using namespace host;

struct TStateAccess : TComponent {
    using TComponent::FComponentState;
    using TComponent::Loaded;
};
void SetLoading(TComponent* C, bool On) {
    auto& state = C->*&TStateAccess::FComponentState;
    if (On)
        state += csLoading;
    else
        state -= csLoading;
}

struct ChangeCounter {
    int Count = 0;
    void Changed(TObject*) { ++Count; }
};

class E2M : public ConnectionTest {
protected:
    void SetUp() override {
        ConnectionTest::SetUp();
        Button = NewWidget("Button");
        Target = NewWidget("Target");
        Edit = NewWidget("Edit");
        C = new TzelE2MConnection(Form);
        C->SetName("E2M1");
        C->SetSource(Button);
        C->SetTarget(Target);
        C->SetSourceEvent("OnClick");
    }
    TzelParameterConnection* Item(int I) { return C->GetTargetMethodParameters()->GetItem(I); }
    int ItemCount() { return C->GetTargetMethodParameters()->GetCount(); }
    /// As a form file does: TargetMethod 'Add' with the items A = 7 and B = 8, then Loaded.
    void ReadAddWithItems() {
        SetLoading(C, true);
        C->SetTargetMethod("Add");
        TzelParameterConnection* a = C->GetTargetMethodParameters()->Add();
        a->SetParameterName("A");
        a->SetConstant("7");
        TzelParameterConnection* b = C->GetTargetMethodParameters()->Add();
        b->SetParameterName("B");
        b->SetConstant("8");
        (C->*&TStateAccess::Loaded)();
    }
    TTestWidget *Button, *Target, *Edit;
    TzelE2MConnection* C;
};

TEST_F(E2M, MethodWithoutParametersIsJustCalled) {
    C->SetTargetMethod("Clear");
    EXPECT_EQ(ItemCount(), 0);
    Target->Append("x");
    ASSERT_TRUE(C->Connect());
    Button->Click();
    EXPECT_EQ(Target->GetLog(), "");
}

TEST_F(E2M, ChoosingAMethodBuildsOneItemPerArgument) {
    C->SetTargetMethod("Add");
    ASSERT_EQ(ItemCount(), 2);
    EXPECT_EQ(Item(0)->GetParameterName(), "A");
    EXPECT_EQ(Item(1)->GetParameterName(), "B");
    EXPECT_EQ(Item(1)->GetDisplayName(), "B");
    EXPECT_EQ(Item(0)->GetOptions(), voConstant);
    EXPECT_EQ(Item(0)->GetConstant(), "");
    EXPECT_TRUE(Item(0)->GetComponentPropertyIndex().IsEmpty());
    EXPECT_EQ(C->GetTargetMethodParameters()->GetMethodName(), "Add");
    Item(0)->SetConstant("2");
    Item(1)->SetConstant("3");
    ASSERT_TRUE(C->Connect());
    Button->Click();
    EXPECT_EQ(Target->Calls, 1);
    EXPECT_EQ(C->GetTargetMethodInfo()->Result, Variant(5));
    // Another method rebuilds the items; an unknown one leaves none.
    C->SetTargetMethod("Append");
    ASSERT_EQ(ItemCount(), 1);
    EXPECT_EQ(Item(0)->GetParameterName(), "S");
    C->SetTargetMethod("NoSuchMethod");
    EXPECT_EQ(ItemCount(), 0);
    EXPECT_EQ(C->GetTargetMethodParameters()->GetMethodName(), "");
}

TEST_F(E2M, SettingTheSourceEventEmptiesEveryEventParameter) {
    C->SetSourceEvent("OnMouse");
    C->SetTargetMethod("Add");
    Item(0)->SetEventParameter("X");
    Item(1)->SetEventParameter("Y");
    C->SetSourceEvent("OnMouse");
    EXPECT_EQ(Item(0)->GetEventParameter(), "");
    EXPECT_EQ(Item(1)->GetEventParameter(), "");
    EXPECT_EQ(C->GetSourceEvent(), "OnMouse");
    // Stored without validation.
    C->SetSourceEvent("OnWhatever");
    EXPECT_EQ(C->GetSourceEvent(), "OnWhatever");
    EXPECT_FALSE(C->Connect());
}

TEST_F(E2M, VarParameterFlowsBackToTheEventsSender) {
    C->SetSourceEvent("OnKey");
    C->SetTargetMethod("Twice");
    Item(0)->SetEventParameter("Key");
    Item(0)->SetOptions(voEventProperty);
    ASSERT_TRUE(C->Connect());
    EXPECT_EQ(Button->Press(5), 10);
    EXPECT_EQ(Button->Press(-4), -8);
}

TEST_F(E2M, ComponentPropertyIsWrittenBackAfterTheCall) {
    C->SetTargetMethod("Twice");
    Item(0)->SetComponent(Edit);
    Item(0)->SetComponentProperty("Value");
    Item(0)->SetOptions(voComponentProperty);
    ASSERT_TRUE(C->Connect());
    Edit->SetValue(21);
    Button->Click();
    EXPECT_EQ(Edit->GetValue(), 42);

    // Written back also when the method leaves the value as it was.
    C->Unconnect();
    C->SetTargetMethod("Append");
    Item(0)->SetComponent(Edit);
    Item(0)->SetComponentProperty("Cells");
    Item(0)->SetComponentPropertyIndex(VarArrayOf({1, 1}));
    Item(0)->SetOptions(voComponentProperty);
    Edit->SetCells(1, 1, "cell");
    ChangeCounter counter;
    Edit->SetOnChange(TNotifyEvent::Bind<&ChangeCounter::Changed>(&counter));
    ASSERT_TRUE(C->Connect());
    Button->Click();
    EXPECT_EQ(Target->GetLog(), "cell");
    EXPECT_EQ(counter.Count, 1);
}

TEST_F(E2M, ChoosingAnotherComponentStopsTheConnection) {
    C->SetTargetMethod("Append");
    Item(0)->SetComponent(Edit);
    Item(0)->SetComponentProperty("Cells");
    Item(0)->SetComponentPropertyIndex(VarArrayOf({0, 1}));
    Item(0)->SetOptions(voComponentProperty);
    ASSERT_TRUE(C->Connect());
    Item(0)->SetComponent(Target);
    EXPECT_EQ(Item(0)->GetComponentProperty(), "");
    EXPECT_EQ(Item(0)->GetComponentPropertyIndex()[1], Variant(1)); // untouched
    EXPECT_EQ(InfoOf(Button)->GetListenerCount(), 0);
}

// An item whose component goes at run time gives its argument an empty value from then on,
// never the value of an earlier call, and the connection keeps running.
TEST_F(E2M, DeletingAnItemsComponentLeavesTheOthers) {
    C->SetTargetMethod("Add");
    Item(0)->SetComponent(Edit);
    Item(0)->SetComponentProperty("Value");
    Item(0)->SetOptions(voComponentProperty);
    TTestWidget* other = NewWidget("Other");
    Item(1)->SetComponent(other);
    Item(1)->SetComponentProperty("Value");
    Item(1)->SetOptions(voComponentProperty);
    ASSERT_TRUE(C->Connect());
    Edit->SetValue(40);
    other->SetValue(2);
    Button->Click();
    EXPECT_EQ(C->GetTargetMethodInfo()->Result, Variant(42));
    Edit->Free();
    EXPECT_EQ(Item(0)->GetComponent(), nullptr);
    EXPECT_EQ(Item(0)->GetComponentProperty(), "");
    EXPECT_EQ(Item(1)->GetComponent(), other);
    EXPECT_EQ(Item(1)->GetComponentProperty(), "Value");
    Button->Click();
    EXPECT_EQ(Target->Calls, 2);
    EXPECT_EQ(C->GetTargetMethodInfo()->Result, Variant(2));
}

TEST_F(E2M, ItemValidationMessages) {
    C->SetTargetMethod("Add");
    TzelParameterConnection* item = Item(0);
    EXPECT_RAISES(item->SetComponentProperty("Value"), EzelInvalidFeature,
                  "Invalid ComponentProperty value. Unknown Component component");
    EXPECT_RAISES(item->SetComponentPropertyIndex(VarArrayOf({})), EzelInvalidFeature,
                  "Invalid ComponentPropertyIndex value. Unknown Component component");
    item->SetComponent(Edit);
    EXPECT_RAISES(item->SetComponentProperty("value"), EzelInvalidFeature,
                  "Invalid ComponentProperty value. Unknown source property");
    EXPECT_RAISES(item->SetComponentPropertyIndex(VarArrayOf({})), EzelInvalidFeature,
                  "Invalid ComponentPropertyIndex value. Unknown ComponentProperty");
    item->SetComponentProperty("Cells");
    EXPECT_RAISES(item->SetComponentPropertyIndex(VarArrayOf({1})), EzelInvalidFeature,
                  "Invalid ComponentPropertyIndex value. Invalid dimension size");
    EXPECT_RAISES(item->SetEventParameter("Nope"), EzelInvalidFeature,
                  "Invalid EventParameter value. Unknown event parameter name");
    C->SetSourceEvent("OnNothing");
    EXPECT_RAISES(item->SetEventParameter("Sender"), EzelInvalidFeature,
                  "Invalid EventParameter value. Unknown SourceEvent");
    C->SetSource(nullptr);
    EXPECT_RAISES(item->SetEventParameter("Sender"), EzelInvalidFeature,
                  "Invalid EventParameter value. Unknown source component");
    EXPECT_EQ(item->GetEventParameter(), "");

    // An item of no connection stores what it is given.
    TzelParameterConnections loose(nullptr);
    TzelParameterConnection* free = loose.Add();
    free->SetComponentProperty("Anything");
    free->SetEventParameter("Anything");
    EXPECT_EQ(free->GetComponentProperty(), "Anything");
    EXPECT_EQ(free->GetConnection(), nullptr);
}

TEST_F(E2M, UnresolvedItemsAndBadOptions) {
    C->SetTargetMethod("Append");
    Item(0)->SetComponent(Edit);
    Item(0)->SetComponentProperty("Caption");
    Item(0)->SetOptions(voComponentProperty);
    ASSERT_TRUE(C->Connect());
    Edit->SetCaption("abc");
    Button->Click();
    EXPECT_EQ(Target->GetLog(), "abc");
    Item(0)->SetParameterName("Nothing"); // no such argument: skipped, the argument is empty
    Button->Click();
    EXPECT_EQ(Target->GetLog(), "abc");
    Item(0)->SetParameterName("S");
    Item(0)->SetOptions(voEventProperty); // no event parameter named: empty
    Button->Click();
    EXPECT_EQ(Target->GetLog(), "abc");
    Item(0)->SetOptions(static_cast<TzelValueOptions>(3));
    EXPECT_RAISES(Button->Click(), Exception, "Internal error in TzelE2MConnection.OnSourceEvent");
}

// A form file holds TargetMethod and the saved items; after loading, choosing the same method
// again (an editor does) must keep the items' settings.
TEST_F(E2M, ItemsReadFromAFormSurviveReassigningTheirMethod) {
    ReadAddWithItems();
    EXPECT_FALSE(C->GetComponentState().Contains(csLoading));
    C->SetTargetMethod("Add");
    ASSERT_EQ(ItemCount(), 2);
    EXPECT_EQ(Item(1)->GetConstant(), "8");
    ASSERT_TRUE(C->Connect());
    Button->Click();
    EXPECT_EQ(C->GetTargetMethodInfo()->Result, Variant(15));
}

// Deleting the target right after a load must not lose the settings saved with the form: the
// items were never built for a method since the load.
TEST_F(E2M, LosingTheTargetRightAfterALoadKeepsTheItems) {
    ReadAddWithItems();
    ASSERT_TRUE(C->Connect());
    Target->Free();
    EXPECT_EQ(C->GetTargetMethod(), "");
    ASSERT_EQ(ItemCount(), 2);
    EXPECT_EQ(Item(0)->GetParameterName(), "A");
    EXPECT_EQ(Item(1)->GetConstant(), "8");
    EXPECT_TRUE(C->GetTargetMethodParameters()->IsAsRead());
    EXPECT_EQ(InfoOf(Button)->GetListenerCount(), 0);
    // A new target and the saved method again: the kept items are adopted as they are.
    TTestWidget* other = NewWidget("Other");
    C->SetTarget(other);
    C->SetTargetMethod("Add");
    ASSERT_EQ(ItemCount(), 2);
    EXPECT_EQ(Item(0)->GetConstant(), "7");
    ASSERT_TRUE(C->Connect());
    Button->Click();
    EXPECT_EQ(C->GetTargetMethodInfo()->Result, Variant(15));
}

// Once a method is chosen after the load, the collection counts as built for it: adopting the
// saved method and choosing another both do, and losing the target then deletes the items.
TEST_F(E2M, LosingTheTargetAfterAMethodWasChosenDeletesTheItems) {
    ReadAddWithItems();
    C->SetTargetMethod("Add"); // adopted, not rebuilt
    EXPECT_FALSE(C->GetTargetMethodParameters()->IsAsRead());
    ASSERT_EQ(ItemCount(), 2);
    EXPECT_EQ(Item(0)->GetConstant(), "7");
    C->SetTargetMethod("Add"); // the same name again changes nothing
    EXPECT_EQ(Item(1)->GetConstant(), "8");
    Target->Free();
    EXPECT_EQ(C->GetTargetMethod(), "");
    EXPECT_EQ(ItemCount(), 0);

    Target = NewWidget("Target");
    C->SetTarget(Target);
    ReadAddWithItems();
    C->SetTargetMethod("Append"); // another method rebuilds
    ASSERT_EQ(ItemCount(), 1);
    EXPECT_EQ(Item(0)->GetParameterName(), "S");
    Target->Free();
    EXPECT_EQ(ItemCount(), 0);
}

// Assigning the parameters of another connection copies every item's settings; the host's
// collection assignment would otherwise clear the items and fail on the first one.
TEST_F(E2M, ParametersAssignedFromAnotherConnection) {
    C->SetTargetMethod("Add");
    Item(0)->SetConstant("1");
    Item(1)->SetComponent(Edit);
    Item(1)->SetComponentProperty("Value");
    Item(1)->SetOptions(voComponentProperty);
    auto* copy = new TzelE2MConnection(Form);
    copy->SetSource(Button);
    copy->SetTarget(Target);
    copy->SetSourceEvent("OnClick");
    copy->SetTargetMethod("Add");
    copy->SetTargetMethodParameters(C->GetTargetMethodParameters());
    TzelParameterConnections* items = copy->GetTargetMethodParameters();
    ASSERT_EQ(items->GetCount(), 2);
    EXPECT_EQ(items->GetItem(0)->GetConstant(), "1");
    EXPECT_EQ(items->GetItem(1)->GetComponent(), Edit);
    EXPECT_EQ(items->GetItem(1)->GetOptions(), voComponentProperty);
    copy->SetTargetMethod("Add"); // built for Add: kept
    ASSERT_TRUE(copy->Connect());
    Edit->SetValue(4);
    Button->Click();
    EXPECT_EQ(copy->GetTargetMethodInfo()->Result, Variant(5));
    Edit->Free(); // the copy hears of it too
    EXPECT_EQ(items->GetItem(1)->GetComponent(), nullptr);
}

TEST_F(E2M, LosingTheTargetClearsTheMethodAndItsItems) {
    C->SetTargetMethod("Add");
    ASSERT_TRUE(C->Connect());
    Target->Free();
    EXPECT_EQ(C->GetTargetMethod(), "");
    EXPECT_EQ(ItemCount(), 0);
    Button->Click();
    Button->Free();
    EXPECT_EQ(C->GetSourceEvent(), "");
}

} // namespace
} // namespace zeltrix::test
