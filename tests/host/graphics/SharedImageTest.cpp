// Bitmaps and icons assigned one another share one image until either changes it: every change
// leaves the other's pixels, kept file bytes and table objects as they were, and the image's
// last holder frees its table objects.
#include "host/classes/Streams.h"
#include "host/graphics/Bitmap.h"
#include "host/graphics/Icon.h"

#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace host;
using testsupport::MessageOf;

namespace {

// The images are protected in the host classes; these reach them for the tests.
struct BitmapAccess : TBitmap {
    using TBitmap::GetImage;
};
struct IconAccess : TIcon {
    using TIcon::GetImage;
};
TBitmapImage* ImageOf(TBitmap* B) {
    return (B->*&BitmapAccess::GetImage)();
}
TIconImage* ImageOf(TIcon* I) {
    return (I->*&IconAccess::GetImage)();
}

template <class T>
using Ptr = std::unique_ptr<T, void (*)(TObject*)>;
template <class T>
Ptr<T> New() {
    return Ptr<T>(new T, [](TObject* O) { O->Free(); });
}

std::string Bytes(TMemoryStream& S) {
    return std::string(static_cast<const char*>(S.GetMemory()), std::size_t(S.GetSize()));
}
template <class G>
std::string Saved(G* Graphic) {
    TMemoryStream s;
    Graphic->SaveToStream(&s);
    return Bytes(s);
}
template <class G>
void Load(G* Graphic, const std::string& Data) {
    TMemoryStream s;
    s.WriteBuffer(Data.data(), LongInt(Data.size()));
    s.SetPosition(0);
    Graphic->LoadFromStream(&s);
}

/// Every pixel's colour, for comparing pictures.
std::vector<TColorRef> Pixels(TBitmap* B) {
    std::vector<TColorRef> p;
    for (Integer y = 0; y < B->GetHeight(); ++y)
        for (Integer x = 0; x < B->GetWidth(); ++x) p.push_back(B->ColorAt(x, y));
    return p;
}

/// A 4 x 3 bitmap of 8 bits read from a file as another program would write it (with a
/// resolution), so that its kept bytes differ from what the bitmap writes itself.
std::string ForeignFile() {
    Ptr<TBitmap> b = New<TBitmap>();
    b->SetPixelFormat(pf8bit);
    b->SetSize(4, 3);
    b->GetCanvas()->SetPixels(0, 0, clRed);
    b->GetCanvas()->SetPixels(3, 2, clBlue);
    b->GetCanvas()->SetPixels(1, 2, clBlack);
    std::string file = Saved(b.get());
    file[38] = 0x13, file[42] = 0x13; // 2835 pixels a metre, low byte
    file[39] = 0x0B, file[43] = 0x0B;
    return file;
}

/// A bitmap read from the foreign file, with its handle, mask and palette objects made.
Ptr<TBitmap> Source() {
    Ptr<TBitmap> b = New<TBitmap>();
    Load(b.get(), ForeignFile());
    b->GetHandle();
    b->GetMaskHandle();
    b->GetPalette();
    return b;
}

HBITMAP FreshBitmapHandle(TColor Color) {
    Ptr<TBitmap> b = New<TBitmap>();
    b->SetSize(2, 2);
    b->GetCanvas()->SetPixels(0, 0, Color);
    return b->ReleaseHandle();
}

} // namespace

TEST(SharedImage, AssignSharesTheImageUntilEitherDraws) {
    Ptr<TBitmap> a = Source(), b = New<TBitmap>(), c = New<TBitmap>();
    b->Assign(a.get());
    EXPECT_EQ(ImageOf(b.get()), ImageOf(a.get()));
    EXPECT_EQ(ImageOf(a.get())->GetRefCount(), 2);
    EXPECT_EQ(Pixels(b.get()), Pixels(a.get()));
    EXPECT_EQ(b->GetPixelFormat(), pf8bit);
    EXPECT_EQ(b->GetHandle(), a->GetHandle()); // the image's object, for both

    b->GetCanvas()->SetPixels(1, 1, clLime);
    EXPECT_NE(ImageOf(b.get()), ImageOf(a.get()));
    EXPECT_EQ(ImageOf(a.get())->GetRefCount(), 1);
    EXPECT_EQ(ImageOf(b.get())->GetRefCount(), 1);
    EXPECT_EQ(b->ColorAt(1, 1), RGB(0, 255, 0));
    EXPECT_EQ(a->ColorAt(1, 1), RGB(255, 255, 255));
    EXPECT_NE(b->GetHandle(), a->GetHandle());

    // The other way round: the source draws, the copy keeps what it was given.
    c->Assign(a.get());
    a->GetCanvas()->SetPixels(2, 2, clBlack);
    EXPECT_EQ(c->ColorAt(2, 2), RGB(255, 255, 255));
    EXPECT_EQ(a->ColorAt(2, 2), RGB(0, 0, 0));

    // Assigning among holders of one image, or to itself, keeps the count right.
    c->Assign(b.get());
    a->Assign(c.get());
    a->Assign(b.get());
    a->Assign(a.get());
    EXPECT_EQ(ImageOf(b.get())->GetRefCount(), 3);
}

