// Controls and forms: a click through the input API beside calling the control's Click, a
// SetBounds through the class info beside the direct call, and a form's class info made beside
// the form alone (its chain of class infos reaches several hundred records).
#include "core/Zelcommon.h"
#include "host/controls/Input.h"
#include "host/forms/Form.h"
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
