// The image-list class infos on live lists: the hot spot and handles in their slots,
// GetInstRes reading its by-address arguments, a change heard through the class info, and a
// change link's Sender.
#include "ClassesFixture.h"

#include "host/classes/Streams.h"
#include "host/controls/DragImageList.h"
#include "host/graphics/Bitmap.h"

#include <gtest/gtest.h>

#include <string>

using namespace classes_test;
using ImgList = ClassesTest;

namespace {
Variant Obj(TObject* O) {
    return Variant(static_cast<long long>(reinterpret_cast<std::uintptr_t>(O)));
}
} // namespace

TEST_F(ImgList, HotSpotAndHandlesComeBackByAddressInTheirSlots) {
    auto* list = new TImageList(nullptr);
    TzelMethodInfo* m = Call(list, "GetHotSpot");
    const auto* spot = static_cast<const Integer*>(m->Result.AsAddress());
    EXPECT_EQ(spot[0], 0); // x, then y
    EXPECT_EQ(spot[1], 0);
    EXPECT_EQ(Call(list, "GetHotSpot")->Result.AsAddress(), spot); // the same slot again

    Variant handle = Get(list, "Handle");
    EXPECT_EQ(*static_cast<const HIMAGELIST*>(handle.AsAddress()), list->GetHandle());
    EXPECT_EQ(*static_cast<const HBITMAP*>(Call(list, "GetImageBitmap")->Result.AsAddress()),
              0u); // no images yet
    auto* b = new TBitmap;
    b->SetSize(32, 16);
    EXPECT_EQ(Call(list, "Add", Obj(b), Obj(nullptr))->Result.AsInteger(), 0);
    EXPECT_EQ(Get(list, "Count").AsInteger(), 2);
    EXPECT_NE(*static_cast<const HBITMAP*>(Call(list, "GetImageBitmap")->Result.AsAddress()), 0u);

    // The handle written by address: another list's platform list is taken over.
    auto* other = new TImageList(nullptr);
    HIMAGELIST h = other->GetHandle();
    other->SetShareImages(true);
    Set(list, "Handle", Variant::Address(&h));
    EXPECT_EQ(list->GetHandle(), h);
    EXPECT_EQ(Get(list, "Count").AsInteger(), 0);
    EXPECT_THROW(Set(list, "Count", 3), Exception); // read-only
    other->Free();
    b->Free();
    list->Free();
}

TEST_F(ImgList, GetInstResReadsTheModuleAndTheLoadFlagsAtTheirAddresses) {
    auto* strip = new TBitmap;
    strip->SetSize(24, 8);
    strip->GetCanvas()->GetBrush()->SetColor(TColor(RGB(192, 192, 192)));
    strip->GetCanvas()->FillRect({0, 0, 24, 8});
    TMemoryStream file;
    strip->SaveToStream(&file);
    std::string dib(static_cast<const char*>(file.GetMemory()) + 14,
                    std::size_t(file.GetSize()) - 14);
    const THandle module = 0x10000000;
    RegisterResource(module, "GLYPHS", RT_BITMAP, dib);

    auto* list = new TImageList(nullptr);
    THandle instance = module;
    TLoadResources flags{lrMap3DColors};
    TzelMethodInfo* m = Call(list, "GetInstRes", Variant::Address(&instance),
                             Variant(int(rtBitmap)), Variant(AnsiString("GLYPHS")), Variant(8),
                             Variant::Address(&flags), Variant(int(clNone)));
    EXPECT_TRUE(m->Result.AsBoolean());
    EXPECT_EQ(list->GetCount(), 3);
    EXPECT_EQ(list->GetHeight(), 8);
    TBitmap* glyph = new TBitmap;
    list->GetBitmap(0, glyph);
    EXPECT_EQ(glyph->ColorAt(3, 3), ColorToRGB(clBtnFace)); // the flags at the address applied

    THandle elsewhere = 0x20000000; // a module without that resource
    EXPECT_FALSE(Call(list, "ResInstLoad", Variant::Address(&elsewhere), Variant(int(rtBitmap)),
                      Variant(AnsiString("GLYPHS")), Variant(int(clNone)))
                     ->Result.AsBoolean());
    EXPECT_EQ(list->GetCount(), 3);
    UnregisterResource(module, "GLYPHS", RT_BITMAP);
    glyph->Free();
    list->Free();
    strip->Free();
}

TEST_F(ImgList, ChangesAreHeardAndALinksSenderRegistersIt) {
    auto* list = new TImageList(nullptr);
    int heard = 0;
    Hearing listener("OnChange", [&](TObject* Sender, TzelEventInfo*) {
        EXPECT_EQ(Sender, list);
        ++heard;
    });
    Info(list)->AddListener(&listener);
    Set(list, "BkColor", int(clRed));
    Set(list, "Masked", false); // a plain store in the host, heard here
    EXPECT_EQ(heard, 2);
    Info(list)->RemoveListener(&listener);

    auto* link = new TChangeLink;
    int linked = 0;
    Hearing linkListener("OnChange", [&](TObject* Sender, TzelEventInfo* E) {
        EXPECT_EQ(Sender, link);
        EXPECT_EQ(E->GetArgs(0)->Value.AsInt64(), Obj(list).AsInt64()); // the list
        ++linked;
    });
    Info(link)->AddListener(&linkListener);
    Set(link, "Sender", Obj(list));
    list->SetDrawingStyle(dsFocus);
    EXPECT_EQ(linked, 1);
    Call(link, "Change");
    EXPECT_EQ(linked, 2);
    Info(link)->RemoveListener(&linkListener);
    list->Free(); // the list lets go of the link it knows
    EXPECT_EQ(Get(link, "Sender").AsInt64(), 0);
    link->Free();
}
