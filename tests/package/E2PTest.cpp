// Event-to-property connections: the three value sources, validation with its exact messages,
// index arrays, and what happens when names stop resolving.
#include "tests/package/ConnectionTest.h"

namespace zeltrix::test {
namespace {

using namespace host;

struct TStateAccess : TComponent {
    using TComponent::FComponentState;
};
void SetLoading(TComponent* C, bool On) {
    auto& state = C->*&TStateAccess::FComponentState;
    if (On)
        state += csLoading;
    else
        state -= csLoading;
}

class E2P : public ConnectionTest {
protected:
    void SetUp() override {
        ConnectionTest::SetUp();
        Button = NewWidget("Button");
        Label = NewWidget("Label");
        Edit = NewWidget("Edit");
        C = new TzelE2PConnection(Form);
        C->SetName("E2P1");
        C->SetSource(Button);
        C->SetTarget(Label);
        C->SetSourceEvent("OnClick");
        C->SetTargetProperty("Caption");
    }
    TTestWidget *Button, *Label, *Edit;
    TzelE2PConnection* C;
};

TEST_F(E2P, ConstantIsWrittenOnEachEvent) {
    C->SetValueConstant("Done");
    ASSERT_TRUE(C->Connect());
    Button->Click();
    EXPECT_EQ(Label->GetCaption(), "Done");
    // The constant is converted to the property's type.
    C->SetTargetProperty("Value");
    C->SetValueConstant("42");
    Button->Click();
    EXPECT_EQ(Label->GetValue(), 42);
    C->SetValueConstant("forty-two");
    EXPECT_RAISES(Button->Click(), EConvertError, "'forty-two' is not a valid integer value");
    EXPECT_EQ(Label->GetValue(), 42);
}

TEST_F(E2P, ComponentPropertyCopiesTheCurrentValue) {
    C->SetValueComponent(Edit);
    C->SetValueComponentProperty("Caption");
    C->SetValueOptions(voComponentProperty);
    ASSERT_TRUE(C->Connect());
    Edit->SetCaption("one");
    Button->Click();
    EXPECT_EQ(Label->GetCaption(), "one");
    Edit->SetCaption("two");
    Button->Click();
    EXPECT_EQ(Label->GetCaption(), "two");
}

TEST_F(E2P, EventParameterIsWritten) {
    C->SetSourceEvent("OnMouse");
    C->SetValueEventParameter("X");
    C->SetValueOptions(voEventProperty);
    C->SetTargetProperty("Value");
    ASSERT_TRUE(C->Connect());
    Button->Mouse(17, 4);
    EXPECT_EQ(Label->GetValue(), 17);
    Button->Mouse(-3, 4);
    EXPECT_EQ(Label->GetValue(), -3);
}

TEST_F(E2P, ConnectTestsEveryNameItNeeds) {
    ASSERT_TRUE(C->Connect());
    C->Unconnect();
    C->SetValueOptions(voComponentProperty);
    EXPECT_FALSE(C->Connect()); // no value component
    C->SetValueComponent(Edit);
    EXPECT_FALSE(C->Connect()); // no value component property
    C->SetValueComponentProperty("Caption");
    EXPECT_TRUE(C->Connect());
    C->Unconnect();
    C->SetValueOptions(voEventProperty);
    EXPECT_FALSE(C->Connect()); // no event parameter
    C->SetValueEventParameter("Sender");
    EXPECT_TRUE(C->Connect());
}

TEST_F(E2P, SourceEventValidationAndItsParameter) {
    C->SetSourceEvent("OnMouse");
    C->SetValueEventParameter("Y");
    // The parameter is emptied even when the new name is refused.
    EXPECT_RAISES(C->SetSourceEvent("OnNothing"), EzelInvalidFeature,
                  "Invalid SourceEvent value. Unknown source event");
    EXPECT_EQ(C->GetSourceEvent(), "OnMouse");
    EXPECT_EQ(C->GetValueEventParameter(), "");
    C->SetValueEventParameter("Y");
    C->SetSourceEvent("OnMouse"); // the same name: nothing happens
    EXPECT_EQ(C->GetValueEventParameter(), "Y");
    EXPECT_RAISES(C->SetValueEventParameter("y"), EzelInvalidFeature,
                  "Invalid ValueEventParameter value. Unknown event parameter name");
    EXPECT_EQ(C->GetValueEventParameter(), "Y");

    auto* loose = new TzelE2PConnection(Form);
    EXPECT_RAISES(loose->SetSourceEvent("OnClick"), EzelInvalidFeature,
                  "Invalid SourceEvent value. Unknown Source component");
    EXPECT_EQ(loose->GetSourceEvent(), "");
    EXPECT_RAISES(loose->SetValueEventParameter("X"), EzelInvalidFeature,
                  "Invalid ValueEventParameter value. Unknown source component");
    loose->SetSource(Button);
    EXPECT_RAISES(loose->SetValueEventParameter("X"), EzelInvalidFeature,
                  "Invalid ValueEventParameter value. Unknown SourceEvent");
    EXPECT_EQ(loose->GetValueEventParameter(), "");
}

TEST_F(E2P, PropertyNameValidation) {
    auto* loose = new TzelE2PConnection(Form);
    EXPECT_RAISES(loose->SetTargetProperty("Caption"), EzelInvalidFeature,
                  "Invalid TargetProperty value. Unknown Target component");
    EXPECT_RAISES(loose->SetValueComponentProperty("Caption"), EzelInvalidFeature,
                  "Invalid ValueComponentProperty value. Unknown ValueComponent component");
    EXPECT_RAISES(C->SetTargetProperty("caption"), EzelInvalidFeature,
                  "Invalid TargetProperty value. Unknown target property");
    EXPECT_EQ(C->GetTargetProperty(), "Caption");
    C->SetValueComponent(Edit);
    EXPECT_RAISES(C->SetValueComponentProperty("Nothing"), EzelInvalidFeature,
                  "Invalid ValueComponentProperty value. Unknown source property");
    EXPECT_EQ(C->GetValueComponentProperty(), "");
}

TEST_F(E2P, IndexArrayFollowsThePropertyName) {
    Variant v = C->GetTargetPropertyIndex();
    ASSERT_TRUE(VarIsArray(v)); // Caption: no indexes
    EXPECT_EQ(VarArrayHighBound(v, 1), -1);
    C->SetTargetProperty("Cells");
    v = C->GetTargetPropertyIndex();
    ASSERT_EQ(VarArrayHighBound(v, 1), 1);
    EXPECT_TRUE(v[0].IsEmpty());
    EXPECT_TRUE(v[1].IsEmpty());
    C->SetTargetPropertyIndex(VarArrayOf({1, 2}));
    C->SetTargetProperty("Cells"); // the same name leaves the array alone
    EXPECT_EQ(C->GetTargetPropertyIndex()[1], Variant(2));
    C->SetTargetProperty("");
    v = C->GetTargetPropertyIndex();
    EXPECT_EQ(VarArrayHighBound(v, 1), 0);
    auto* fresh = new TzelE2PConnection(Form);
    EXPECT_TRUE(fresh->GetTargetPropertyIndex().IsEmpty());
    EXPECT_TRUE(fresh->GetValueComponentPropertyIndex().IsEmpty());
}

TEST_F(E2P, IndexSetterValidation) {
    C->SetTargetProperty("Cells");
    Variant good = VarArrayOf({0, 1});
    C->SetTargetPropertyIndex(good);
    Variant twoDims = VarArrayCreate({0, 1, 0, 1}, varVariant);
    EXPECT_RAISES(C->SetTargetPropertyIndex(twoDims), EzelInvalidFeature,
                  "Invalid TargetPropertyIndex value. Invalid dimension count");
    EXPECT_RAISES(C->SetTargetPropertyIndex(Variant(3)), EzelInvalidFeature,
                  "Invalid TargetPropertyIndex value. Value is not array");
    EXPECT_RAISES(C->SetTargetPropertyIndex(VarArrayOf({1})), EzelInvalidFeature,
                  "Invalid TargetPropertyIndex value. Invalid dimension size");
    EXPECT_EQ(C->GetTargetPropertyIndex()[1], Variant(1));

    auto* loose = new TzelE2PConnection(Form);
    EXPECT_RAISES(loose->SetTargetPropertyIndex(good), EzelInvalidFeature,
                  "Invalid TargetPropertyIndex value. Unknown Target component");
    EXPECT_RAISES(loose->SetValueComponentPropertyIndex(good), EzelInvalidFeature,
                  "Invalid ValueComponentPropertyIndex value. Unknown ValueComponent component");
    loose->SetTarget(Label);
    loose->SetValueComponent(Edit);
    EXPECT_RAISES(loose->SetTargetPropertyIndex(good), EzelInvalidFeature,
                  "Invalid TargetPropertyIndex value. Unknown TargetProperty");
    EXPECT_RAISES(loose->SetValueComponentPropertyIndex(good), EzelInvalidFeature,
                  "Invalid ValueComponentPropertyIndex value. Unknown ValueComponentProperty");
    loose->SetValueComponentProperty("Cells");
    EXPECT_RAISES(loose->SetValueComponentPropertyIndex(Variant("x")), EzelInvalidFeature,
                  "Invalid ValueComponentPropertyIndex value. Value is not array");
    EXPECT_TRUE(loose->GetTargetPropertyIndex().IsEmpty());

    // While the connection is read, anything is stored unchecked.
    SetLoading(loose, true);
    loose->SetTargetPropertyIndex(Variant(7));
    loose->SetTargetProperty("NoSuchProperty");
    SetLoading(loose, false);
    EXPECT_EQ(loose->GetTargetPropertyIndex(), Variant(7));
    EXPECT_EQ(loose->GetTargetProperty(), "NoSuchProperty");
}

TEST_F(E2P, IndexedTargetAndSource) {
    C->SetTargetProperty("Cells");
    C->SetTargetPropertyIndex(VarArrayOf({1, 2}));
    C->SetValueConstant("b");
    ASSERT_TRUE(C->Connect());
    Button->Click();
    EXPECT_EQ(Label->GetCells(1, 2), "b");
    // Strings, as after a load, are converted to the index type.
    C->SetTargetPropertyIndex(VarArrayOf({"3", "0"}));
    Button->Click();
    EXPECT_EQ(Label->GetCells(3, 0), "b");
    C->SetTargetPropertyIndex(VarArrayOf({4, 0}));
    EXPECT_RAISES(Button->Click(), EListError, "Cell index out of range");
}

// Index values live in the shared property record: each array is applied right before its own
// access, so a copy between two cells of one widget reads and writes the right cells.
TEST_F(E2P, IndexArraysSharingOnePropertyRecord) {
    Label->SetCells(0, 0, "origin");
    C->SetTargetProperty("Cells");
    C->SetTargetPropertyIndex(VarArrayOf({2, 2}));
    C->SetValueComponent(Label);
    C->SetValueComponentProperty("Cells");
    C->SetValueComponentPropertyIndex(VarArrayOf({0, 0}));
    C->SetValueOptions(voComponentProperty);
    ASSERT_TRUE(C->Connect());
    auto* other = new TzelE2PConnection(Form);
    other->SetSource(Button);
    other->SetTarget(Label);
    other->SetSourceEvent("OnClick");
    other->SetTargetProperty("Cells");
    other->SetTargetPropertyIndex(VarArrayOf({3, 3}));
    other->SetValueConstant("other");
    ASSERT_TRUE(other->Connect());
    Button->Click();
    EXPECT_EQ(Label->GetCells(2, 2), "origin");
    EXPECT_EQ(Label->GetCells(3, 3), "other");
    EXPECT_EQ(Label->GetCells(0, 0), "origin");
}

// A short or missing array (possible through a hand-edited form file) never lets an index
// value of an earlier access through: missing indexes are empty.
TEST_F(E2P, ShortIndexArrayLeavesNoLeftovers) {
    C->SetTargetProperty("Cells");
    C->SetTargetPropertyIndex(VarArrayOf({3, 3}));
    C->SetValueConstant("first");
    ASSERT_TRUE(C->Connect());
    Button->Click();
    SetLoading(C, true);
    C->SetTargetPropertyIndex(VarArrayOf({"2"}));
    SetLoading(C, false);
    C->SetValueConstant("short");
    Button->Click();
    EXPECT_EQ(Label->GetCells(2, 0), "short");
    EXPECT_EQ(Label->GetCells(2, 3), "");
    SetLoading(C, true);
    C->SetTargetPropertyIndex(VarArrayOf({"1", "1", "surplus"}));
    SetLoading(C, false);
    C->SetValueConstant("long");
    Button->Click(); // the surplus element is ignored
    EXPECT_EQ(Label->GetCells(1, 1), "long");
}

TEST_F(E2P, ClearedValueComponentDoesNotDisturbAConstant) {
    C->SetValueComponent(Edit);
    C->SetValueComponentProperty("Caption");
    C->SetValueComponent(nullptr);
    EXPECT_EQ(C->GetValueComponentProperty(), "");
    C->SetValueConstant("still");
    ASSERT_TRUE(C->Connect());
    Button->Click();
    EXPECT_EQ(Label->GetCaption(), "still");
}

// A value source that stops resolving after Connect raises the message of the missing name
// when the event fires, and writes nothing.
TEST_F(E2P, ValueSourceThatStopsResolving) {
    C->SetValueConstant("kept");
    ASSERT_TRUE(C->Connect());
    Button->Click();
    C->SetValueOptions(voComponentProperty);
    EXPECT_RAISES(Button->Click(), EzelInvalidFeature,
                  "Invalid ValueComponentProperty value. Unknown ValueComponent component");
    C->SetValueComponent(Edit);
    EXPECT_RAISES(Button->Click(), EzelInvalidFeature,
                  "Invalid ValueComponentProperty value. Unknown source property");
    C->SetValueOptions(voEventProperty);
    EXPECT_RAISES(Button->Click(), EzelInvalidFeature,
                  "Invalid ValueEventParameter value. Unknown event parameter name");
    C->SetValueOptions(static_cast<TzelValueOptions>(7));
    EXPECT_RAISES(Button->Click(), Exception, "Internal error in TzelE2PConnection.OnSourceEvent");
    EXPECT_EQ(Label->GetCaption(), "kept");
}

TEST_F(E2P, ExceptionsOfTheWriteReachTheEventsCaller) {
    C->SetTargetProperty("Broken");
    ASSERT_TRUE(C->Connect());
    EXPECT_RAISES(Button->Click(), EInvalidOperation, "Cannot write Broken");
}

// The listener goes with Unconnect even when the event name no longer resolves.
TEST_F(E2P, UnconnectRemovesTheListenerWhateverTheEventName) {
    ASSERT_TRUE(C->Connect());
    TzelClassInfo* info = InfoOf(Button);
    ASSERT_EQ(info->GetListenerCount(), 1);
    SetLoading(C, true);
    C->SetSourceEvent("OnGone");
    SetLoading(C, false);
    C->Unconnect();
    EXPECT_EQ(info->GetListenerCount(), 0);
}

TEST_F(E2P, ChangingTheSourceStopsTheConnection) {
    C->SetValueConstant("x");
    ASSERT_TRUE(C->Connect());
    C->SetSource(Edit);
    EXPECT_EQ(C->GetSourceEvent(), "");
    Button->Click();
    Edit->Click();
    EXPECT_EQ(Label->GetCaption(), "");
    EXPECT_EQ(InfoOf(Button)->GetListenerCount(), 0);
}

TEST_F(E2P, DeletingTheValueComponentClearsItsProperty) {
    C->SetValueComponent(Edit);
    C->SetValueComponentProperty("Cells");
    C->SetValueComponentPropertyIndex(VarArrayOf({1, 1}));
    Edit->Free();
    EXPECT_EQ(C->GetValueComponent(), nullptr);
    EXPECT_EQ(C->GetValueComponentProperty(), "");
    EXPECT_EQ(VarArrayHighBound(C->GetValueComponentPropertyIndex(), 1), 0);
    EXPECT_EQ(C->GetTargetProperty(), "Caption");
}

} // namespace
} // namespace zeltrix::test
