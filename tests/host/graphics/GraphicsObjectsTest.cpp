// Fonts, pens and brushes: their attributes, change notification, and the table objects made
// from them (made on demand, freed when an attribute changes, taken over from a handle).
#include "host/graphics/GraphicsObjects.h"
#include "host/classes/TypInfo.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

using namespace host;

namespace {
struct ChangeCounter {
    int Count = 0;
    void OnChange(TObject*) { ++Count; }
};

template <class T>
std::unique_ptr<T, void (*)(T*)> Make(ChangeCounter& C) {
    auto p = std::unique_ptr<T, void (*)(T*)>(new T, [](T* o) { o->Free(); });
    p->SetOnChange(TNotifyEvent::Bind<&ChangeCounter::OnChange>(&C));
    return p;
}
} // namespace

TEST(Font, DefaultsAndSizeInPointsAtThePixelsPerInch) {
    ChangeCounter changes;
    auto font = Make<TFont>(changes);
    EXPECT_EQ(font->GetName(), "MS Sans Serif");
    EXPECT_EQ(font->GetHeight(), -11);
    EXPECT_EQ(font->GetSize(), 8);
    EXPECT_EQ(font->GetColor(), clWindowText);
    EXPECT_EQ(font->GetCharset(), DEFAULT_CHARSET);
    EXPECT_EQ(font->GetPixelsPerInch(), 96);

    font->SetSize(10);
    EXPECT_EQ(font->GetHeight(), -13); // 10 * 96 / 72 = 13.3
    EXPECT_EQ(font->GetSize(), 10);
    font->SetPixelsPerInch(120); // the height stays, the size is measured anew
    EXPECT_EQ(font->GetHeight(), -13);
    EXPECT_EQ(font->GetSize(), 8); // 13 * 72 / 120 = 7.8
    font->SetHeight(20);           // a cell height: a negative size
    EXPECT_EQ(font->GetSize(), -12);
    EXPECT_EQ(changes.Count, 2); // SetSize and SetHeight; the resolution is no change

    // A font of another resolution keeps its size in points when assigned.
    auto other = Make<TFont>(changes);
    other->SetSize(12);
    font->SetHeight(-11);
    font->Assign(other.get());
    EXPECT_EQ(font->GetSize(), 12);
    EXPECT_EQ(font->GetHeight(), -20); // 12 * 120 / 72
}

TEST(Font, ChangesNotifyOnceAndOnlyWhenSomethingChanges) {
    ChangeCounter changes;
    auto font = Make<TFont>(changes);
    font->SetStyle(TFontStyles{fsBold, fsItalic});
    font->SetStyle(TFontStyles{fsBold, fsItalic});
    font->SetName("Arial");
    font->SetName("Arial");
    font->SetName(""); // an empty name keeps the font
    font->SetColor(clRed);
    font->SetCharset(ANSI_CHARSET);
    font->SetPitch(fpFixed);
    EXPECT_EQ(changes.Count, 5);
    EXPECT_EQ(font->GetName(), "Arial");
    font->SetName(AnsiString(40, 'x')); // a face name holds 31 characters
    EXPECT_EQ(font->GetName().size(), 31u);
}

TEST(Font, HandleIsMadeOnDemandAndFollowsTheAttributes) {
    ChangeCounter changes;
    auto font = Make<TFont>(changes);
    font->SetStyle(TFontStyles{fsBold, fsUnderline});
    EXPECT_FALSE(font->HandleAllocated());
    HFONT h = font->GetHandle();
    EXPECT_EQ(GetObjectType(h), OBJ_FONT);
    EXPECT_EQ(font->GetHandle(), h);
    TLogFont l;
    ASSERT_EQ(GetObject(h, sizeof l, &l), Integer(sizeof l));
    EXPECT_EQ(l.lfHeight, -11);
    EXPECT_EQ(l.lfWeight, FW_BOLD);
    EXPECT_TRUE(l.lfUnderline);
    EXPECT_FALSE(l.lfItalic);
    EXPECT_STREQ(l.lfFaceName, "MS Sans Serif");

    font->SetColor(clRed); // not part of the object
    EXPECT_EQ(font->GetHandle(), h);
    font->SetHeight(-16);
    EXPECT_EQ(GetObjectType(h), 0); // the old object is gone
    EXPECT_NE(font->GetHandle(), h);

    // A handle given to the font becomes its own, with its attributes.
    TLogFont made;
    made.lfHeight = -24;
    made.lfItalic = 1;
    made.lfWeight = FW_BOLD;
    made.lfCharSet = GREEK_CHARSET;
    made.lfPitchAndFamily = FIXED_PITCH;
    std::strcpy(made.lfFaceName, "Courier New");
    HFONT given = CreateFontIndirect(made);
    int before = changes.Count;
    font->SetHandle(given);
    EXPECT_EQ(changes.Count, before + 1);
    EXPECT_EQ(font->GetHandle(), given);
    EXPECT_EQ(font->GetName(), "Courier New");
    EXPECT_EQ(font->GetHeight(), -24);
    EXPECT_EQ(font->GetStyle(), (TFontStyles{fsBold, fsItalic}));
    EXPECT_EQ(font->GetCharset(), GREEK_CHARSET);
    EXPECT_EQ(font->GetPitch(), fpFixed);
    EXPECT_EQ(font->GetColor(), clRed);
    font.reset();
    EXPECT_EQ(GetObjectType(given), 0); // freed with the font that took it over
}

