// The graphics objects' class infos on live fonts, pens and brushes: by-address members and
// their slots, handles that find their objects again, the owner's lock, change events.
#include "ClassesFixture.h"

#include "core/ValueConv.h"
#include "host/classes/Streams.h"
#include "host/graphics/Bitmap.h"
#include "host/graphics/GraphicsObjects.h"
#include "host/graphics/Metafile.h"
#include "host/graphics/Picture.h"

#include <filesystem>

#include <gtest/gtest.h>

#include <cstring>

using namespace classes_test;
using Graphics = ClassesTest;

TEST_F(Graphics, AFontsStyleIsReadIntoOneSlot) {
    auto* font = new TFont;
    font->SetStyle(TFontStyles{fsBold});
    Variant first = Get(font, "Style");
    font->SetStyle(TFontStyles{fsItalic, fsUnderline});
    Variant second = Get(font, "Style");
    // The same address both times; what it holds is the style at the second read.
    EXPECT_EQ(first.AsAddress(), second.AsAddress());
    EXPECT_EQ(*static_cast<const TFontStyles*>(first.AsAddress()),
              (TFontStyles{fsItalic, fsUnderline}));
    TFontStyles bold{fsBold};
    Set(font, "Style", Variant::Address(&bold));
    EXPECT_EQ(font->GetStyle(), bold);

    // Plain values: size by the resolution, colour and charset as integers.
    Set(font, "Size", 12);
    EXPECT_EQ(font->GetHeight(), -16);
    EXPECT_EQ(Get(font, "Color").AsInteger(), static_cast<Integer>(clWindowText));
    Set(font, "Charset", 204);
    EXPECT_EQ(font->GetCharset(), RUSSIAN_CHARSET);
    font->Free();
}

TEST_F(Graphics, AHandleReadAndWrittenBackFindsItsObject) {
    auto* pen = new TPen;
    pen->SetWidth(4);
    Variant handle = Get(pen, "Handle");
    HPEN h = *static_cast<const HPEN*>(handle.AsAddress());
    EXPECT_EQ(GetObjectType(h), OBJ_PEN);
    auto* other = new TPen;
    HPEN given = pen->GetHandle();
    HPEN made = CreatePen(PS_DOT, 2, RGB(1, 2, 3));
    Set(other, "Handle", Variant::Address(&made)); // taken over with its attributes
    EXPECT_EQ(other->GetStyle(), psDot);
    EXPECT_EQ(other->GetWidth(), 2);
    EXPECT_EQ(given, h);
    other->Free();
    EXPECT_EQ(GetObjectType(made), 0);
    pen->Free();

    auto* brush = new TBrush;
    auto* pattern = new TBitmap;
    Set(brush, "Bitmap", AddressOf(pattern));
    EXPECT_EQ(brush->GetBitmap(), pattern);
    EXPECT_EQ(Get(brush, "Bitmap").AsInt64(), AddressOf(pattern).AsInt64());
    brush->Free();
    pattern->Free();
}

TEST_F(Graphics, TheOwnersLockIsTakenOnlyWhereItIsKnownToBeOne) {
    auto* font = new TFont;
    TRTLCriticalSection lock;
    font->SetOwnerCriticalSection(&lock);
    Variant read = Get(font, "OwnerCriticalSection");
    EXPECT_EQ(read.AsInt64(), static_cast<long long>(reinterpret_cast<std::intptr_t>(&lock)));
    Set(font, "OwnerCriticalSection", read); // its own value back: kept
    EXPECT_EQ(font->GetOwnerCriticalSection(), &lock);
    EXPECT_EQ(MessageOf<EInvalidCast>([&] { Set(font, "OwnerCriticalSection", 4096); }),
              "4096 is not an address of this process");
    EXPECT_EQ(font->GetOwnerCriticalSection(), &lock);
    Set(font, "OwnerCriticalSection", 0);
    EXPECT_EQ(font->GetOwnerCriticalSection(), nullptr);
    font->Free();
}

