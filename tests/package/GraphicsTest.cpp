// The graphics objects' class infos on live fonts, pens and brushes: by-address members and
// their slots, handles that find their objects again, the owner's lock, change events.
#include "ClassesFixture.h"

#include "host/graphics/Bitmap.h"
#include "host/graphics/GraphicsObjects.h"

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
