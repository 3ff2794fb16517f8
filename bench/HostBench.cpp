// Costs of the host runtime's building blocks, each beside the plain C++ it stands in for.
#include "host/system/Object.h"
#include "host/system/SysUtils.h"
#include "host/system/Variant.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

using namespace host;

// ---- integers and Booleans through a Variant (every event parameter takes this path) ----

static void BM_PlainIntRoundTrip(benchmark::State& state) {
    int i = 0;
    for (auto _ : state) {
        int v = i++;
        benchmark::DoNotOptimize(v);
        int back = v;
        benchmark::DoNotOptimize(back);
    }
}
BENCHMARK(BM_PlainIntRoundTrip);

static void BM_VariantIntegerRoundTrip(benchmark::State& state) {
    int i = 0;
    for (auto _ : state) {
        Variant v(i++);
        benchmark::DoNotOptimize(v);
        Integer back = v.AsInteger();
        benchmark::DoNotOptimize(back);
    }
}
BENCHMARK(BM_VariantIntegerRoundTrip);

static void BM_VariantBooleanRoundTrip(benchmark::State& state) {
    bool b = false;
    for (auto _ : state) {
        Variant v(b = !b);
        benchmark::DoNotOptimize(v);
        bool back = v.AsBoolean();
        benchmark::DoNotOptimize(back);
    }
}
BENCHMARK(BM_VariantBooleanRoundTrip);

static void BM_VariantInt64ToInteger(benchmark::State& state) {
    // The slow path: a 64-bit integer checked into 32 bits.
    Variant v(Int64(12345));
    for (auto _ : state) {
        benchmark::DoNotOptimize(v);
        Integer back = v.AsInteger();
        benchmark::DoNotOptimize(back);
    }
}
BENCHMARK(BM_VariantInt64ToInteger);

// ---- strings ----

static void BM_StdStringCopy(benchmark::State& state) {
    const std::string s(static_cast<std::size_t>(state.range(0)), 'x');
    for (auto _ : state) {
        std::string copy = s;
        benchmark::DoNotOptimize(copy);
    }
}
BENCHMARK(BM_StdStringCopy)->Arg(8)->Arg(64)->Arg(1024);

static void BM_VariantStringCopy(benchmark::State& state) {
    const Variant s(AnsiString(static_cast<std::size_t>(state.range(0)), 'x'));
    for (auto _ : state) {
        Variant copy = s;
        benchmark::DoNotOptimize(copy);
    }
}
BENCHMARK(BM_VariantStringCopy)->Arg(8)->Arg(64)->Arg(1024);

static void BM_StrToIntDirect(benchmark::State& state) {
    const AnsiString s = "123456";
    for (auto _ : state) {
        Integer v = StrToInt(s);
        benchmark::DoNotOptimize(v);
    }
}
BENCHMARK(BM_StrToIntDirect);

static void BM_VariantStringToInteger(benchmark::State& state) {
    const Variant s("123456");
    for (auto _ : state) {
        Integer v = s.AsInteger();
        benchmark::DoNotOptimize(v);
    }
}
BENCHMARK(BM_VariantStringToInteger);

static void BM_SnprintfInteger(benchmark::State& state) {
    int i = 0;
    for (auto _ : state) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "Item %d", i++);
        std::string s(buf);
        benchmark::DoNotOptimize(s);
    }
}
BENCHMARK(BM_SnprintfInteger);

static void BM_FormatInteger(benchmark::State& state) {
    int i = 0;
    for (auto _ : state) {
        AnsiString s = Format("Item %d", {i++});
        benchmark::DoNotOptimize(s);
    }
}
BENCHMARK(BM_FormatInteger);

// ---- object creation: the live-object registry's cost ----

namespace {
struct PlainSameSize {
    virtual ~PlainSameSize() = default;
    unsigned char Bytes[sizeof(TObject) - sizeof(void*)];
};
static_assert(sizeof(PlainSameSize) == sizeof(TObject));
} // namespace

static void BM_PlainNewDelete(benchmark::State& state) {
    for (auto _ : state) {
        auto* p = new PlainSameSize;
        benchmark::DoNotOptimize(p);
        delete p;
    }
}
BENCHMARK(BM_PlainNewDelete);

static void BM_TObjectNewFree(benchmark::State& state) {
    for (auto _ : state) {
        auto* o = new TObject;
        benchmark::DoNotOptimize(o);
        o->Free();
    }
}
BENCHMARK(BM_TObjectNewFree);

static void BM_LiveObjectsFind(benchmark::State& state) {
    TObject o;
    for (auto _ : state) {
        TObject* found = LiveObjects::Find(&o);
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_LiveObjectsFind);

static void BM_LiveObjectsIsAlive(benchmark::State& state) {
    TObject o;
    const std::uint64_t id = o.ObjectId();
    for (auto _ : state) {
        bool alive = LiveObjects::IsAlive(&o, id);
        benchmark::DoNotOptimize(alive);
    }
}
BENCHMARK(BM_LiveObjectsIsAlive);

// Several threads creating and freeing objects at once: the registry must not serialise them.
BENCHMARK(BM_PlainNewDelete)->Threads(2);
BENCHMARK(BM_TObjectNewFree)->Threads(2);