TEST_F(Graphics, ChangesAreHeardAsOnChange) {
    auto* brush = new TBrush;
    int heard = 0;
    Hearing listener("OnChange", [&](TObject* Sender, TzelEventInfo*) {
        EXPECT_EQ(Sender, brush);
        ++heard;
    });
    Info(brush)->AddListener(&listener);
    Set(brush, "Color", static_cast<Integer>(clRed));
    Set(brush, "Style", static_cast<int>(bsCross));
    EXPECT_EQ(heard, 2);
    Info(brush)->RemoveListener(&listener);
    brush->Free();
}

namespace {
/// A bitmap's canvas, reached through the registry like any object.
struct Drawing {
    TBitmap* Bitmap = new TBitmap;
    Drawing(Integer W, Integer H) {
        Bitmap->SetPixelFormat(pf24bit);
        Bitmap->SetSize(W, H);
    }
    ~Drawing() { Bitmap->Free(); }
    TCanvas* Canvas() { return Bitmap->GetCanvas(); }
};
} // namespace

TEST_F(Graphics, CanvasPixelsTakeXThenY) {
    Drawing d(8, 8);
    TzelClassInfo* ci = Info(d.Canvas());
    TzelPropertyInfo* pixels = ci->FindProperty("Pixels");
    pixels->GetIndexes(0)->Value = 3;
    pixels->GetIndexes(1)->Value = 5;
    ci->SetProperty(pixels, static_cast<Integer>(clRed));
    EXPECT_EQ(d.Bitmap->ColorAt(3, 5), RGB(255, 0, 0));
    EXPECT_EQ(d.Bitmap->ColorAt(5, 3), RGB(255, 255, 255));
    EXPECT_EQ(ci->GetProperty(pixels).AsInteger(), 0x0000FF);
}

TEST_F(Graphics, CanvasTextExtentIsOneSlotAndRectanglesTravelByAddress) {
    Drawing d(40, 20);
    TzelMethodInfo* first = Call(d.Canvas(), "TextExtent", "Hi");
    const void* at = first->Result.AsAddress();
    TSize hi = *static_cast<const TSize*>(at);
    EXPECT_EQ(hi.cx, d.Canvas()->TextWidth("Hi"));
    EXPECT_EQ(hi.cy, 13);
    TzelMethodInfo* second = Call(d.Canvas(), "TextExtent", "Hello, world");
    EXPECT_EQ(second->Result.AsAddress(), at); // the same slot, overwritten
    EXPECT_GT(static_cast<const TSize*>(at)->cx, hi.cx);

    TRect r{2, 2, 6, 5};
    d.Canvas()->GetBrush()->SetColor(clBlack);
    Call(d.Canvas(), "FillRect", Variant::Address(&r));
    EXPECT_EQ(d.Bitmap->ColorAt(2, 2), 0u);
    EXPECT_EQ(d.Bitmap->ColorAt(5, 4), 0u);
    EXPECT_EQ(d.Bitmap->ColorAt(6, 5), RGB(255, 255, 255)); // right and bottom excluded
    Call(d.Canvas(), "MoveTo", 0, 10);
    Call(d.Canvas(), "LineTo", 10, 10);
    TPoint pos = *static_cast<const TPoint*>(Get(d.Canvas(), "PenPos").AsAddress());
    EXPECT_EQ(pos, (TPoint{10, 10}));
    EXPECT_TRUE(Call(d.Canvas(), "TryLock")->Result.AsBoolean());
    Call(d.Canvas(), "Unlock");
}

