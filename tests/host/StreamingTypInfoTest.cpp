// Published-property RTTI and the TypInfo helpers an object inspector uses.
#include "StreamingClasses.h"

#include "host/system/SysUtils.h"

#include <gtest/gtest.h>

#include <functional>

using namespace host;

namespace {

/// Redeclares Tag with another default and adds a read-only property.
class TRedeclared : public TWidget {
    HOST_CLASS(TRedeclared, TWidget)
public:
    using TWidget::TWidget;
    Integer GetLoads() const { return LoadedCount; }
    AnsiString Note; // a property read and written as a field
};
constexpr TPropInfo RedeclaredProps[] = {
    HOST_PROP(TRedeclared, Tag).Default(5),
    HOST_PROP_R(TRedeclared, Loads),
    Published<&TRedeclared::Note, &TRedeclared::Note>("Note"),
};
HOST_COMPONENT_METACLASS(TRedeclared, TWidget, PropTable(RedeclaredProps));

/// Declares a property for descendants to publish, as the host's "custom" classes do.
class TCustomGauge : public TComponent {
    HOST_CLASS(TCustomGauge, TComponent)
public:
    using TComponent::TComponent;
    Integer GetLevel() const { return FLevel; }
    void SetLevel(Integer V) { FLevel = V; }
    TDateTime GetSince() const { return FSince; }
    void SetSince(TDateTime V) { FSince = V; }

private:
    Integer FLevel = 0;
    TDateTime FSince = 0;
};
constexpr TPropInfo CustomGaugeProps[] = {
    HOST_PROP(TCustomGauge, Level).Default(0).Unpublished(),
    HOST_PROP(TCustomGauge, Since).Unpublished(),
};
HOST_COMPONENT_METACLASS(TCustomGauge, TComponent, PropTable(CustomGaugeProps));

/// Publishes the inherited properties by name, and a name no ancestor declares.
class TGauge : public TCustomGauge {
    HOST_CLASS(TGauge, TCustomGauge)
public:
    using TCustomGauge::TCustomGauge;
};
constexpr TPropInfo GaugeProps[] = {"Since", "Level", "Missing"};
HOST_COMPONENT_METACLASS(TGauge, TCustomGauge, PropTable(GaugeProps));

/// Re-publishes a re-publication.
class TBigGauge : public TGauge {
    HOST_CLASS(TBigGauge, TGauge)
public:
    using TGauge::TGauge;
};
constexpr TPropInfo BigGaugeProps[] = {"Level"};
HOST_COMPONENT_METACLASS(TBigGauge, TGauge, PropTable(BigGaugeProps));

std::vector<std::string> NamesOf(TClass C) {
    std::vector<std::string> out;
    for (const TPropInfo* p : GetPropInfos(C)) out.push_back(p->Name);
    return out;
}

template <class E>
std::string ErrorOf(const std::function<void()>& F) {
    try {
        F();
    } catch (const E& e) {
        return e.Message();
    }
    return "<no error>";
}

} // namespace

TEST(TypInfo, PropertiesAreFoundByNameThroughTheAncestorsInStreamingOrder) {
    EXPECT_EQ(GetPropInfo(TWidget::StaticClass(), "caption")->Name, std::string("Caption"));
    EXPECT_EQ(GetPropInfo(TWidget::StaticClass(), "TAG"),
              GetPropInfo(TComponent::StaticClass(), "Tag"));
    EXPECT_EQ(GetPropInfo(TWidget::StaticClass(), "Nope"), nullptr);
    EXPECT_EQ(GetPropInfo(static_cast<TObject*>(nullptr), "Tag"), nullptr);

    auto names = [](const std::vector<const TPropInfo*>& v) {
        std::vector<std::string> n;
        for (const TPropInfo* p : v) n.push_back(p->Name);
        return n;
    };
    std::vector<std::string> props = names(GetPropInfos(TRedeclared::StaticClass()));
    ASSERT_GE(props.size(), 5u);
    EXPECT_EQ(std::vector<std::string>(props.begin(), props.begin() + 4),
              (std::vector<std::string>{"Name", "Tag", "Caption", "Count"}));
    EXPECT_EQ(props.back(), "Note");
    // The redeclared Tag keeps its place with the descendant's row.
    EXPECT_EQ(GetPropInfos(TRedeclared::StaticClass())[1]->DefaultValue, 5);
    std::vector<std::string> sorted = names(GetPropList(TWidget::StaticClass()));
    EXPECT_TRUE(std::is_sorted(
        sorted.begin(), sorted.end(),
        [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; }));
}

