// Reflection through class infos, each beside the direct C++ call it replaces.
#include "core/Zelcommon.h"
#include "host/classes/Component.h"
#include "host/classes/Lists.h"
#include "host/classes/StringList.h"
#include "package/zeltrix_cb4.h"

#include "BenchPackage.h"

#include <benchmark/benchmark.h>

using namespace zeltrix;
using namespace host;

namespace {
using bench::EnsurePackage;

// ---- creating a class info ----

void Direct_CreateComponent(benchmark::State& State) {
    for (auto _ : State) {
        auto* c = new TComponent(nullptr);
        benchmark::DoNotOptimize(c);
        c->Free();
    }
}
BENCHMARK(Direct_CreateComponent);

void Reflect_CreateComponentWithClassInfo(benchmark::State& State) {
    EnsurePackage();
    for (auto _ : State) {
        auto* c = new TComponent(nullptr);
        benchmark::DoNotOptimize(TzelClassRegistry::GetClassInfo(c));
        c->Free();
    }
}
BENCHMARK(Reflect_CreateComponentWithClassInfo);

void Direct_CreateStringList(benchmark::State& State) {
    for (auto _ : State) {
        auto* s = new TStringList;
        benchmark::DoNotOptimize(s);
        s->Free();
    }
}
BENCHMARK(Direct_CreateStringList);

void Reflect_CreateStringListWithClassInfo(benchmark::State& State) {
    EnsurePackage();
    for (auto _ : State) {
        auto* s = new TStringList;
        benchmark::DoNotOptimize(TzelClassRegistry::GetClassInfo(s));
        s->Free();
    }
}
BENCHMARK(Reflect_CreateStringListWithClassInfo);

// ---- an integer property ----

void Direct_SetTag(benchmark::State& State) {
    TComponent c(nullptr);
    int i = 0;
    for (auto _ : State) {
        c.SetTag(++i);
        benchmark::DoNotOptimize(c.GetTag());
    }
}
BENCHMARK(Direct_SetTag);

void Reflect_SetTagByRecord(benchmark::State& State) {
    EnsurePackage();
    TComponent c(nullptr);
    TzelClassInfo* ci = TzelClassRegistry::GetClassInfo(&c);
    TzelPropertyInfo* tag = ci->FindProperty("Tag");
    int i = 0;
    for (auto _ : State) ci->SetProperty(tag, ++i);
    benchmark::DoNotOptimize(c.GetTag());
}
BENCHMARK(Reflect_SetTagByRecord);

void Reflect_GetTagByRecord(benchmark::State& State) {
    EnsurePackage();
    TComponent c(nullptr);
    TzelClassInfo* ci = TzelClassRegistry::GetClassInfo(&c);
    TzelPropertyInfo* tag = ci->FindProperty("Tag");
    for (auto _ : State) benchmark::DoNotOptimize(ci->GetProperty(tag));
}
BENCHMARK(Reflect_GetTagByRecord);

void Reflect_SetTagByName(benchmark::State& State) {
    EnsurePackage();
    TComponent c(nullptr);
    TzelClassInfo* ci = TzelClassRegistry::GetClassInfo(&c);
    const AnsiString name = "Tag";
    int i = 0;
    for (auto _ : State) ci->SetProperty(ci->FindProperty(name), ++i);
    benchmark::DoNotOptimize(c.GetTag());
}
BENCHMARK(Reflect_SetTagByName);

void Reflect_GetTagByName(benchmark::State& State) {
    EnsurePackage();
    TComponent c(nullptr);
    TzelClassInfo* ci = TzelClassRegistry::GetClassInfo(&c);
    const AnsiString name = "Tag";
    for (auto _ : State) benchmark::DoNotOptimize(ci->GetProperty(ci->FindProperty(name)));
}
BENCHMARK(Reflect_GetTagByName);

// ---- an indexed string property ----

void Direct_Strings(benchmark::State& State) {
    TStringList s;
    s.Add("one");
    s.Add("two");
    for (auto _ : State) {
        s.SetStrings(1, "three");
        benchmark::DoNotOptimize(s.GetStrings(1));
    }
}
BENCHMARK(Direct_Strings);

void Reflect_StringsByRecord(benchmark::State& State) {
    EnsurePackage();
    TStringList s;
    s.Add("one");
    s.Add("two");
    TzelClassInfo* ci = TzelClassRegistry::GetClassInfo(&s);
    TzelPropertyInfo* strings = ci->FindProperty("Strings");
    strings->GetIndexes(0)->Value = 1;
    const Variant three("three");
    for (auto _ : State) {
        ci->SetProperty(strings, three);
        benchmark::DoNotOptimize(ci->GetProperty(strings));
    }
}
BENCHMARK(Reflect_StringsByRecord);

void Reflect_StringsByName(benchmark::State& State) {
    EnsurePackage();
    TStringList s;
    s.Add("one");
    s.Add("two");
    TzelClassInfo* ci = TzelClassRegistry::GetClassInfo(&s);
    const AnsiString name = "Strings";
    const Variant three("three");
    for (auto _ : State) {
        TzelPropertyInfo* strings = ci->FindProperty(name);
        strings->GetIndexes(0)->Value = 1;
        ci->SetProperty(strings, three);
        benchmark::DoNotOptimize(ci->GetProperty(strings));
    }
}
BENCHMARK(Reflect_StringsByName);

// ---- a one-argument method ----

void Direct_ListAdd(benchmark::State& State) {
    TList l;
    int x = 0;
    for (auto _ : State) {
        if (l.GetCount() >= 4096) l.Clear();
        benchmark::DoNotOptimize(l.Add(&x));
    }
}
BENCHMARK(Direct_ListAdd);

void Reflect_ListAddByRecord(benchmark::State& State) {
    EnsurePackage();
    TList l;
    int x = 0;
    TzelClassInfo* ci = TzelClassRegistry::GetClassInfo(&l);
    TzelMethodInfo* add = ci->FindMethod("Add");
    add->GetArgs(0)->Value = Variant::Address(&x);
    for (auto _ : State) {
        if (l.GetCount() >= 4096) l.Clear();
        ci->InvokeMethod(add);
    }
    benchmark::DoNotOptimize(add->Result);
}
BENCHMARK(Reflect_ListAddByRecord);

void Direct_StringListAdd(benchmark::State& State) {
    TStringList s;
    const AnsiString item = "item";
    for (auto _ : State) {
        if (s.GetCount() >= 4096) s.Clear();
        benchmark::DoNotOptimize(s.Add(item));
    }
}
BENCHMARK(Direct_StringListAdd);

void Reflect_StringListAddByRecord(benchmark::State& State) {
    EnsurePackage();
    TStringList s;
    TzelClassInfo* ci = TzelClassRegistry::GetClassInfo(&s);
    TzelMethodInfo* add = ci->FindMethod("Add");
    add->GetArgs(0)->Value = "item";
    for (auto _ : State) {
        if (s.GetCount() >= 4096) s.Clear();
        ci->InvokeMethod(add);
    }
    benchmark::DoNotOptimize(add->Result);
}
BENCHMARK(Reflect_StringListAddByRecord);

// ---- an event reaching listeners ----

struct Sink : TzelListener {
    int Count = 0;
    Sink() {
        EventName = "OnChange";
        Handler = TNotifyZELEvent::Bind<&Sink::Heard>(this);
    }
    void Heard(TObject*, TzelEventInfo*) { ++Count; }
    void Direct(TObject*) { ++Count; }
};

void Direct_NotifyHandlers(benchmark::State& State) {
    const int n = static_cast<int>(State.range(0));
    std::vector<Sink> sinks(static_cast<std::size_t>(n));
    std::vector<TNotifyEvent> handlers;
    for (Sink& s : sinks) handlers.push_back(TNotifyEvent::Bind<&Sink::Direct>(&s));
    TStringList sender;
    for (auto _ : State)
        for (const TNotifyEvent& h : handlers) h(&sender);
    benchmark::DoNotOptimize(sinks[0].Count);
}
BENCHMARK(Direct_NotifyHandlers)->Arg(1)->Arg(10);

void Reflect_EventToListeners(benchmark::State& State) {
    EnsurePackage();
    const int n = static_cast<int>(State.range(0));
    TStringList s;
    TzelClassInfo* ci = TzelClassRegistry::GetClassInfo(&s);
    std::vector<Sink> sinks(static_cast<std::size_t>(n));
    for (Sink& k : sinks) ci->AddListener(&k);
    const TNotifyEvent forwarder = s.GetOnChange(); // what the list calls on every change
    for (auto _ : State) forwarder(&s);
    for (Sink& k : sinks) ci->RemoveListener(&k);
    benchmark::DoNotOptimize(sinks[0].Count);
}
BENCHMARK(Reflect_EventToListeners)->Arg(1)->Arg(10);
} // namespace
