// Bitmaps: pixel formats and their rows, the canvas drawing on them, transparency, and the BMP
// format read and written byte for byte.
#include "host/graphics/Bitmap.h"
#include "host/classes/Streams.h"

#include "tests/TestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

using namespace host;
using testsupport::MessageOf;

namespace {
using BitmapPtr = std::unique_ptr<TBitmap, void (*)(TBitmap*)>;
BitmapPtr NewBitmap(Integer W = 0, Integer H = 0, TPixelFormat F = pfDevice) {
    BitmapPtr b(new TBitmap, [](TBitmap* p) { p->Free(); });
    b->SetPixelFormat(F);
    b->SetSize(W, H);
    return b;
}
std::string Bytes(TMemoryStream& S) {
    return std::string(static_cast<const char*>(S.GetMemory()), std::size_t(S.GetSize()));
}
std::string Saved(TBitmap* B) {
    TMemoryStream s;
    B->SaveToStream(&s);
    return Bytes(s);
}
BitmapPtr Loaded(const std::string& Data) {
    TMemoryStream s;
    s.WriteBuffer(Data.data(), LongInt(Data.size()));
    s.SetPosition(0);
    BitmapPtr b = NewBitmap();
    b->LoadFromStream(&s);
    return b;
}
} // namespace

TEST(Bitmap, TheCanvasDrawsOnThePixelsAndTheRowsFollow) {
    BitmapPtr b = NewBitmap(5, 3, pf24bit);
    EXPECT_FALSE(b->GetEmpty());
    EXPECT_EQ(b->ColorAt(4, 2), RGB(255, 255, 255)); // a new bitmap is white
    b->GetCanvas()->SetPixels(0, 0, clRed);
    b->GetCanvas()->SetPixels(4, 2, clBlue);
    auto* top = static_cast<Byte*>(b->GetScanLine(0));
    EXPECT_EQ(top[0], 0x00); // blue, green, red
    EXPECT_EQ(top[2], 0xFF);
    EXPECT_EQ(b->BytesPerScanLine(), 16); // 15 bytes, aligned to 4
    // Rows lie bottom-up in memory, as in the file.
    EXPECT_EQ(static_cast<Byte*>(b->GetScanLine(1)) - top, -16);
    // Writing a row shows on the canvas.
    auto* bottom = static_cast<Byte*>(b->GetScanLine(2));
    bottom[0] = 0x00, bottom[1] = 0xFF, bottom[2] = 0x00;
    EXPECT_EQ(b->GetCanvas()->GetPixels(0, 2), clLime);
    EXPECT_EQ(b->GetCanvas()->GetPixels(4, 2), clBlue);
    EXPECT_EQ(MessageOf<EInvalidGraphicOperation>([&] { b->GetScanLine(3); }),
              "Scan line index out of range");

    // Resizing keeps what fits; the canvas draws on the new size.
    b->SetSize(8, 4);
    EXPECT_EQ(b->ColorAt(0, 0), RGB(255, 0, 0));
    b->GetCanvas()->SetPixels(7, 3, clBlack);
    EXPECT_EQ(b->ColorAt(7, 3), 0u);
}

TEST(Bitmap, FormatsOfFewerBitsHoldTheirColoursOnly) {
    BitmapPtr mono = NewBitmap(9, 2, pf1bit);
    EXPECT_TRUE(mono->GetMonochrome());
    mono->GetCanvas()->SetPixels(8, 0, TColor(RGB(200, 0, 0)));     // nearer black than white
    mono->GetCanvas()->SetPixels(7, 0, TColor(RGB(200, 200, 200))); // nearer white
    EXPECT_EQ(mono->GetCanvas()->GetPixels(8, 0), clBlack);
    EXPECT_EQ(mono->GetCanvas()->GetPixels(7, 0), clWhite);
    auto* row = static_cast<Byte*>(mono->GetScanLine(0));
    EXPECT_EQ(row[0], 0xFF); // pixels 0 to 7 white (index 1), the first pixel in the top bit
    EXPECT_EQ(row[1], 0x00); // pixel 8 black (index 0), then the row's padding

    BitmapPtr b16 = NewBitmap(1, 1, pf16bit);
    b16->GetCanvas()->SetPixels(0, 0, TColor(RGB(9, 9, 9)));
    EXPECT_EQ(b16->ColorAt(0, 0), RGB(8, 8, 8)); // 5-6-5 bits, the low bits repeated
}