TEST(TypInfo, OrdinalsEnumerationsAndSetsByValueAndByName) {
    TWidget w(nullptr);
    const TPropInfo* shape = GetPropInfo(&w, "Shape");
    const TPropInfo* flags = GetPropInfo(&w, "Flags");
    SetOrdProp(&w, shape, stSquare);
    EXPECT_EQ(w.GetShape(), stSquare);
    EXPECT_EQ(GetEnumProp(&w, shape), "stSquare");
    SetEnumProp(&w, shape, "STTRIANGLE");
    EXPECT_EQ(w.GetShape(), stTriangle);
    EXPECT_EQ(ErrorOf<EPropertyConvertError>([&] { SetEnumProp(&w, shape, "stOval"); }),
              "Invalid property element: stOval");
    EXPECT_EQ(w.GetShape(), stTriangle);

    SetSetProp(&w, flags, "[fsUnderline, fsBold]");
    EXPECT_EQ(w.GetFlags(), (TStyles{fsBold, fsUnderline}));
    EXPECT_EQ(GetSetProp(&w, flags, true), "[fsBold,fsUnderline]");
    EXPECT_EQ(GetSetProp(&w, flags), "fsBold,fsUnderline");
    EXPECT_EQ(ErrorOf<EPropertyConvertError>([&] { SetSetProp(&w, flags, "[fsBold,fsWavy]"); }),
              "Invalid property element: fsWavy");
    EXPECT_EQ(StringToSet(flags, "[]"), 0);

    const TTypeInfo* boolean = TypeInfoOf<bool>();
    EXPECT_EQ(GetEnumValue(boolean, "true"), 1);
    EXPECT_EQ(GetEnumName(boolean, 0), "False");
    EXPECT_EQ(GetEnumName(boolean, 2), "");
    EXPECT_EQ(GetEnumValue(boolean, "maybe"), -1);
    SetOrdProp(&w, GetPropInfo(&w, "Letter"), 'Q');
    EXPECT_EQ(w.GetLetter(), 'Q');
    SetInt64Prop(&w, GetPropInfo(&w, "Big"), -7000000000LL);
    EXPECT_EQ(GetInt64Prop(&w, GetPropInfo(&w, "Big")), -7000000000LL);
}

TEST(TypInfo, StringsFloatsVariantsObjectsAndMethods) {
    TTestForm form(nullptr);
    auto* w = new TWidget(&form);
    SetStrProp(w, GetPropInfo(w, "Wide"), "caf\xE9");
    EXPECT_EQ(w->GetWide(), u"caf\u00E9");
    EXPECT_EQ(GetStrProp(w, GetPropInfo(w, "Wide")), "caf\xE9");
    SetWideStrProp(w, GetPropInfo(w, "Caption"), u"x");
    EXPECT_EQ(w->GetCaption(), "x");

    SetFloatProp(w, GetPropInfo(w, "Price"), 12.34L);
    EXPECT_EQ(w->GetPrice().Scaled, 123400);
    EXPECT_EQ(GetFloatProp(w, GetPropInfo(w, "Scale")), 0);
    SetCurrProp(w, GetPropInfo(w, "Ratio"), Currency::FromScaled(25000));
    EXPECT_EQ(w->GetRatio(), 2.5);

    SetVariantProp(w, GetPropInfo(w, "Data"), Variant("v"));
    EXPECT_EQ(GetVariantProp(w, GetPropInfo(w, "Data")).AsString(), "v");

    const TPropInfo* partner = GetPropInfo(w, "Partner");
    EXPECT_EQ(ErrorOf<EPropertyError>([&] { SetObjectProp(w, partner, &form); }),
              "Invalid property value");
    auto* other = new TWidget(&form);
    SetObjectProp(w, partner, other);
    EXPECT_EQ(GetObjectProp(w, partner), other);
    SetObjectProp(w, partner, nullptr);
    EXPECT_EQ(w->GetPartner(), nullptr);

    const TPropInfo* click = GetPropInfo(w, "OnClick");
    SetMethodProp(w, click, TNotifyEvent::Bind<&TTestForm::Button1Click>(&form).AsMethod());
    EXPECT_EQ(GetMethodProp(w, click).Data, &form);
    w->GetOnClick()(w);
    EXPECT_EQ(form.Clicks.size(), 1u);
    EXPECT_EQ(click->PropType->Signature, &typeid(void(TObject*)));
}