TEST(Pen, AttributesHandleAndStockObjects) {
    ChangeCounter changes;
    auto pen = Make<TPen>(changes);
    EXPECT_EQ(pen->GetColor(), clBlack);
    EXPECT_EQ(pen->GetMode(), pmCopy);
    pen->SetWidth(-2); // ignored
    EXPECT_EQ(pen->GetWidth(), 1);
    EXPECT_EQ(changes.Count, 0);
    pen->SetColor(clBtnShadow);
    pen->SetWidth(3);
    HPEN h = pen->GetHandle();
    TLogPen l;
    ASSERT_EQ(GetObject(h, sizeof l, &l), Integer(sizeof l));
    EXPECT_EQ(l.lopnWidth.X, 3);
    EXPECT_EQ(l.lopnColor, RGB(128, 128, 128)); // the system colour, resolved
    pen->SetMode(pmXor);                        // the canvas applies the mode: the object stays
    EXPECT_EQ(pen->GetHandle(), h);
    pen->SetStyle(psClear);
    ASSERT_EQ(GetObject(pen->GetHandle(), sizeof l, &l), Integer(sizeof l));
    EXPECT_EQ(l.lopnStyle, PS_NULL);
    EXPECT_EQ(changes.Count, 4);

    // A stock pen taken over is never deleted.
    HPEN stock = GetStockObject(NULL_PEN);
    std::size_t objects = GdiObjectCount();
    pen->SetHandle(stock);
    EXPECT_EQ(pen->GetStyle(), psClear);
    pen.reset();
    EXPECT_EQ(GetObjectType(stock), OBJ_PEN);
    EXPECT_EQ(GdiObjectCount(), objects - 1); // the pen's own object went, not the stock one
}

TEST(Brush, StylesHatchesAndAClearBrushTurningSolid) {
    ChangeCounter changes;
    auto brush = Make<TBrush>(changes);
    EXPECT_EQ(brush->GetColor(), clWhite);
    brush->SetStyle(bsDiagCross);
    TLogBrush l;
    ASSERT_EQ(GetObject(brush->GetHandle(), sizeof l, &l), Integer(sizeof l));
    EXPECT_EQ(l.lbStyle, BS_HATCHED);
    EXPECT_EQ(l.lbHatch, std::uintptr_t(HS_DIAGCROSS));
    brush->SetStyle(bsClear);
    brush->SetColor(clWhite); // the same colour, but a clear brush becomes solid
    EXPECT_EQ(brush->GetStyle(), bsSolid);
    EXPECT_EQ(changes.Count, 3);

    HBRUSH hatched = CreateHatchBrush(HS_CROSS, RGB(0, 0, 255));
    brush->SetHandle(hatched);
    EXPECT_EQ(brush->GetStyle(), bsCross);
    EXPECT_EQ(brush->GetColor(), clBlue); // RGB(0, 0, 255)
}

TEST(GraphicsObjects, PublishedPropertiesStreamAsTheHostsDo) {
    // Size is published but not stored: Height carries it.
    const TPropInfo* size = GetPropInfo(TFont::StaticClass(), "Size");
    ASSERT_TRUE(size);
    auto font = std::unique_ptr<TFont, void (*)(TFont*)>(new TFont, [](TFont* f) { f->Free(); });
    EXPECT_FALSE(IsStoredProp(font.get(), size));
    const TPropInfo* color = GetPropInfo(TFont::StaticClass(), "Color");
    ASSERT_TRUE(color);
    EXPECT_EQ(PropType(color), tkInteger);
    EXPECT_EQ(GetEnumName(GetPropInfo(TPen::StaticClass(), "Mode")->PropType, pmNotXor),
              "pmNotXor");
    EXPECT_EQ(GetSetProp(font.get(), GetPropInfo(font.get(), "Style"), true), "[]");
}
