// Page controls: switching the active page through the class info (ActivePage by name, and
// SelectNextPage as a method) beside the direct host calls.
#include "core/ValueConv.h"
#include "core/Zelcommon.h"
#include "host/comctrls/PageControl.h"
#include "host/forms/Form.h"

#include "BenchPackage.h"

#include <benchmark/benchmark.h>

using namespace zeltrix;
using namespace host;

namespace {
using bench::EnsurePackage;

/// A shown form with a page control of four sheets.
struct PagesForm {
    TForm Form{nullptr};
    TPageControl* Pages;
    TTabSheet* Sheet[4];
    PagesForm() {
        Form.SetBounds(0, 0, 308, 227);
        Pages = new TPageControl(&Form);
        Pages->SetParent(&Form);
        Pages->SetBounds(0, 0, 300, 200);
        for (auto*& s : Sheet) {
            s = new TTabSheet(&Form);
            s->SetPageControl(Pages);
            s->SetCaption("Page");
        }
        Form.Show();
    }
};
} // namespace

void Direct_SetActivePage(benchmark::State& State) {
    PagesForm f;
    unsigned i = 0;
    for (auto _ : State) f.Pages->SetActivePage(f.Sheet[++i & 3]);
    benchmark::DoNotOptimize(f.Pages->GetActivePage());
}
BENCHMARK(Direct_SetActivePage);

void Reflect_SetActivePageByName(benchmark::State& State) {
    EnsurePackage();
    PagesForm f;
    TzelClassInfo* ci = TzelClassRegistry::GetClassInfo(f.Pages);
    Variant sheets[4];
    for (int k = 0; k < 4; ++k) sheets[k] = Conv<TObject*>::To(f.Sheet[k]);
    unsigned i = 0;
    for (auto _ : State) ci->SetProperty(ci->FindProperty("ActivePage"), sheets[++i & 3]);
    benchmark::DoNotOptimize(f.Pages->GetActivePage());
}
BENCHMARK(Reflect_SetActivePageByName);

void Direct_SelectNextPage(benchmark::State& State) {
    PagesForm f;
    for (auto _ : State) f.Pages->SelectNextPage(true);
    benchmark::DoNotOptimize(f.Pages->GetActivePage());
}
BENCHMARK(Direct_SelectNextPage);

void Reflect_SelectNextPageByRecord(benchmark::State& State) {
    EnsurePackage();
    PagesForm f;
    TzelClassInfo* ci = TzelClassRegistry::GetClassInfo(f.Pages);
    TzelMethodInfo* next = ci->FindMethod("SelectNextPage");
    next->GetArgs(0)->Value = true;
    for (auto _ : State) ci->InvokeMethod(next);
    benchmark::DoNotOptimize(f.Pages->GetActivePage());
}
BENCHMARK(Reflect_SelectNextPageByRecord);
