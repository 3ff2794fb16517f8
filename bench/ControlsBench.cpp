// Controls and forms: a click through the input API beside calling the control's Click, a
// SetBounds through the class info beside the direct call, and a form's class info made beside
// the form alone (its chain of class infos reaches several hundred records).
#include "connections/Zelconlist.h"
#include "connections/Zelp2p.h"
#include "core/Zelcommon.h"
#include "host/controls/Input.h"
#include "host/forms/Form.h"
#include "host/stdctrls/Edit.h"
#include "host/stdctrls/Labels.h"
#include "package/zeltrix_cb4.h"

#include "BenchPackage.h"

#include <benchmark/benchmark.h>

using namespace zeltrix;
using namespace host;

namespace {
using bench::EnsurePackage;

/// A shown form with one control that counts its clicks.
struct ClickForm {
    struct Counter {
        long Clicks = 0;
        void Click(TObject*) { ++Clicks; }
    } Count;
    TForm Form{nullptr};
    TCustomControl* Control;
    ClickForm() {
        Form.SetBounds(0, 0, 300, 200);
        Control = new TCustomControl(&Form);
        Control->SetParent(&Form);
        Control->SetBounds(20, 20, 80, 30);
        Control->SetOnClick(TNotifyEvent::Bind<&Counter::Click>(&Count));
        Form.Show();
    }
};
} // namespace

// ---- a click reaching OnClick ----

void Direct_ControlClick(benchmark::State& State) {
    ClickForm f;
    for (auto _ : State) f.Control->Click();
    benchmark::DoNotOptimize(f.Count.Clicks);
}
BENCHMARK(Direct_ControlClick);

void Input_ClickReachesOnClick(benchmark::State& State) {
    ClickForm f;
    for (auto _ : State) input::Click(f.Control);
    if (f.Count.Clicks != long(State.iterations())) State.SkipWithError("a click was lost");
}
BENCHMARK(Input_ClickReachesOnClick);

// ---- SetBounds ----

void Direct_SetBounds(benchmark::State& State) {
    ClickForm f;
    Integer i = 0;
    for (auto _ : State) {
        i = (i + 1) & 63;
        f.Control->SetBounds(i, 20, 80 + i, 30);
    }
    benchmark::DoNotOptimize(f.Control->GetWidth());
}
BENCHMARK(Direct_SetBounds);

void Reflect_SetBoundsByRecord(benchmark::State& State) {
    EnsurePackage();
    ClickForm f;
    TzelClassInfo* ci = TzelClassRegistry::GetClassInfo(f.Control);
    TzelMethodInfo* set = ci->FindMethod("SetBounds");
    Integer i = 0;
    set->GetArgs(1)->Value = 20;
    set->GetArgs(3)->Value = 30;
    for (auto _ : State) {
        i = (i + 1) & 63;
        set->GetArgs(0)->Value = i;
        set->GetArgs(2)->Value = 80 + i;
        ci->InvokeMethod(set);
    }
    benchmark::DoNotOptimize(f.Control->GetWidth());
}
BENCHMARK(Reflect_SetBoundsByRecord);

// ---- a form's class info ----

void Direct_CreateForm(benchmark::State& State) {
    for (auto _ : State) {
        auto* form = new TForm(nullptr);
        benchmark::DoNotOptimize(form);
        form->Free();
    }
}
BENCHMARK(Direct_CreateForm);

void Reflect_CreateFormWithClassInfo(benchmark::State& State) {
    EnsurePackage();
    for (auto _ : State) {
        auto* form = new TForm(nullptr);
        benchmark::DoNotOptimize(TzelClassRegistry::GetClassInfo(form));
        form->Free();
    }
}
BENCHMARK(Reflect_CreateFormWithClassInfo);

void Reflect_FormClassInfoRecords(benchmark::State& State) {
    // Not timed for itself: reports how many records a form's class info holds.
    EnsurePackage();
    TForm form(nullptr);
    TzelClassInfo* ci = TzelClassRegistry::GetClassInfo(&form);
    for (auto _ : State) benchmark::DoNotOptimize(ci);
    State.counters["properties"] = ci->GetPropertyCount();
    State.counters["methods"] = ci->GetMethodCount();
    State.counters["events"] = ci->GetEventCount();
}
BENCHMARK(Reflect_FormClassInfoRecords)->Iterations(1);

// ---- typing into an edit, with a connection listening ----

namespace {
enum class Listener { None, Handler, Connection };

/// A shown form with an edit and a label; the edit's text goes into the label's caption on each
/// change through a handler written in C++ or a property-to-property connection.
struct TypingForm {
    TForm Form{nullptr};
    TEdit* Edit;
    TLabel* Label;
    void CopyText(TObject*) { Label->SetCaption(Edit->GetText()); }
    explicit TypingForm(Listener How) {
        Form.SetBounds(0, 0, 300, 200);
        Edit = new TEdit(&Form);
        Edit->SetName("Edit");
        Edit->SetParent(&Form);
        Label = new TLabel(&Form);
        Label->SetName("Label");
        Label->SetParent(&Form);
        Label->SetTop(40);
        if (How == Listener::Handler)
            Edit->SetOnChange(TNotifyEvent::Bind<&TypingForm::CopyText>(this));
        if (How == Listener::Connection) {
            auto* list = new TzelConnectionList(&Form);
            auto* p2p = new TzelP2PConnection(&Form);
            p2p->SetConnectionList(list);
            p2p->SetSource(Edit);
            p2p->SetTarget(Label);
            p2p->SetSourceProperty("Text");
            p2p->SetSourceEvent("OnChange");
            p2p->SetTargetProperty("Caption");
            p2p->Connect();
        }
        Form.Show();
        Edit->SetFocus();
    }
};

void TypeOneCharacter(benchmark::State& State, Listener How) {
    EnsurePackage();
    TypingForm f(How);
    int n = 0;
    for (auto _ : State) {
        input::Type("a");
        if (++n == 64) { // the same short text throughout, for both runs
            State.PauseTiming();
            f.Edit->SetText("");
            n = 0;
            State.ResumeTiming();
        }
    }
    if (How != Listener::None && f.Label->GetCaption() != f.Edit->GetText())
        State.SkipWithError("the text was not copied");
}
} // namespace

void Input_TypeIntoEdit(benchmark::State& State) {
    TypeOneCharacter(State, Listener::None);
}
BENCHMARK(Input_TypeIntoEdit);

void Input_TypeIntoEditWithHandler(benchmark::State& State) {
    TypeOneCharacter(State, Listener::Handler);
}
BENCHMARK(Input_TypeIntoEditWithHandler);

void Input_TypeIntoEditWithP2P(benchmark::State& State) {
    TypeOneCharacter(State, Listener::Connection);
}
BENCHMARK(Input_TypeIntoEditWithP2P);
