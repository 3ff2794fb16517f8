#include "tests/package/ConnectionTestWidget.h"

#include "classinfo/Zelclasses.h"
#include "core/ClassInfoTable.h"
#include "host/classes/ClassRegistration.h"
#include "host/classes/TypInfo.h"

namespace zeltrix::test {

using namespace host;

namespace {
const TPropInfo WidgetPublished[] = {
    HOST_PROP(TTestWidget, Caption),
    HOST_PROP(TTestWidget, Value).Default(0),
    HOST_PROP(TTestWidget, OnClick),
    HOST_PROP(TTestWidget, OnChange),
};
} // namespace
HOST_COMPONENT_METACLASS(TTestWidget, TComponent, PropTable(WidgetPublished));

void TTestWidget::GetChildren(TGetChildProc Proc, TComponent* Root) {
    if (Root != this) return;
    for (int i = 0; i < GetComponentCount(); ++i)
        if (!GetComponents(i)->HasParent()) Proc(GetComponents(i));
}

void TTestWidget::SetCaption(const AnsiString& Value) {
    if (Value == FCaption) return;
    FCaption = Value;
    if (FOnChange) FOnChange(this);
}

void TTestWidget::SetValue(Integer Value) {
    if (Value == FValue) return;
    FValue = Value;
    if (FOnChange) FOnChange(this);
}

static void CheckCell(Integer Col, Integer Row) {
    if (Col < 0 || Col > 3 || Row < 0 || Row > 3) throw EListError("Cell index out of range");
}

AnsiString TTestWidget::GetCells(Integer Col, Integer Row) const {
    CheckCell(Col, Row);
    return FCells[Col][Row];
}

void TTestWidget::SetCells(Integer Col, Integer Row, const AnsiString& Value) {
    CheckCell(Col, Row);
    FCells[Col][Row] = Value;
    if (FOnChange) FOnChange(this);
}

void TTestWidget::SetBroken(const AnsiString&) {
    throw EInvalidOperation("Cannot write Broken");
}

void TTestWidget::Click() {
    if (FOnClick) FOnClick(this);
}

Integer TTestWidget::Press(Integer Key) {
    if (FOnKey) FOnKey(this, Key);
    return Key;
}

void TTestWidget::Mouse(Integer X, Integer Y) {
    if (FOnMouse) FOnMouse(this, X, Y);
}

Integer TTestWidget::Add(Integer A, Integer B) {
    ++Calls;
    return A + B;
}

// ---- the widget's class info ----

class TTestWidgetClassInfo : public TzelFamily<TTestWidgetClassInfo, TComponentClassInfo> {
    ZEL_CLASSINFO(TTestWidgetClassInfo, TComponentClassInfo)
};

HOST_METACLASS(TTestWidgetClassInfo, TComponentClassInfo);

namespace {
TzelDescriptorTexts WidgetTexts;
using W = TTestWidget;
constexpr TzelPropRow WidgetProps[] = {
    prop<&W::GetCaption, &W::SetCaption>("Caption").published(),
    prop<&W::GetValue, &W::SetValue>("Value").published(),
    prop<&W::GetCells, &W::SetCells>("Cells", "Col,Row"),
    propR<&W::GetLog>("Log"),
    prop<&W::GetBroken, &W::SetBroken>("Broken"),
};
constexpr TzelMethodRow WidgetMethods[] = {
    func<&W::Add>("Add", "A,B"), proc<&W::Twice>("Twice", "X"), proc<&W::Append>("Append", "S"),
    proc<&W::Clear>("Clear"),    proc<&W::Click>("Click"),      proc<&W::Release>("Release"),
};
constexpr TzelEventRow WidgetEvents[] = {
    event<TTestWidgetClassInfo, &W::GetOnClick, &W::SetOnClick>("OnClick", "Sender").published(),
    event<TTestWidgetClassInfo, &W::GetOnChange, &W::SetOnChange>("OnChange", "Sender").published(),
    event<TTestWidgetClassInfo, &W::GetOnKey, &W::SetOnKey>("OnKey", "Sender,Key").published(),
    event<TTestWidgetClassInfo, &W::GetOnMouse, &W::SetOnMouse>("OnMouse", "Sender,X,Y")
        .published(),
};
} // namespace

const TzelClassTable TTestWidgetClassInfo::ZelTable = {"TTestWidget",
                                                       TTestWidget::StaticClass(),
                                                       TTestWidgetClassInfo::StaticClass(),
                                                       nullptr,
                                                       WidgetProps,
                                                       WidgetMethods,
                                                       {},
                                                       WidgetEvents,
                                                       &WidgetTexts};

void RegisterTestWidget() {
    static const TzelClassTable* const Tables[] = {&TTestWidgetClassInfo::ZelTable};
    zelInitializeUnit(Tables, 1);
    RegisterClasses({TTestWidget::StaticClass()});
}

} // namespace zeltrix::test
