// Property references: the five that the connections hold each raise their own messages in the
// order of the setters' tests, and a reference reads and writes through its index array.
#include "tests/package/ConnectionTest.h"

#include <functional>

namespace zeltrix::test {
namespace {

using namespace host;

/// One property reference reached through the public members of its owner.
struct Reference {
    const char* Name;
    const TzelPropertyRole* Role;
    std::function<void(TComponent*)> SetComponent;
    std::function<void(const AnsiString&)> SetName;
    std::function<AnsiString()> GetName;
    std::function<void(const Variant&)> SetIndex;
    std::function<Variant()> GetIndex;
};

class PropertyRef : public ConnectionTest {
protected:
    std::vector<Reference> References() {
        auto* e2p = new TzelE2PConnection(Form);
        auto* p2p = new TzelP2PConnection(Form);
        auto* e2m = new TzelE2MConnection(Form);
        TzelParameterConnection* item = e2m->GetTargetMethodParameters()->Add();
        return {
            {"E2P TargetProperty", &zelTargetPropertyRole,
             [=](TComponent* C) { e2p->SetTarget(C); },
             [=](const AnsiString& V) { e2p->SetTargetProperty(V); },
             [=] { return e2p->GetTargetProperty(); },
             [=](const Variant& V) { e2p->SetTargetPropertyIndex(V); },
             [=] { return e2p->GetTargetPropertyIndex(); }},
            {"E2P ValueComponentProperty", &zelValueComponentPropertyRole,
             [=](TComponent* C) { e2p->SetValueComponent(C); },
             [=](const AnsiString& V) { e2p->SetValueComponentProperty(V); },
             [=] { return e2p->GetValueComponentProperty(); },
             [=](const Variant& V) { e2p->SetValueComponentPropertyIndex(V); },
             [=] { return e2p->GetValueComponentPropertyIndex(); }},
            {"P2P SourceProperty", &zelSourcePropertyRole,
             [=](TComponent* C) { p2p->SetSource(C); },
             [=](const AnsiString& V) { p2p->SetSourceProperty(V); },
             [=] { return p2p->GetSourceProperty(); },
             [=](const Variant& V) { p2p->SetSourcePropertyIndex(V); },
             [=] { return p2p->GetSourcePropertyIndex(); }},
            {"P2P TargetProperty", &zelTargetPropertyRole,
             [=](TComponent* C) { p2p->SetTarget(C); },
             [=](const AnsiString& V) { p2p->SetTargetProperty(V); },
             [=] { return p2p->GetTargetProperty(); },
             [=](const Variant& V) { p2p->SetTargetPropertyIndex(V); },
             [=] { return p2p->GetTargetPropertyIndex(); }},
            {"parameter ComponentProperty", &zelComponentPropertyRole,
             [=](TComponent* C) { item->SetComponent(C); },
             [=](const AnsiString& V) { item->SetComponentProperty(V); },
             [=] { return item->GetComponentProperty(); },
             [=](const Variant& V) { item->SetComponentPropertyIndex(V); },
             [=] { return item->GetComponentPropertyIndex(); }},
        };
    }
};

// Each reference validates against its own component and raises its own messages; a refused
// name or index leaves the old one.
TEST_F(PropertyRef, EachReferenceRaisesItsOwnMessagesInOrder) {
    TTestWidget* widget = NewWidget("Widget");
    Variant square = VarArrayCreate({0, 1, 0, 1}, varVariant);
    for (const Reference& r : References()) {
        SCOPED_TRACE(r.Name);
        const TzelPropertyRole& m = *r.Role;
        EXPECT_RAISES(r.SetName("Cells"), EzelInvalidFeature, m.NameComponent);
        EXPECT_RAISES(r.SetIndex(VarArrayOf({1, 2})), EzelInvalidFeature, m.Component);
        r.SetComponent(widget);
        EXPECT_RAISES(r.SetName("Cell"), EzelInvalidFeature, m.NameProperty);
        EXPECT_EQ(r.GetName(), "");
        EXPECT_RAISES(r.SetIndex(VarArrayOf({1, 2})), EzelInvalidFeature, m.Property);

        r.SetName("Cells");
        Variant fresh = r.GetIndex();
        ASSERT_TRUE(VarIsArray(fresh));
        EXPECT_EQ(VarArrayHighBound(fresh, 1), 1);
        EXPECT_TRUE(fresh[0].IsEmpty());
        EXPECT_RAISES(r.SetName("Cell"), EzelInvalidFeature, m.NameProperty);
        EXPECT_EQ(r.GetName(), "Cells");
        EXPECT_RAISES(r.SetIndex(Variant(5)), EzelInvalidFeature, m.NotArray);
        EXPECT_RAISES(r.SetIndex(square), EzelInvalidFeature, m.DimCount);
        EXPECT_RAISES(r.SetIndex(VarArrayOf({1})), EzelInvalidFeature, m.DimSize);
        EXPECT_TRUE(r.GetIndex()[1].IsEmpty());
        r.SetIndex(VarArrayOf({1, 2}));
        EXPECT_EQ(r.GetIndex()[1], Variant(2));

        r.SetName("");
        EXPECT_EQ(VarArrayHighBound(r.GetIndex(), 1), 0);
    }
}

TEST_F(PropertyRef, ReadsAndWritesThroughItsIndexArray) {
    TTestWidget* widget = NewWidget("Widget");
    TzelClassInfo* info = InfoOf(widget);
    TzelPropertyRef ref(zelTargetPropertyRole);
    EXPECT_TRUE(ref.Indexes().IsEmpty());
    ref.SetName("Cells", true, info);
    ref.SetIndexes(VarArrayOf({1, 2}), true, info);
    ref.Write(info, Variant("x"));
    EXPECT_EQ(widget->GetCells(1, 2), "x");
    widget->SetCells(1, 2, "y");
    EXPECT_EQ(ref.Read(info), Variant("y"));

    // Another reference to the same property record applies its own array before its access.
    TzelPropertyRef other(zelSourcePropertyRole);
    other.SetName("Cells", true, info);
    other.SetIndexes(VarArrayOf({3, 3}), true, info);
    ASSERT_TRUE(other.TryWrite(info, Variant("z")));
    EXPECT_EQ(ref.Read(info), Variant("y"));
    EXPECT_EQ(widget->GetCells(3, 3), "z");
}

// An access that does not resolve reads nothing and writes nothing; the raising forms use the
// name setter's messages.
TEST_F(PropertyRef, UnresolvedAccess) {
    TTestWidget* widget = NewWidget("Widget");
    TzelClassInfo* info = InfoOf(widget);
    TzelPropertyRef ref(zelValueComponentPropertyRole);
    ref.SetName("Captoin", false, nullptr);
    Variant value("kept");
    EXPECT_FALSE(ref.TryRead(nullptr, value));
    EXPECT_FALSE(ref.TryRead(info, value));
    EXPECT_EQ(value, Variant("kept"));
    EXPECT_FALSE(ref.TryWrite(info, value));
    EXPECT_RAISES(ref.Read(nullptr), EzelInvalidFeature,
                  "Invalid ValueComponentProperty value. Unknown ValueComponent component");
    EXPECT_RAISES(ref.Write(info, value), EzelInvalidFeature,
                  "Invalid ValueComponentProperty value. Unknown source property");
    EXPECT_EQ(widget->GetCaption(), "");
    EXPECT_EQ(ref.Diagnose(info), "unknown value component property 'Captoin'");
    ref.SetName("", false, nullptr);
    EXPECT_EQ(ref.Diagnose(info), "no value component property");
    ref.SetName("Caption", false, nullptr);
    EXPECT_EQ(ref.Diagnose(info), "");
}

// An array that only a form being read can carry (given unchecked while loading): applying it
// raises, and so does an array whose low bound is not 0; nothing is read past it.
TEST_F(PropertyRef, UncheckedArraysRaiseWhenApplied) {
    TTestWidget* widget = NewWidget("Widget");
    TzelClassInfo* info = InfoOf(widget);
    TzelPropertyRef ref(zelTargetPropertyRole);
    ref.SetName("Cells", false, nullptr);
    ref.SetIndexes(VarArrayCreate({0, 1, 0, 1}, varVariant), false, nullptr);
    EXPECT_RAISES(ref.Write(info, Variant("x")), EzelInvalidFeature,
                  "Invalid TargetPropertyIndex value. Invalid dimension count");
    ref.SetIndexes(VarArrayCreate({1, 1}, varVariant), true, info); // the low bound is not tested
    EXPECT_THROW(ref.Write(info, Variant("x")), Exception);
    EXPECT_EQ(widget->GetCells(0, 0), "");
}

} // namespace
} // namespace zeltrix::test
