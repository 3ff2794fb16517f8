#include "StreamingClasses.h"

#include "host/classes/ClassRegistration.h"
#include "host/classes/ObjectText.h"
#include "host/classes/Reader.h"
#include "host/classes/Streams.h"
#include "host/system/SysUtils.h"

#include <algorithm>

namespace host {

std::vector<std::string>& StreamLog() {
    static std::vector<std::string> log;
    return log;
}

namespace {
void Log(const std::string& S) {
    StreamLog().push_back(S);
}

const char* const ColorNames[] = {"clBlack", "clRed", "clGreen"};
} // namespace

bool TTestColorNames::IntToIdent(Integer Int, AnsiString& Ident) {
    if (Int < 0 || Int > 2) return false;
    Ident = ColorNames[Int];
    return true;
}
bool TTestColorNames::IdentToInt(const AnsiString& Ident, Integer& Int) {
    for (Integer i = 0; i < 3; ++i)
        if (SameText(Ident, ColorNames[i])) return Int = i, true;
    return false;
}

namespace {
constexpr TPropInfo FontProps[] = {
    HOST_PROP(TTestFont, Name),
    HOST_PROP(TTestFont, Size).Default(8),
    HOST_PROP(TTestFont, Style).Default(TStyles{}),
};

constexpr TPropInfo ItemProps[] = {
    HOST_PROP(TTestItem, Caption),
    HOST_PROP(TTestItem, Width).Default(50),
};

constexpr TPropInfo WidgetProps[] = {
    HOST_PROP(TWidget, Caption),
    HOST_PROP(TWidget, Count).Default(0).Stored<&TWidget::IsCountStored>(),
    HOST_PROP(TWidget, Big),
    HOST_PROP(TWidget, Ratio),
    HOST_PROP(TWidget, Scale),
    HOST_PROP(TWidget, Precise),
    HOST_PROP(TWidget, Price),
    HOST_PROP(TWidget, When),
    HOST_PROP(TWidget, Shape).Default(stCircle),
    HOST_PROP(TWidget, Flags).Default(TStyles{}),
    HOST_PROP(TWidget, Enabled).Default(true),
    HOST_PROP(TWidget, Letter).Default('a'),
    HOST_PROP(TWidget, Wide),
    HOST_PROP(TWidget, Data),
    HOST_PROP(TWidget, Color).Default(0),
    HOST_PROP(TWidget, Font),
    HOST_PROP(TWidget, Items),
    HOST_PROP(TWidget, Lines),
    HOST_PROP(TWidget, Buddy),
    HOST_PROP(TWidget, Partner),
    HOST_PROP(TWidget, OnClick),
    HOST_PROP(TWidget, OnPing),
};

constexpr TPropInfo FormProps[] = {
    HOST_PROP(TTestForm, Caption),
};

const TPublishedMethod FormMethods[] = {
    HOST_PUBLISHED_METHOD(TTestForm, Button1Click, TNotifyEvent),
    HOST_PUBLISHED_METHOD(TTestForm, PanelPing, TPingEvent),
};

const TPublishedField FormFields[] = {
    {"Button1", TWidget::StaticClass(),
     [](TObject* o) { return reinterpret_cast<TObject**>(&static_cast<TTestForm*>(o)->Button1); }},
    {"Panel1", TWidget::StaticClass(),
     [](TObject* o) { return reinterpret_cast<TObject**>(&static_cast<TTestForm*>(o)->Panel1); }},
};
} // namespace

HOST_METACLASS(TTestFont, TPersistent, PropTable(FontProps));
HOST_METACLASS(TTestItem, TCollectionItem, PropTable(ItemProps, MakeItemMetaClass<TTestItem>()));
HOST_COMPONENT_METACLASS(TWidget, TComponent, PropTable(WidgetProps));
HOST_COMPONENT_METACLASS(
    TTestForm, TComponent,
    PropTable(FormProps,
              {.Methods = FormMethods, .MethodCount = 2, .Fields = FormFields, .FieldCount = 2}));
HOST_COMPONENT_METACLASS(TLayoutForm, TTestForm);

// ---- TTestFont, TTestItem ----

void TTestFont::Assign(TPersistent* Source) {
    if (auto* f = DynCast<TTestFont>(Source)) {
        FName = f->FName;
        FSize = f->FSize;
        FStyle = f->FStyle;
        return;
    }
    TPersistent::Assign(Source);
}

void TTestItem::Assign(TPersistent* Source) {
    if (auto* i = DynCast<TTestItem>(Source)) {
        FCaption = i->FCaption;
        FWidth = i->FWidth;
        return;
    }
    TCollectionItem::Assign(Source);
}

// ---- TWidget ----

TWidget::TWidget(TComponent* AOwner)
    : TComponent(AOwner), FFont(new TTestFont),
      FItems(new TOwnedCollection(this, TTestItem::StaticClass())), FLines(new TStringList) {}

TWidget::~TWidget() {
    Destroying();
    SetParentComponent(nullptr);
    for (TWidget* k : std::vector<TWidget*>(FKids)) k->FParentWidget = nullptr;
    FFont->Free();
    FItems->Free();
    FLines->Free();
}

void TWidget::SetCaption(const AnsiString& V) {
    FCaption = V;
    if (GetComponentState().Contains(csLoading)) Log("caption while loading: " + GetName());
}

void TWidget::SetBuddy(TComponent* V) {
    FBuddy = V;
    if (V) V->FreeNotification(this);
}

void TWidget::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FBuddy) FBuddy = nullptr;
    if (Operation == opRemove && AComponent == FPartner) FPartner = nullptr;
}