TEST_F(Graphics, BitmapRowsHandlesAndResourcesThroughTheClassInfo) {
    Drawing d(4, 2);
    d.Canvas()->SetPixels(0, 1, clRed);
    TzelClassInfo* ci = Info(d.Bitmap);
    TzelPropertyInfo* scan = ci->FindProperty("ScanLine");
    scan->GetIndexes(0)->Value = 1;
    const auto* row = static_cast<const Byte*>(ci->GetProperty(scan).AsAddress());
    EXPECT_EQ(row[2], 0xFF); // blue, green, red of (0, 1)
    EXPECT_EQ(Get(d.Bitmap, "PixelFormat").AsInteger(), static_cast<Integer>(pf24bit));

    // ReleaseHandle's result lies in its slot: the caller now owns that object.
    TzelMethodInfo* release = Call(d.Bitmap, "ReleaseHandle");
    HBITMAP h = *static_cast<const HBITMAP*>(release->Result.AsAddress());
    EXPECT_EQ(GetObjectType(h), OBJ_BITMAP);
    EXPECT_FALSE(d.Bitmap->HandleAllocated());
    DeleteObject(h);

    // A bitmap resource: the module handle travels by address.
    auto* source = new TBitmap;
    source->SetPixelFormat(pf8bit);
    source->SetSize(3, 3);
    source->GetCanvas()->SetPixels(2, 2, clBlue);
    TMemoryStream file;
    source->SaveToStream(&file);
    source->Free();
    std::string dib(static_cast<const char*>(file.GetMemory()) + 14,
                    std::size_t(file.GetSize() - 14));
    RegisterResource(HInstance, "GLYPH", RT_BITMAP, dib);
    THandle instance = HInstance;
    Call(d.Bitmap, "LoadFromResourceName", Variant::Address(&instance), "GLYPH");
    EXPECT_EQ(d.Bitmap->GetWidth(), 3);
    EXPECT_EQ(d.Bitmap->ColorAt(2, 2), RGB(0, 0, 255));
    EXPECT_EQ(MessageOf<EResNotFound>([&] {
                  Call(d.Bitmap, "LoadFromResourceName", Variant::Address(&instance), "NONE");
              }),
              "Resource NONE not found");
    UnregisterResource(HInstance, "GLYPH", RT_BITMAP);

    // SaveToClipboardFormat writes through the addresses its arguments hold.
    LongWord data = 0;
    HPALETTE palette = 0;
    TzelMethodInfo* save = Call(d.Bitmap, "SaveToClipboardFormat", 0, Variant::Address(&data),
                                Variant::Address(&palette));
    EXPECT_EQ(save->GetArgs(0)->Value.AsInteger(), 2); // CF_BITMAP
    EXPECT_EQ(GetObjectType(data), OBJ_BITMAP);
    EXPECT_EQ(GetObjectType(palette), OBJ_PAL); // an 8-bit bitmap has a palette
    DeleteObject(data);
    DeleteObject(palette);
}

namespace {
struct BitmapAccess : TBitmap {
    using TBitmap::GetImage;
};
} // namespace

TEST_F(Graphics, ASharedImagesRefCountThroughItsClassInfo) {
    auto* a = new TBitmap;
    auto* b = new TBitmap;
    a->SetSize(2, 2);
    b->Assign(a);
    TBitmapImage* image = (a->*&BitmapAccess::GetImage)();
    EXPECT_EQ(Info(image)->FindProperty("RefCount")->Visibility, pvProtected);
    EXPECT_EQ(Get(image, "RefCount").AsInteger(), 2);
    b->Free();
    EXPECT_EQ(Get(image, "RefCount").AsInteger(), 1);
    a->Free();
}

TEST_F(Graphics, AMetafilesHandleAndReleasedHandleTravelByAddress) {
    auto* m = new TMetafile;
    auto* canvas = new TMetafileCanvas(m, 0);
    canvas->Rectangle(0, 0, 8, 8);
    canvas->Free();
    Variant handle = Get(m, "Handle");
    HENHMETAFILE h = *static_cast<const HENHMETAFILE*>(handle.AsAddress());
    EXPECT_EQ(GetObjectType(h), OBJ_ENHMETAFILE);

    // ReleaseHandle's result lies in its slot; a second call overwrites the same slot.
    TzelMethodInfo* release = Call(m, "ReleaseHandle");
    const void* slot = release->Result.AsAddress();
    EXPECT_EQ(*static_cast<const HENHMETAFILE*>(slot), h);
    HENHMETAFILE mine = h;
    release = Call(m, "ReleaseHandle");
    EXPECT_EQ(release->Result.AsAddress(), slot);
    HENHMETAFILE second = *static_cast<const HENHMETAFILE*>(slot);
    EXPECT_NE(second, mine);
    DeleteEnhMetaFile(second);

    // Written from an address, the object is taken over with its picture.
    auto* other = new TMetafile;
    Set(other, "Handle", Variant::Address(&mine));
    EXPECT_EQ(other->GetHandle(), mine);
    EXPECT_EQ(other->GetWidth(), m->GetWidth());
    EXPECT_EQ(Get(other, "Enhanced").AsBoolean(), true);
    Set(other, "Inch", 1440);
    EXPECT_EQ(other->GetInch(), 1440);
    Call(other, "Clear");
    EXPECT_TRUE(other->GetEmpty());
    EXPECT_EQ(GetObjectType(mine), 0); // freed with the picture it held
    other->Free();
    m->Free();
}