TEST(TypInfo, KindsAndAccessAreChecked) {
    TRedeclared r(nullptr);
    EXPECT_EQ(ErrorOf<EPropertyError>([&] { GetOrdProp(&r, GetPropInfo(&r, "Caption")); }),
              "Invalid property type: AnsiString");
    EXPECT_EQ(ErrorOf<EPropertyError>([&] { SetOrdProp(&r, GetPropInfo(&r, "Loads"), 1); }),
              "Property Loads is read-only");
    EXPECT_EQ(GetOrdProp(&r, GetPropInfo(&r, "Loads")), 0);
    SetStrProp(&r, GetPropInfo(&r, "Note"), "field");
    EXPECT_EQ(r.Note, "field");
    EXPECT_EQ(GetStrProp(&r, GetPropInfo(&r, "note")), "field");
    const TPropInfo* count = GetPropInfo(&r, "Count");
    EXPECT_TRUE(IsStoredProp(&r, count));
    r.SetCount(13);
    EXPECT_FALSE(IsStoredProp(&r, count));
    EXPECT_FALSE(IsStoredProp(&r, GetPropInfo(&r, "Name")));
    EXPECT_EQ(PropType(GetPropInfo(&r, "Font")), tkClass);
    EXPECT_EQ(GetPropInfo(&r, "Font")->PropType->TypeName(), std::string("TTestFont"));
    EXPECT_EQ(GetPropInfo(&r, "When")->PropType, &TypeInfo_TDateTime);
}

TEST(TypInfo, CollectionsKnowThePropertyThatHoldsThem) {
    TTestForm form(nullptr);
    form.SetName("Form1");
    auto* w = new TWidget(&form);
    w->SetName("W");
    TCollectionItem* item = w->GetItems()->Add();
    EXPECT_EQ(item->GetNamePath(), "W.Items[0]");
}

TEST(TypInfo, ARePublicationIsANameAndTheAncestorsRowServesIt) {
    EXPECT_EQ(NamesOf(TCustomGauge::StaticClass()), (std::vector<std::string>{"Name", "Tag"}));
    EXPECT_EQ(GetPropInfo(TCustomGauge::StaticClass(), "Level"), nullptr);
    EXPECT_EQ(NamesOf(TGauge::StaticClass()),
              (std::vector<std::string>{"Name", "Tag", "Since", "Level"}));
    EXPECT_EQ(NamesOf(TBigGauge::StaticClass()), NamesOf(TGauge::StaticClass()));
    EXPECT_EQ(GetPropInfo(TGauge::StaticClass(), "Missing"), nullptr);

    const TPropInfo* level = GetPropInfo(TBigGauge::StaticClass(), "level");
    ASSERT_NE(level, nullptr);
    EXPECT_EQ(level, &CustomGaugeProps[0]);
    EXPECT_EQ(GetPropInfo(TGauge::StaticClass(), "Since")->PropType, &TypeInfo_TDateTime);

    TBigGauge g(nullptr);
    SetOrdProp(&g, level, 7);
    EXPECT_EQ(g.GetLevel(), 7);
    EXPECT_EQ(GetOrdProp(&g, level), 7);
}
