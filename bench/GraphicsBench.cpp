// The canvas through its class info beside the direct calls: a pixel written, a text drawn;
// a bitmap assigned (its image shared) beside the copy its first change then takes.
#include "core/Zelcommon.h"
#include "host/graphics/Bitmap.h"
#include "package/zeltrix_cb4.h"

#include <benchmark/benchmark.h>

using namespace host;
using namespace zeltrix;

namespace {
TBitmap* Sheet() {
    auto* b = new TBitmap;
    b->SetPixelFormat(pf32bit);
    b->SetSize(256, 64);
    return b;
}
} // namespace

void Direct_CanvasPixelsWrite(benchmark::State& State) {
    TBitmap* b = Sheet();
    TCanvas* c = b->GetCanvas();
    Integer i = 0;
    for (auto _ : State) {
        c->SetPixels(i & 255, (i >> 8) & 63, TColor(i & 0xFFFFFF));
        ++i;
    }
    b->Free();
}
BENCHMARK(Direct_CanvasPixelsWrite);

void Reflect_CanvasPixelsWriteByRecord(benchmark::State& State) {
    LoadPackage();
    TBitmap* b = Sheet();
    TCanvas* c = b->GetCanvas();
    TzelClassInfo* ci = TzelClassRegistry::GetClassInfo(c);
    TzelPropertyInfo* pixels = ci->FindProperty("Pixels");
    Integer i = 0;
    for (auto _ : State) {
        pixels->GetIndexes(0)->Value = i & 255;
        pixels->GetIndexes(1)->Value = (i >> 8) & 63;
        ci->SetProperty(pixels, i & 0xFFFFFF);
        ++i;
    }
    b->Free();
}
BENCHMARK(Reflect_CanvasPixelsWriteByRecord);

void Direct_TextOut(benchmark::State& State) {
    TBitmap* b = Sheet();
    TCanvas* c = b->GetCanvas();
    for (auto _ : State) c->TextOut(2, 2, "Hello, World");
    b->Free();
}
BENCHMARK(Direct_TextOut);

void Reflect_TextOutByRecord(benchmark::State& State) {
    LoadPackage();
    TBitmap* b = Sheet();
    TCanvas* c = b->GetCanvas();
    TzelClassInfo* ci = TzelClassRegistry::GetClassInfo(c);
    TzelMethodInfo* text = ci->FindMethod("TextOut");
    text->GetArgs(0)->Value = 2;
    text->GetArgs(1)->Value = 2;
    text->GetArgs(2)->Value = Variant(AnsiString("Hello, World"));
    for (auto _ : State) ci->InvokeMethod(text);
    b->Free();
}
BENCHMARK(Reflect_TextOutByRecord);

namespace {
TBitmap* Picture256() {
    auto* b = new TBitmap;
    b->SetPixelFormat(pf32bit);
    b->SetSize(256, 256);
    b->GetCanvas()->Ellipse(10, 10, 240, 200);
    return b;
}
} // namespace

void Direct_BitmapAssign256(benchmark::State& State) {
    TBitmap* source = Picture256();
    TBitmap* empty = new TBitmap;
    TBitmap* copy = new TBitmap;
    for (auto _ : State) {
        copy->Assign(source);
        copy->Assign(empty); // lets go again, so that every iteration takes the image anew
    }
    copy->Free();
    empty->Free();
    source->Free();
}
BENCHMARK(Direct_BitmapAssign256);

void Direct_BitmapAssignAndChange256(benchmark::State& State) {
    TBitmap* source = Picture256();
    TBitmap* copy = new TBitmap;
    for (auto _ : State) {
        copy->Assign(source);
        copy->GetCanvas()->SetPixels(0, 0, clRed); // the full copy of the pixels
    }
    copy->Free();
    source->Free();
}
BENCHMARK(Direct_BitmapAssignAndChange256);
