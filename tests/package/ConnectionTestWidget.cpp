#include "tests/package/ConnectionTestWidget.h"

#include "classinfo/Zelclasses.h"
#include "core/ClassInfoRows.h"
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

ZEL_PLAIN_CLASSINFO(TTestWidgetClassInfo, TComponentClassInfo, TTestWidget);

struct TTestWidgetClassInfo::ZelRows {
    using W = TTestWidget;
    static constexpr TzelPropRow Properties[] = {
        ZEL_PROP(W, Caption).published(),
        ZEL_PROP(W, Value).published(),
        ZEL_PROP(W, Cells, "Col,Row"),
        ZEL_PROP_R(W, Log),
        ZEL_PROP(W, Broken),
    };
    static constexpr TzelMethodRow Methods[] = {
        ZEL_FUNC(W, Add, "A,B"), ZEL_PROC(W, Twice, "X"), ZEL_PROC(W, Append, "S"),
        ZEL_PROC(W, Clear),      ZEL_PROC(W, Click),      ZEL_PROC(W, Release),
    };
    static constexpr TzelEventRow Events[] = {
        ZEL_EVENT(W, OnClick, "Sender").published(),
        ZEL_EVENT(W, OnChange, "Sender").published(),
        ZEL_EVENT(W, OnKey, "Sender,Key").published(),
        ZEL_EVENT(W, OnMouse, "Sender,X,Y").published(),
    };
};
ZEL_TABLE(TTestWidgetClassInfo);

void RegisterTestWidget() {
    static const TzelClassTable* const Tables[] = {&TTestWidgetClassInfo::ZelTable};
    zelInitializeUnit(Tables, 1);
    RegisterClasses({TTestWidget::StaticClass()});
}

} // namespace zeltrix::test
