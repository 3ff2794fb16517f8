// libFuzzer target: the picture formats. Any input must load as a bitmap, an icon or a metafile,
// or raise a host exception; what loads draws, and saves to bytes that load again to the same
// pixels.
#include "host/classes/Streams.h"
#include "host/graphics/Bitmap.h"
#include "host/graphics/Icon.h"
#include "host/graphics/Metafile.h"
#include "host/system/Exceptions.h"

#include <cstdint>
#include <cstdlib>

using namespace host;

namespace {
TMemoryStream* StreamOf(const void* Data, std::size_t Size) {
    auto* s = new TMemoryStream;
    s->WriteBuffer(Data, static_cast<Integer>(Size));
    s->SetPosition(0);
    return s;
}

template <class G>
void Check(const std::uint8_t* Data, std::size_t Size) {
    auto* g = new G;
    TMemoryStream* in = StreamOf(Data, Size);
    try {
        g->LoadFromStream(in);
    } catch (const Exception&) {
        in->Free();
        g->Free();
        return;
    }
    if (in->GetPosition() > in->GetSize()) std::abort();
    in->Free();
    // It draws, and what it saves loads again to the same pixels.
    auto* target = new TBitmap;
    target->SetSize(8, 8);
    target->GetCanvas()->StretchDraw({0, 0, 8, 8}, g);
    TMemoryStream out;
    g->SaveToStream(&out);
    out.SetPosition(0);
    auto* again = new G;
    again->LoadFromStream(&out); // raises: a fault of the writer
    if (again->GetWidth() != g->GetWidth() || again->GetHeight() != g->GetHeight()) std::abort();
    for (Integer y = 0; y < std::min<Integer>(g->GetHeight(), 16); ++y)
        for (Integer x = 0; x < std::min<Integer>(g->GetWidth(), 16); ++x)
            if (again->ColorAt(x, y) != g->ColorAt(x, y)) std::abort();
    again->Free();
    target->Free();
    g->Free();
}

/// The metafile played onto a small bitmap, stretched to it.
TBitmap* PlayedOnto(TMetafile* M) {
    auto* b = new TBitmap;
    b->SetSize(8, 8);
    b->GetCanvas()->StretchDraw({0, 0, 8, 8}, M);
    return b;
}

/// A metafile has no pixels of its own: what it saves plays as it played.
void CheckMetafile(const std::uint8_t* Data, std::size_t Size) {
    auto* m = new TMetafile;
    TMemoryStream* in = StreamOf(Data, Size);
    try {
        m->LoadFromStream(in);
    } catch (const Exception&) {
        in->Free();
        m->Free();
        return;
    }
    if (in->GetPosition() > in->GetSize()) std::abort();
    in->Free();
    TBitmap* played = PlayedOnto(m);
    const bool read = m->GetEnhanced();
    for (bool enhanced : {read, !read}) {
        m->SetEnhanced(enhanced);
        TMemoryStream out;
        m->SaveToStream(&out);
        out.SetPosition(0);
        auto* again = new TMetafile;
        again->LoadFromStream(&out); // raises: a fault of the writer
        // In the format it was read in, the file is written back as it came: the same picture.
        // In the other, what that format cannot hold (its 16-bit units) may be lost.
        if (enhanced == read) {
            if (again->GetWidth() != m->GetWidth() || again->GetHeight() != m->GetHeight())
                std::abort();
            TBitmap* replayed = PlayedOnto(again);
            for (Integer y = 0; y < 8; ++y)
                for (Integer x = 0; x < 8; ++x)
                    if (replayed->ColorAt(x, y) != played->ColorAt(x, y)) std::abort();
            replayed->Free();
        }
        again->Free();
    }
    played->Free();
    m->Free();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    if (Size > (1 << 20)) return 0;
    std::size_t before = LiveObjects::Count();
    Check<TBitmap>(Data, Size);
    Check<TIcon>(Data, Size);
    CheckMetafile(Data, Size);
    if (LiveObjects::Count() != before) std::abort();
    return 0;
}
