// One event through each kind of connection, each beside the hand-written handler it replaces.
#include "connections/Zele2m.h"
#include "connections/Zele2p.h"
#include "connections/Zelp2p.h"
#include "package/zeltrix_cb4.h"
#include "tests/package/ConnectionTestWidget.h"

#include <benchmark/benchmark.h>

using namespace host;
using namespace zeltrix;
using zeltrix::test::TTestWidget;

namespace {

/// A form with a button, a label and an edit box, as in the road of one event.
struct Form {
    Form() {
        LoadPackage();
        test::RegisterTestWidget();
        Root = new TComponent(nullptr);
        Button = new TTestWidget(Root);
        Label = new TTestWidget(Root);
        Edit = new TTestWidget(Root);
        Edit->SetCaption("from the edit box");
    }
    ~Form() { Root->Free(); }
    TzelE2PConnection* E2P(TzelValueOptions Options, const char* Event, const char* Property) {
        auto* c = new TzelE2PConnection(Root);
        c->SetSource(Button);
        c->SetTarget(Label);
        c->SetSourceEvent(Event);
        c->SetTargetProperty(Property);
        c->SetValueOptions(Options);
        return c;
    }
    TComponent* Root;
    TTestWidget *Button, *Label, *Edit;
};

// The handlers a programmer would write instead.
struct Handlers {
    Form* F;
    void SetConstant(TObject*) { F->Label->SetCaption("Done"); }
    void CopyEdit(TObject*) { F->Label->SetCaption(F->Edit->GetCaption()); }
    void TakeX(TObject*, Integer X, Integer) { F->Label->SetValue(X); }
    void CallAdd(TObject*, Integer X, Integer Y) { benchmark::DoNotOptimize(F->Label->Add(X, Y)); }
};

} // namespace

static void BM_DirectHandlerConstant(benchmark::State& state) {
    Form f;
    Handlers h{&f};
    f.Button->SetOnClick(TNotifyEvent::Bind<&Handlers::SetConstant>(&h));
    for (auto _ : state) f.Button->Click();
}
BENCHMARK(BM_DirectHandlerConstant);

static void BM_E2PConstant(benchmark::State& state) {
    Form f;
    TzelE2PConnection* c = f.E2P(voConstant, "OnClick", "Caption");
    c->SetValueConstant("Done");
    c->Connect();
    for (auto _ : state) f.Button->Click();
}
BENCHMARK(BM_E2PConstant);

static void BM_DirectHandlerComponentProperty(benchmark::State& state) {
    Form f;
    Handlers h{&f};
    f.Button->SetOnClick(TNotifyEvent::Bind<&Handlers::CopyEdit>(&h));
    for (auto _ : state) f.Button->Click();
}
BENCHMARK(BM_DirectHandlerComponentProperty);

static void BM_E2PComponentProperty(benchmark::State& state) {
    Form f;
    TzelE2PConnection* c = f.E2P(voComponentProperty, "OnClick", "Caption");
    c->SetValueComponent(f.Edit);
    c->SetValueComponentProperty("Caption");
    c->Connect();
    for (auto _ : state) f.Button->Click();
}
BENCHMARK(BM_E2PComponentProperty);

static void BM_DirectHandlerEventParameter(benchmark::State& state) {
    Form f;
    Handlers h{&f};
    f.Button->SetOnMouse(TTestWidget::TMouseEvent::Bind<&Handlers::TakeX>(&h));
    Integer x = 0;
    for (auto _ : state) f.Button->Mouse(x++, 7);
}
BENCHMARK(BM_DirectHandlerEventParameter);

static void BM_E2PEventParameter(benchmark::State& state) {
    Form f;
    TzelE2PConnection* c = f.E2P(voEventProperty, "OnMouse", "Value");
    c->SetValueEventParameter("X");
    c->Connect();
    Integer x = 0;
    for (auto _ : state) f.Button->Mouse(x++, 7);
}
BENCHMARK(BM_E2PEventParameter);

static void BM_DirectHandlerTwoArguments(benchmark::State& state) {
    Form f;
    Handlers h{&f};
    f.Button->SetOnMouse(TTestWidget::TMouseEvent::Bind<&Handlers::CallAdd>(&h));
    Integer x = 0;
    for (auto _ : state) f.Button->Mouse(x++, 7);
}
BENCHMARK(BM_DirectHandlerTwoArguments);

static void BM_E2MTwoArguments(benchmark::State& state) {
    Form f;
    auto* c = new TzelE2MConnection(f.Root);
    c->SetSource(f.Button);
    c->SetTarget(f.Label);
    c->SetSourceEvent("OnMouse");
    c->SetTargetMethod("Add");
    for (int i = 0; i < 2; ++i) {
        TzelParameterConnection* item = c->GetTargetMethodParameters()->GetItem(i);
        item->SetEventParameter(i == 0 ? "X" : "Y");
        item->SetOptions(voEventProperty);
    }
    c->Connect();
    Integer x = 0;
    for (auto _ : state) f.Button->Mouse(x++, 7);
}
BENCHMARK(BM_E2MTwoArguments);

static void BM_DirectPropertyCopy(benchmark::State& state) {
    Form f;
    for (auto _ : state) f.Label->SetCaption(f.Edit->GetCaption());
}
BENCHMARK(BM_DirectPropertyCopy);

static void BM_P2PCopy(benchmark::State& state) {
    Form f;
    auto* c = new TzelP2PConnection(f.Root);
    c->SetSource(f.Edit);
    c->SetTarget(f.Label);
    c->SetSourceProperty("Caption");
    c->SetTargetProperty("Caption");
    c->Connect();
    for (auto _ : state) c->SetTargetValue();
}
BENCHMARK(BM_P2PCopy);