namespace {
/// A graphic class of the test's own, registered and unregistered through the class info.
class TZelTestGraphic : public TMetafile {
    HOST_CLASS(TZelTestGraphic, TMetafile)
public:
    TZelTestGraphic() = default;
};
} // namespace
HOST_METACLASS(TZelTestGraphic, TMetafile);

TEST_F(Graphics, PictureRegistrationsActOnTheClass) {
    auto* picture = new TPicture;
    Variant cls = zeltrix::Conv<TClass>::To(TZelTestGraphic::StaticClass());
    constexpr Word format = 0xC0DE;
    Call(picture, "RegisterFileFormat", "zpic", "Test pictures", cls);
    Call(picture, "RegisterFileFormatRes", "zres", 4711, cls);
    Call(picture, "RegisterClipboardFormat", Integer(format), cls);
    EXPECT_EQ(TPicture::FindGraphicClass("TZelTestGraphic"), TZelTestGraphic::StaticClass());
    EXPECT_TRUE(Call(picture, "SupportsClipboardFormat", Integer(format))->Result.AsBoolean());
    // Another picture sees them: they are the class's.
    auto dir = std::filesystem::temp_directory_path() / "zeltrix-picture-ci";
    std::filesystem::create_directories(dir);
    auto* m = new TMetafile;
    auto* canvas = new TMetafileCanvas(m, 0);
    canvas->Ellipse(0, 0, 9, 9);
    canvas->Free();
    m->SaveToFile((dir / "a.zres").string());
    m->Free();
    auto* other = new TPicture;
    Call(other, "LoadFromFile", (dir / "a.zres").string());
    EXPECT_TRUE(DynCast<TZelTestGraphic>(other->GetGraphic()));

    Call(picture, "UnregisterGraphicClass", cls);
    EXPECT_EQ(TPicture::FindGraphicClass("TZelTestGraphic"), nullptr);
    EXPECT_FALSE(Call(picture, "SupportsClipboardFormat", Integer(format))->Result.AsBoolean());
    EXPECT_TRUE(
        Call(picture, "SupportsClipboardFormat", Integer(CF_ENHMETAFILE))->Result.AsBoolean());
    other->Free();
    picture->Free();
    std::filesystem::remove_all(dir);
}

TEST_F(Graphics, APicturesClipboardArgumentsAreWrittenBack) {
    auto* picture = new TPicture;
    auto* canvas = new TMetafileCanvas(picture->GetMetafile(), 0);
    canvas->Rectangle(0, 0, 5, 5);
    canvas->Free();
    LongWord data = 0;
    HPALETTE palette = 99;
    TzelMethodInfo* save = Call(picture, "SaveToClipboardFormat", 0, Variant::Address(&data),
                                Variant::Address(&palette));
    EXPECT_EQ(save->GetArgs(0)->Value.AsInteger(), Integer(CF_ENHMETAFILE));
    EXPECT_EQ(save->GetArgs(1)->Value.AsAddress(), &data); // the same addresses, written through
    EXPECT_EQ(GetObjectType(data), OBJ_ENHMETAFILE);
    EXPECT_EQ(palette, 0u);
    auto* other = new TPicture;
    Call(other, "LoadFromClipboardFormat", Integer(CF_ENHMETAFILE), Variant::Address(&data),
         Variant::Address(&palette));
    EXPECT_EQ(Get(other, "Width").AsInteger(), picture->GetWidth());
    EXPECT_TRUE(DynCast<TMetafile>(other->GetGraphic()));
    DeleteEnhMetaFile(data);
    other->Free();
    picture->Free();
}