TEST(Bitmap, EveryFormatSurvivesTheBmpFormat) {
    for (TPixelFormat f : {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit}) {
        SCOPED_TRACE(int(f));
        BitmapPtr b = NewBitmap(13, 7, f);
        TCanvas* c = b->GetCanvas();
        c->GetBrush()->SetColor(clNavy);
        c->Ellipse(0, 0, 13, 7);
        c->SetPixels(12, 6, clRed);
        std::string first = Saved(b.get());
        EXPECT_EQ(first.substr(0, 2), "BM");
        BitmapPtr again = Loaded(first);
        EXPECT_EQ(again->GetPixelFormat(), f);
        EXPECT_EQ(again->GetWidth(), 13);
        for (Integer y = 0; y < 7; ++y)
            for (Integer x = 0; x < 13; ++x) ASSERT_EQ(again->ColorAt(x, y), b->ColorAt(x, y));
        EXPECT_EQ(Saved(again.get()), first); // byte for byte
    }
}

TEST(Bitmap, AFileFromElsewhereIsWrittenBackAsItWasUntilChanged) {
    // A top-down 2 x 2 bitmap with a file size beyond its pixels and a resolution, as other
    // programs write them, and a byte after it that belongs to the next value in a stream.
    std::string bmp = "BM";
    auto le32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) bmp += char((v >> (8 * i)) & 0xFF);
    };
    auto le16 = [&](std::uint16_t v) { bmp += char(v & 0xFF), bmp += char(v >> 8); };
    le32(14 + 40 + 16 + 2), le32(0), le32(54);
    le32(40), le32(2), le32(std::uint32_t(-2)), le16(1), le16(24), le32(0), le32(16), le32(2835),
        le32(2835), le32(0), le32(0);
    bmp += std::string("\x00\x00\xFF\xFF\xFF\xFF\x00\x00", 8); // red, white (top row)
    bmp += std::string("\x00\xFF\x00\x00\x00\x00\x00\x00", 8); // green, black
    bmp += "xx";                                               // padding the file size counts
    TMemoryStream s;
    s.WriteBuffer(bmp.data(), LongInt(bmp.size()));
    s.WriteBuffer("!", 1);
    s.SetPosition(0);
    BitmapPtr b = NewBitmap();
    b->LoadFromStream(&s);
    EXPECT_EQ(s.GetPosition(), Int64(bmp.size())); // the next value starts here
    EXPECT_EQ(b->ColorAt(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(b->ColorAt(1, 0), RGB(255, 255, 255));
    EXPECT_EQ(b->ColorAt(0, 1), RGB(0, 255, 0));
    EXPECT_EQ(Saved(b.get()), bmp);
    b->GetCanvas()->SetPixels(1, 1, clWhite);
    std::string changed = Saved(b.get());
    EXPECT_NE(changed, bmp);
    EXPECT_EQ(Loaded(changed)->ColorAt(1, 1), RGB(255, 255, 255));
}

TEST(Bitmap, BadFilesRaiseTheHostsErrorAndChangeNothing) {
    BitmapPtr good = NewBitmap(2, 2, pf8bit);
    std::string data = Saved(good.get());
    for (std::string bad :
         {std::string("BM"), std::string("XX") + data.substr(2), data.substr(0, data.size() - 1)}) {
        BitmapPtr b = NewBitmap(3, 3);
        EXPECT_EQ(MessageOf<EInvalidGraphic>([&] { Loaded(bad); }), "Bitmap image is not valid");
        EXPECT_EQ(b->GetWidth(), 3);
    }
    std::string huge = data;
    huge[18] = '\xFF', huge[19] = '\xFF', huge[20] = '\xFF', huge[21] = '\x0F'; // a width of 2^28
    EXPECT_THROW(Loaded(huge), EInvalidGraphic);
    // A row of 2^27 pixels of 32 bits: its size needs more than 32 bits to compute.
    std::string wide = Saved(NewBitmap(1, 1, pf32bit).get());
    wide[18] = '\x05', wide[19] = '\x00', wide[20] = '\x00', wide[21] = '\x08';
    EXPECT_THROW(Loaded(wide), EInvalidGraphic);
    // No width, and a height of a billion rows: nothing to read, and no time spent on it.
    std::string none = data;
    none[18] = none[19] = none[20] = none[21] = '\0';
    none[22] = '\x73', none[23] = '\0', none[24] = '\x28', none[25] = '\xC4';
    EXPECT_THROW(Loaded(none), EInvalidGraphic);
}

TEST(Bitmap, TransparentPixelsShowWhatIsBeneath) {
    BitmapPtr b = NewBitmap(3, 1, pf24bit);
    b->GetCanvas()->SetPixels(1, 0, clBlack);
    // Automatic: the bottom-left pixel's colour, marked as a transparent colour.
    EXPECT_EQ(b->GetTransparentColor(), TColor(0x02FFFFFF));
    b->SetTransparent(true);
    BitmapPtr dest = NewBitmap(4, 1, pf24bit);
    dest->GetCanvas()->GetBrush()->SetColor(clRed);
    dest->GetCanvas()->FillRect({0, 0, 4, 1});
    dest->GetCanvas()->Draw(1, 0, b.get());
    EXPECT_EQ(dest->ColorAt(1, 0), RGB(255, 0, 0));
    EXPECT_EQ(dest->ColorAt(2, 0), 0u);
    EXPECT_EQ(dest->ColorAt(3, 0), RGB(255, 0, 0));
    // Stretched, and without transparency.
    b->SetTransparent(false);
    BitmapPtr wide = NewBitmap(6, 2, pf24bit);
    wide->GetCanvas()->StretchDraw({0, 0, 6, 2}, b.get());
    EXPECT_EQ(wide->ColorAt(2, 1), 0u);
    EXPECT_EQ(wide->ColorAt(3, 1), 0u);
    EXPECT_EQ(wide->ColorAt(4, 0), RGB(255, 255, 255));
}

TEST(Bitmap, HandlesShareThePixelsUntilReleased) {
    BitmapPtr b = NewBitmap(3, 2, pf24bit);
    HBITMAP h = b->GetHandle();
    EXPECT_EQ(GetObjectType(h), OBJ_BITMAP);
    EXPECT_EQ(b->GetHandle(), h);
    b->GetCanvas()->SetPixels(2, 1, clRed);
    // Another bitmap given the handle shows the same pixels, and draws on them.
    BitmapPtr other = NewBitmap();
    HBITMAP released = b->ReleaseHandle();
    EXPECT_EQ(released, h);
    EXPECT_FALSE(b->HandleAllocated());
    other->SetHandle(released);
    EXPECT_EQ(other->GetWidth(), 3);
    EXPECT_EQ(other->ColorAt(2, 1), RGB(255, 0, 0));
    other->GetCanvas()->SetPixels(0, 0, clBlack);
    EXPECT_EQ(b->ColorAt(0, 0), RGB(255, 255, 255)); // released: no longer shared
    other.reset();
    EXPECT_EQ(GetObjectType(released), 0); // freed with the bitmap that took it over
    EXPECT_EQ(MessageOf<EInvalidGraphic>([&] { b->SetHandle(12345); }),
              "Bitmap image is not valid");

    b->GetHandle();
    b->Dormant();
    EXPECT_FALSE(b->HandleAllocated());
    EXPECT_EQ(b->ColorAt(2, 1), RGB(255, 0, 0)); // the pixels stay
}

TEST(Bitmap, MasksPalettesAndBrushPatterns) {
    BitmapPtr b = NewBitmap(2, 1, pf24bit);
    b->GetCanvas()->SetPixels(0, 0, clRed);
    b->SetTransparentColor(clRed);
    BitmapPtr mask = NewBitmap();
    mask->SetHandle(b->ReleaseMaskHandle());
    EXPECT_EQ(mask->ColorAt(0, 0), RGB(255, 255, 255)); // white where the transparent colour is
    EXPECT_EQ(mask->ColorAt(1, 0), 0u);
    b->Mask(clRed);
    EXPECT_EQ(b->GetPixelFormat(), pf1bit);
    EXPECT_EQ(b->ColorAt(0, 0), RGB(255, 255, 255));

    // A new palette recolours an indexed bitmap's pixels, index for index.
    BitmapPtr p = NewBitmap(1, 1, pf1bit);
    p->GetCanvas()->SetPixels(0, 0, clWhite); // index 1
    HPALETTE pal = GdiAddObject(
        std::make_shared<TGdiPalette>(std::vector<TColorRef>{RGB(0, 0, 255), RGB(0, 255, 0)}));
    p->SetPalette(pal);
    EXPECT_EQ(p->ColorAt(0, 0), RGB(0, 255, 0));
    EXPECT_TRUE(p->GetPaletteModified());
    EXPECT_EQ(NewBitmap(1, 1, pf24bit)->GetPalette(), 0u);

    // A brush with a bitmap paints the bitmap's pattern, tiled from the origin.
    BitmapPtr pattern = NewBitmap(2, 1, pf24bit);
    pattern->GetCanvas()->SetPixels(0, 0, clBlack);
    BitmapPtr sheet = NewBitmap(5, 1, pf24bit);
    sheet->GetCanvas()->GetBrush()->SetBitmap(pattern.get());
    sheet->GetCanvas()->FillRect({0, 0, 5, 1});
    EXPECT_EQ(sheet->ColorAt(0, 0), 0u);
    EXPECT_EQ(sheet->ColorAt(1, 0), RGB(255, 255, 255));
    EXPECT_EQ(sheet->ColorAt(4, 0), 0u);
    sheet->GetCanvas()->GetBrush()->SetBitmap(nullptr);
}

TEST(Bitmap, TheClipboardCarriesACopyOfThePixels) {
    BitmapPtr b = NewBitmap(2, 1, pf4bit);
    b->GetCanvas()->SetPixels(1, 0, clRed);
    Word format = 0;
    LongWord data = 0;
    HPALETTE palette = 0;
    b->SaveToClipboardFormat(format, data, palette);
    EXPECT_EQ(format, 2); // CF_BITMAP
    EXPECT_EQ(GetObjectType(data), OBJ_BITMAP);
    EXPECT_EQ(GetObjectType(palette), OBJ_PAL); // an indexed bitmap sends its palette too
    b->GetCanvas()->SetPixels(1, 0, clBlack);   // the copy is the clipboard's, not shared

    BitmapPtr pasted = NewBitmap();
    pasted->LoadFromClipboardFormat(format, data, palette);
    EXPECT_EQ(pasted->GetPixelFormat(), pf4bit);
    EXPECT_EQ(pasted->ColorAt(1, 0), RGB(255, 0, 0));
    EXPECT_EQ(MessageOf<EInvalidGraphic>([&] { pasted->LoadFromClipboardFormat(1, data, 0); }),
              "Unsupported clipboard format");
    DeleteObject(data);
    DeleteObject(palette);
}

TEST(Bitmap, BrushCopyPaintsTheBrushWhereTheBitmapHasTheColour) {
    BitmapPtr glyph = NewBitmap(2, 1, pf24bit);
    glyph->GetCanvas()->SetPixels(1, 0, clBlack); // (0, 0) stays white: the background
    BitmapPtr dest = NewBitmap(2, 1, pf24bit);
    dest->GetCanvas()->GetBrush()->SetColor(clRed);
    dest->GetCanvas()->BrushCopy({0, 0, 2, 1}, glyph.get(), {0, 0, 2, 1}, clWhite);
    EXPECT_EQ(dest->ColorAt(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(dest->ColorAt(1, 0), 0u);
}