TEST(SharedImage, ReadingASharedBitmapTakesNoCopy) {
    Ptr<TBitmap> a = Source(), b = New<TBitmap>();
    b->Assign(a.get());
    b->ColorAt(0, 0);
    b->GetTransparentColor();
    b->GetHandle();
    b->GetMaskHandle();
    b->GetPalette();
    b->BytesPerScanLine();
    Saved(b.get());
    Ptr<TBitmap> target = New<TBitmap>();
    target->SetSize(4, 3);
    target->GetCanvas()->Draw(0, 0, b.get());
    Word format;
    LongWord data;
    HPALETTE palette;
    b->SaveToClipboardFormat(format, data, palette);
    DeleteObject(data), DeleteObject(palette);
    // Settings of the bitmap itself, not of its pixels.
    b->SetTransparentColor(clRed);
    b->SetHandleType(bmDDB);
    b->SetIgnorePalette(true);
    b->SetSize(4, 3);
    b->SetPixelFormat(pf8bit);
    EXPECT_EQ(ImageOf(b.get()), ImageOf(a.get()));
    EXPECT_EQ(target->ColorAt(0, 0), RGB(255, 0, 0));
}

TEST(SharedImage, EveryChangeLeavesTheOtherBitmapAsItWas) {
    const std::string foreign = ForeignFile();
    std::string otherFile;
    {
        Ptr<TBitmap> o = New<TBitmap>();
        o->SetSize(3, 3);
        otherFile = Saved(o.get());
    }
    const std::vector<std::pair<const char*, std::function<void(TBitmap*)>>> changes = {
        {"Canvas", [](TBitmap* B) { B->GetCanvas()->SetPixels(0, 0, clBlue); }},
        {"a canvas on its context",
         [](TBitmap* B) {
             HDC dc = B->GetCanvas()->GetHandle();
             auto* c = new TCanvas;
             c->SetHandle(dc);
             c->SetPixels(1, 0, clBlue);
             c->Free();
         }},
        {"SetSize", [](TBitmap* B) { B->SetSize(5, 3); }},
        {"SetWidth", [](TBitmap* B) { B->SetWidth(2); }},
        {"PixelFormat", [](TBitmap* B) { B->SetPixelFormat(pf24bit); }},
        {"Monochrome", [](TBitmap* B) { B->SetMonochrome(true); }},
        {"ScanLine", [](TBitmap* B) { static_cast<Byte*>(B->GetScanLine(0))[0] = 7; }},
        {"SetHandle", [](TBitmap* B) { B->SetHandle(FreshBitmapHandle(clBlue)); }},
        {"SetMaskHandle", [](TBitmap* B) { B->SetMaskHandle(FreshBitmapHandle(clBlack)); }},
        {"SetPalette",
         [](TBitmap* B) {
             B->SetPalette(GdiAddObject(
                 std::make_shared<TGdiPalette>(std::vector<TColorRef>(256, RGB(9, 9, 9)))));
         }},
        {"SetPalette with the image's own", [](TBitmap* B) { B->SetPalette(B->GetPalette()); }},
        {"Mask", [](TBitmap* B) { B->Mask(clRed); }},
        {"LoadFromStream", [&](TBitmap* B) { Load(B, otherFile); }},
        {"LoadFromClipboardFormat",
         [](TBitmap* B) {
             HBITMAP h = FreshBitmapHandle(clBlue);
             B->LoadFromClipboardFormat(2, h, 0);
             DeleteObject(h);
         }},
        {"FreeImage", [](TBitmap* B) { B->FreeImage(); }},
        {"Dormant", [](TBitmap* B) { B->Dormant(); }},
        {"ReleaseHandle", [](TBitmap* B) { DeleteObject(B->ReleaseHandle()); }},
        {"ReleaseMaskHandle", [](TBitmap* B) { DeleteObject(B->ReleaseMaskHandle()); }},
        {"ReleasePalette", [](TBitmap* B) { DeleteObject(B->ReleasePalette()); }},
    };
    for (const auto& [name, change] : changes)
        for (bool changeTheSource : {false, true}) {
            SCOPED_TRACE(std::string(name) + (changeTheSource ? ", on the source" : ""));
            Ptr<TBitmap> a = Source(), b = New<TBitmap>();
            b->Assign(a.get());
            Ptr<TBitmap>& changed = changeTheSource ? a : b;
            TBitmap* kept = changeTheSource ? b.get() : a.get();
            const std::vector<TColorRef> pixels = Pixels(kept);
            const HBITMAP handle = kept->GetHandle(), mask = kept->GetMaskHandle();
            const HPALETTE palette = kept->GetPalette();
            change(changed.get());
            EXPECT_NE(ImageOf(changed.get()), ImageOf(kept));
            EXPECT_EQ(ImageOf(kept)->GetRefCount(), 1);
            EXPECT_EQ(Pixels(kept), pixels);
            EXPECT_EQ(kept->GetPixelFormat(), pf8bit);
            EXPECT_EQ(Saved(kept), foreign);
            EXPECT_EQ(kept->GetHandle(), handle);
            EXPECT_EQ(GetObjectType(handle), OBJ_BITMAP);
            EXPECT_EQ(kept->GetMaskHandle(), mask);
            EXPECT_EQ(GetObjectType(mask), OBJ_BITMAP);
            EXPECT_EQ(kept->GetPalette(), palette);
            EXPECT_EQ(GetObjectType(palette), OBJ_PAL);
            // No object of the kept image went over to the changed bitmap.
            changed.reset();
            EXPECT_EQ(GetObjectType(handle), OBJ_BITMAP);
            EXPECT_EQ(GetObjectType(mask), OBJ_BITMAP);
            EXPECT_EQ(GetObjectType(palette), OBJ_PAL);
            EXPECT_EQ(Pixels(kept), pixels);
        }
}