void TWidget::SetParentComponent(TComponent* Value) {
    if (Value) Log("set parent: " + GetName() + " in " + Value->GetName());
    if (FParentWidget) std::erase(FParentWidget->FKids, this);
    FParentWidget = DynCast<TWidget>(Value);
    if (FParentWidget) FParentWidget->FKids.push_back(this);
}

void TWidget::SetChildOrder(TComponent* Child, Integer Order) {
    auto it = std::find(FKids.begin(), FKids.end(), Child);
    if (it == FKids.end() || Order < 0 || Order >= static_cast<Integer>(FKids.size())) return;
    FKids.erase(it);
    FKids.insert(FKids.begin() + Order, static_cast<TWidget*>(Child));
}

void TWidget::ReadState(TReader* Reader) {
    Log("read state: " + ClassName());
    TComponent::ReadState(Reader);
}

void TWidget::WriteState(TWriter* Writer) {
    Log("write state: " + GetName() +
        (GetComponentState().Contains(csWriting) ? " (writing)" : ""));
    TComponent::WriteState(Writer);
}

void TWidget::GetChildren(TGetChildProc Proc, TComponent* Root) {
    for (TWidget* k : FKids)
        if (k->GetOwner() == Root) Proc(k);
}

void TWidget::Loaded() {
    if (FCaption == "fail in Loaded") throw EComponentError("Loaded failed");
    LoadingInLoaded = GetComponentState().Contains(csLoading);
    TComponent::Loaded();
    ++LoadedCount;
    BuddyInLoaded = FBuddy;
    Log("loaded: " + GetName());
}

// ---- TTestForm ----

void TTestForm::Button1Click(TObject* Sender) {
    Clicks.push_back("click " + static_cast<TComponent*>(Sender)->GetName());
}

void TTestForm::PanelPing(TObject*, Integer Value) {
    Clicks.push_back("ping " + std::to_string(Value));
}

void TTestForm::GetChildren(TGetChildProc Proc, TComponent* Root) {
    for (Integer i = 0; i < GetComponentCount(); ++i) {
        TComponent* c = GetComponents(i);
        if (!c->HasParent() && c->GetOwner() == Root) Proc(c);
    }
}

void TTestForm::SetChildOrder(TComponent* Child, Integer Order) {
    if (Child->GetOwner() == this) Child->SetComponentIndex(Order);
}

void TTestForm::Loaded() {
    TComponent::Loaded();
    ++LoadedCount;
    Log("loaded: " + GetName());
}

TLayoutForm::TLayoutForm(TComponent* AOwner) : TTestForm(AOwner) {}

void RegisterStreamingClasses() {
    RegisterClasses({TWidget::StaticClass(), TTestForm::StaticClass(), TLayoutForm::StaticClass()});
}

} // namespace host

namespace host::streaming_test {

namespace {
std::string Contents(TMemoryStream& S) {
    return std::string(static_cast<const char*>(S.GetMemory()),
                       static_cast<std::size_t>(S.GetSize()));
}
} // namespace

std::string WriteForm(TComponent* Root, TComponent* Ancestor) {
    TMemoryStream s;
    s.WriteDescendent(Root, Ancestor);
    return Contents(s);
}

std::string ToText(const std::string& Binary) {
    TMemoryStream in, out;
    in.WriteBuffer(Binary.data(), static_cast<Integer>(Binary.size()));
    in.SetPosition(0);
    ObjectBinaryToText(&in, &out);
    return Contents(out);
}

std::string ToBinary(const std::string& Text) {
    TMemoryStream in, out;
    in.WriteBuffer(Text.data(), static_cast<Integer>(Text.size()));
    in.SetPosition(0);
    ObjectTextToBinary(&in, &out);
    return Contents(out);
}

TComponent* ReadText(const std::string& Text, TComponent* Root) {
    std::string b = ToBinary(Text);
    TMemoryStream s;
    s.WriteBuffer(b.data(), static_cast<Integer>(b.size()));
    s.SetPosition(0);
    return s.ReadComponent(Root);
}

} // namespace host::streaming_test