TEST(SharedImage, KeptFileBytesAreWrittenByBothWhileUnchanged) {
    const std::string foreign = ForeignFile();
    Ptr<TBitmap> a = Source(), b = New<TBitmap>();
    b->Assign(a.get());
    EXPECT_EQ(Saved(a.get()), foreign);
    EXPECT_EQ(Saved(b.get()), foreign);
    b->GetCanvas()->SetPixels(0, 1, clBlack);
    EXPECT_EQ(Saved(a.get()), foreign);
    std::string redrawn = Saved(b.get());
    EXPECT_NE(redrawn, foreign);
    Ptr<TBitmap> back = New<TBitmap>();
    Load(back.get(), redrawn);
    EXPECT_EQ(back->ColorAt(0, 1), RGB(0, 0, 0));
    EXPECT_EQ(back->ColorAt(0, 0), RGB(255, 0, 0));
}

TEST(SharedImage, TheLastHolderFreesTheTableObjects) {
    {
        Ptr<TBitmap> warm = Source(); // the stock objects a canvas takes, made once
        warm->GetCanvas()->SetPixels(0, 0, clBlack);
    }
    const std::size_t objects = GdiObjectCount();
    {
        auto* a = Source().release();
        Ptr<TBitmap> b = New<TBitmap>();
        b->Assign(a);
        const HBITMAP handle = a->GetHandle(), mask = a->GetMaskHandle();
        const HPALETTE palette = a->GetPalette();
        const std::vector<TColorRef> pixels = Pixels(a);
        a->Free();
        EXPECT_EQ(ImageOf(b.get())->GetRefCount(), 1);
        EXPECT_EQ(Pixels(b.get()), pixels);
        EXPECT_EQ(b->GetHandle(), handle);
        EXPECT_EQ(GetObjectType(handle), OBJ_BITMAP);
        b.reset();
        EXPECT_EQ(GetObjectType(handle), 0);
        EXPECT_EQ(GetObjectType(mask), 0);
        EXPECT_EQ(GetObjectType(palette), 0);
    }
    {
        // Copies taken by changes free theirs too.
        Ptr<TBitmap> a = Source(), b = New<TBitmap>();
        b->Assign(a.get());
        b->GetCanvas()->SetPixels(0, 0, clBlack);
        b->GetHandle(), b->GetMaskHandle(), b->GetPalette();
    }
    EXPECT_EQ(GdiObjectCount(), objects);
}

TEST(SharedImage, CanvasesDrawOnTheirOwnBitmapAfterAnAssign) {
    Ptr<TBitmap> a = Source(), b = New<TBitmap>();
    TCanvas* ca = a->GetCanvas();
    TCanvas* cb = b->GetCanvas();
    b->SetSize(2, 2);
    cb->SetPixels(0, 0, clRed); // b's canvas has a context on b's old pixels
    ca->GetHandle();            // a's canvas has a context too
    b->Assign(a.get());
    cb->SetPixels(2, 1, clBlack);
    EXPECT_EQ(b->ColorAt(2, 1), RGB(0, 0, 0));
    EXPECT_EQ(a->ColorAt(2, 1), RGB(255, 255, 255));
    EXPECT_EQ(cb->GetPixels(2, 1), clBlack);
    ca->SetPixels(3, 0, clBlack);
    EXPECT_EQ(a->ColorAt(3, 0), RGB(0, 0, 0));
    EXPECT_EQ(b->ColorAt(3, 0), RGB(255, 255, 255));

    // A context handed out before the assign no longer reaches the pixels then shared.
    Ptr<TBitmap> c = New<TBitmap>();
    c->Assign(a.get());
    HDC before = a->GetCanvas()->GetHandle();
    Ptr<TBitmap> d = New<TBitmap>();
    d->Assign(a.get());
    auto* stale = new TCanvas;
    stale->SetHandle(before);
    EXPECT_EQ(MessageOf<EInvalidOperation>([&] { stale->SetPixels(1, 1, clBlack); }),
              "Canvas does not allow drawing");
    stale->Free();
    EXPECT_EQ(d->ColorAt(1, 1), RGB(255, 255, 255));
}

// ---- icons ----

namespace {
/// An icon file of one 24-bit W x W image, all of colour `Color`, its top-left transparent.
std::string IconFile(int W, Byte Red) {
    std::string s;
    auto u8 = [&](unsigned V) { s += char(V & 0xFF); };
    auto u16 = [&](unsigned V) { u8(V), u8(V >> 8); };
    auto u32 = [&](unsigned V) { u16(V & 0xFFFF), u16(V >> 16); };
    unsigned xorStride = (W * 24 + 31) / 32 * 4, andStride = (W + 31) / 32 * 4;
    unsigned size = 40 + (xorStride + andStride) * W;
    u16(0), u16(1), u16(1);
    u8(W), u8(W), u8(0), u8(0), u16(1), u16(24), u32(size), u32(22);
    u32(40), u32(W), u32(2 * W), u16(1), u16(24), u32(0), u32((xorStride + andStride) * W);
    for (int i = 0; i < 4; ++i) u32(0);
    for (int y = W - 1; y >= 0; --y)
        for (unsigned x = 0; x < xorStride; ++x) u8(x < 3u * W && x % 3 == 2 ? Red : 0);
    for (int y = W - 1; y >= 0; --y)
        for (unsigned x = 0; x < andStride; ++x) u8(y == 0 && x == 0 ? 0x80 : 0);
    return s;
}
} // namespace

TEST(SharedImage, IconsShareTheirImageUntilEitherChanges) {
    const std::string red = IconFile(4, 0xFF), dark = IconFile(2, 0x80);
    const std::size_t objects = GdiObjectCount();
    {
        Ptr<TIcon> a = New<TIcon>(), b = New<TIcon>();
        Load(a.get(), red);
        const HICON handle = a->GetHandle();
        b->Assign(a.get());
        EXPECT_EQ(ImageOf(b.get()), ImageOf(a.get()));
        EXPECT_EQ(ImageOf(a.get())->GetRefCount(), 2);
        EXPECT_EQ(b->GetHandle(), handle);
        EXPECT_EQ(Saved(b.get()), red);
        EXPECT_EQ(b->ColorAt(1, 1), RGB(255, 0, 0));

        Load(b.get(), dark);
        EXPECT_EQ(ImageOf(a.get())->GetRefCount(), 1);
        EXPECT_EQ(b->GetWidth(), 2);
        EXPECT_EQ(b->ColorAt(1, 1), RGB(0x80, 0, 0));
        EXPECT_EQ(a->GetWidth(), 4);
        EXPECT_EQ(a->ColorAt(1, 1), RGB(255, 0, 0));
        EXPECT_TRUE(a->TransparentAt(0, 0));
        EXPECT_EQ(Saved(a.get()), red);
        EXPECT_EQ(a->GetHandle(), handle);

        // Giving the handle away or taking another leaves the other icon's handle alone.
        b->Assign(a.get());
        DeleteObject(b->ReleaseHandle());
        EXPECT_EQ(GetObjectType(handle), OBJ_ICON);
        EXPECT_EQ(a->GetHandle(), handle);
        b->Assign(a.get());
        Ptr<TIcon> other = New<TIcon>();
        Load(other.get(), dark);
        b->SetHandle(other->ReleaseHandle());
        EXPECT_EQ(b->GetWidth(), 2);
        EXPECT_EQ(a->GetWidth(), 4);
        EXPECT_EQ(GetObjectType(handle), OBJ_ICON);

        // A bad file changes nothing, the sharing included.
        b->Assign(a.get());
        EXPECT_EQ(MessageOf<EInvalidGraphic>([&] { Load(b.get(), std::string(30, '\0')); }),
                  "Icon image is not valid");
        EXPECT_EQ(ImageOf(b.get()), ImageOf(a.get()));

        // The last holder frees the image's object.
        a.reset();
        EXPECT_EQ(b->GetHandle(), handle);
        EXPECT_EQ(Saved(b.get()), red);
        b.reset();
        EXPECT_EQ(GetObjectType(handle), 0);
    }
    EXPECT_EQ(GdiObjectCount(), objects);
}
