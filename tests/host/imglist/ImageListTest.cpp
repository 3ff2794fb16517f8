// Image lists: adding, ordering, drawing in the host's styles, overlays, change links, loading
// from resources, and sharing the platform list.
#include "host/classes/Streams.h"
#include "host/controls/DragImageList.h"
#include "host/graphics/Bitmap.h"
#include "host/graphics/Icon.h"
#include "tests/host/graphics/Sheet.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using namespace host;
using sheettest::Sheet;

constexpr TColorRef Red = RGB(255, 0, 0), Green = RGB(0, 255, 0), Blue = RGB(0, 0, 255),
                    White = RGB(255, 255, 255);

struct Owned {
    std::vector<TObject*> Objects;
    ~Owned() {
        for (auto it = Objects.rbegin(); it != Objects.rend(); ++it) (*it)->Free();
    }
    template <class T>
    T* operator()(T* O) {
        Objects.push_back(O);
        return O;
    }
};

/// A strip of `Colors.size()` solid 4 x 4 images; with `Hole`, each has a pixel (1, 1) of
/// that colour.
TBitmap* Strip(Owned& Keep, std::initializer_list<TColorRef> Colors, TColorRef Hole = 0,
               bool WithHole = false) {
    auto* b = Keep(new TBitmap);
    b->SetSize(Integer(Colors.size()) * 4, 4);
    Integer i = 0;
    for (TColorRef c : Colors) {
        b->GetCanvas()->GetBrush()->SetColor(TColor(c));
        b->GetCanvas()->FillRect({i * 4, 0, i * 4 + 4, 4});
        if (WithHole) b->GetCanvas()->SetPixels(i * 4 + 1, 1, TColor(Hole));
        ++i;
    }
    return b;
}

/// The colour each image shows at (2, 2) when drawn, in list order.
std::vector<TColorRef> Order(TCustomImageList& L) {
    std::vector<TColorRef> out;
    for (Integer i = 0; i < L.GetCount(); ++i) {
        Sheet s(4, 4);
        L.Draw(s.Canvas, 0, 0, i);
        out.push_back(s.Surface->Get(2, 2));
    }
    return out;
}

TEST(ImageListTest, AddsAsManyImagesAsTheBitmapHoldsAndKeepsTheirOrderThroughEdits) {
    Owned keep;
    TImageList list(nullptr);
    list.SetWidth(4), list.SetHeight(4);
    EXPECT_EQ(list.Add(Strip(keep, {Red, Green, Blue}), nullptr), 0);
    EXPECT_EQ(list.Add(Strip(keep, {White}), nullptr), 3);
    EXPECT_EQ(list.GetCount(), 4);
    EXPECT_EQ(Order(list), (std::vector<TColorRef>{Red, Green, Blue, White}));

    list.Move(0, 2);
    EXPECT_EQ(Order(list), (std::vector<TColorRef>{Green, Blue, Red, White}));
    list.Move(3, 0);
    EXPECT_EQ(Order(list), (std::vector<TColorRef>{White, Green, Blue, Red}));
    list.Insert(1, Strip(keep, {0}), nullptr);
    EXPECT_EQ(Order(list), (std::vector<TColorRef>{White, 0, Green, Blue, Red}));
    list.Delete(0);
    list.Replace(3, Strip(keep, {Blue}), nullptr);
    EXPECT_EQ(Order(list), (std::vector<TColorRef>{0, Green, Blue, Blue}));

    EXPECT_THROW(
        {
            try {
                list.Delete(4);
            } catch (const EInvalidOperation& e) {
                EXPECT_STREQ(e.what(), "Invalid ImageList Index");
                throw;
            }
        },
        EInvalidOperation);
    EXPECT_THROW(list.Move(0, 4), EInvalidOperation);
    EXPECT_THROW(list.Insert(5, Strip(keep, {Red}), nullptr), EInvalidOperation);
    try {
        list.Replace(9, Strip(keep, {Red}), nullptr);
        ADD_FAILURE();
    } catch (const EInvalidOperation& e) {
        EXPECT_STREQ(e.what(), "Unable to Replace Image");
    }
    EXPECT_EQ(list.GetCount(), 4); // nothing lost to the failed calls
    // A bitmap narrower than an image adds none.
    auto* narrow = keep(new TBitmap);
    narrow->SetSize(3, 4);
    EXPECT_EQ(list.Add(narrow, nullptr), -1);
    list.Clear();
    EXPECT_EQ(list.GetCount(), 0);
}

TEST(ImageListTest, MaskedImagesShowWhatIsBeneathWhereTheMaskColourWas) {
    Owned keep;
    TImageList list(nullptr);
    list.SetWidth(4), list.SetHeight(4);
    TBitmap* source = Strip(keep, {Blue}, Red, true);
    list.AddMasked(source, TColor(Red));
    EXPECT_EQ(source->ColorAt(1, 1), Red); // the caller's bitmap is left as it was

    Sheet s(4, 4);
    list.Draw(s.Canvas, 0, 0, 0);
    EXPECT_EQ(s.Surface->Get(1, 1), White);
    EXPECT_EQ(s.Surface->Get(2, 1), Blue);
    // The list's own copy is black where the mask is set, the mask white there.
    auto image = GdiFind<TGdiBitmap>(list.GetImageBitmap(), OBJ_BITMAP);
    auto mask = GdiFind<TGdiBitmap>(list.GetMaskBitmap(), OBJ_BITMAP);
    ASSERT_TRUE(image && mask);
    EXPECT_EQ(image->Surface->Get(1, 1), 0u);
    EXPECT_EQ(mask->Surface->Get(1, 1), White);
    EXPECT_EQ(mask->Surface->Get(2, 1), 0u);

    // clDefault takes the colour of the top left pixel.
    TImageList byCorner(nullptr);
    byCorner.SetWidth(4), byCorner.SetHeight(4);
    byCorner.AddMasked(Strip(keep, {Blue}, Red, true), clDefault);
    Sheet t(4, 4);
    byCorner.Draw(t.Canvas, 0, 0, 0);
    EXPECT_EQ(t.Count(White), 15);

    // A separate mask bitmap: white marks transparency.
    auto* m = keep(new TBitmap);
    m->SetSize(4, 4);
    m->GetCanvas()->GetBrush()->SetColor(clBlack);
    m->GetCanvas()->FillRect({0, 0, 4, 4});
    m->GetCanvas()->SetPixels(3, 3, clWhite);
    TImageList withMask(nullptr);
    withMask.SetWidth(4), withMask.SetHeight(4);
    withMask.Add(Strip(keep, {Green}), m);
    Sheet u(4, 4);
    withMask.Draw(u.Canvas, 0, 0, 0);
    EXPECT_EQ(u.Count(Green), 15);
    EXPECT_EQ(u.Surface->Get(3, 3), White);
}

TEST(ImageListTest, DrawingStylesImageTypesAndDisabledImages) {
    Owned keep;
    TImageList list(nullptr);
    list.SetWidth(4), list.SetHeight(4);
    list.AddMasked(Strip(keep, {Blue}, Red, true), TColor(Red));

    list.SetBkColor(TColor(Green));
    Sheet normal(4, 4);
    list.Draw(normal.Canvas, 0, 0, 0);
    EXPECT_EQ(normal.Surface->Get(1, 1), Green); // the list's background where transparent
    list.SetDrawingStyle(dsTransparent);
    Sheet transparent(4, 4);
    list.Draw(transparent.Canvas, 0, 0, 0);
    EXPECT_EQ(transparent.Surface->Get(1, 1), White);

    list.SetBkColor(clNone);
    list.SetDrawingStyle(dsSelected);
    list.SetBlendColor(TColor(Red));
    Sheet selected(4, 4);
    list.Draw(selected.Canvas, 0, 0, 0);
    EXPECT_EQ(selected.Surface->Get(2, 2), RGB(127, 0, 127)); // half blue, half red
    list.SetDrawingStyle(dsFocus);
    Sheet focus(4, 4);
    list.Draw(focus.Canvas, 0, 0, 0);
    EXPECT_EQ(focus.Surface->Get(2, 2), RGB(63, 0, 191));
    list.SetBlendColor(clNone); // blended with what is beneath
    Sheet onWhite(4, 4);
    list.Draw(onWhite.Canvas, 0, 0, 0);
    EXPECT_EQ(onWhite.Surface->Get(2, 2), RGB(63, 63, 255));

    list.SetDrawingStyle(dsNormal);
    list.SetImageType(itMask);
    Sheet mask(4, 4);
    mask.Canvas->GetBrush()->SetColor(TColor(Green));
    mask.Canvas->FillRect({0, 0, 4, 4});
    list.Draw(mask.Canvas, 0, 0, 0);
    EXPECT_EQ(mask.Surface->Get(1, 1), White);
    EXPECT_EQ(mask.Surface->Get(2, 2), 0u);

    list.SetImageType(itImage);
    Sheet disabled(6, 6);
    list.Draw(disabled.Canvas, 1, 1, 0, false);
    TColorRef shadow = ColorToRGB(clBtnShadow), light = ColorToRGB(clBtnHighlight);
    EXPECT_EQ(disabled.Surface->Get(1, 1), shadow);
    EXPECT_EQ(disabled.Surface->Get(5, 5), light); // the highlight, one pixel below right
    EXPECT_EQ(disabled.Surface->Get(2, 2), light); // the hole shows the highlight beneath
    EXPECT_EQ(disabled.Count(Blue), 0);

    // A bad index or a list without images draws nothing.
    Sheet none(4, 4);
    list.Draw(none.Canvas, 0, 0, 7);
    TImageList empty(nullptr);
    empty.Draw(none.Canvas, 0, 0, 0);
    EXPECT_EQ(none.Count(White), 16);
}

TEST(ImageListTest, OverlaysDrawOverTheImage) {
    Owned keep;
    TImageList list(nullptr);
    list.SetWidth(4), list.SetHeight(4);
    list.Add(Strip(keep, {Blue}), nullptr);
    list.AddMasked(Strip(keep, {Red}, Green, true), TColor(Red)); // only (1, 1) shows
    EXPECT_TRUE(list.Overlay(1, 0));
    EXPECT_FALSE(list.Overlay(5, 0));
    Sheet s(4, 4);
    list.DrawOverlay(s.Canvas, 0, 0, 0, 0);
    EXPECT_EQ(s.Surface->Get(1, 1), Green);
    EXPECT_EQ(s.Count(Blue), 15);
    Sheet plain(4, 4);
    list.DrawOverlay(plain.Canvas, 0, 0, 0, 1); // overlay 1 is not set
    EXPECT_EQ(plain.Count(Blue), 16);
}

TEST(ImageListTest, ChangeLinksHearOfChangesUntilEitherSideGoes) {
    Owned keep;
    std::vector<TObject*> heard;
    struct Listener {
        std::vector<TObject*>* Heard;
        void Changed(TObject* Sender) { Heard->push_back(Sender); }
    } listener{&heard};
    auto* list = new TImageList(nullptr);
    list->SetWidth(4), list->SetHeight(4);
    auto* link = new TChangeLink;
    link->SetOnChange(TNotifyEvent::Bind<&Listener::Changed>(&listener));
    list->RegisterChanges(link);
    EXPECT_EQ(link->GetSender(), list);
    list->Add(Strip(keep, {Red}), nullptr);
    list->SetBkColor(TColor(Green));
    EXPECT_EQ(heard, (std::vector<TObject*>{list, list}));

    auto* second = new TChangeLink;
    list->RegisterChanges(second);
    second->Free(); // leaves the list
    list->Delete(0);
    EXPECT_EQ(heard.size(), 3u);

    list->Free();
    EXPECT_EQ(link->GetSender(), nullptr);
    link->Free(); // no list left to leave
}

TEST(ImageListTest, IconsGoInScaledWithTheirMaskAndComeOut) {
    auto colours = std::make_shared<TGdiIcon>();
    colours->Colors.Resize(8, 8, Red);
    colours->Mask.assign(64, false);
    for (int i = 0; i < 16; ++i) colours->Mask[std::size_t(i / 4 * 8 + i % 4)] = true;
    TIcon icon;
    icon.SetHandle(GdiAddObject(colours));

    TImageList list(nullptr);
    list.SetWidth(4), list.SetHeight(4);
    EXPECT_EQ(list.AddIcon(&icon), 0);
    Sheet s(4, 4);
    list.Draw(s.Canvas, 0, 0, 0);
    EXPECT_EQ(s.Surface->Get(1, 1), White); // the transparent quarter, scaled down
    EXPECT_EQ(s.Surface->Get(2, 2), Red);
    EXPECT_EQ(s.Count(Red), 12);

    TIcon out;
    list.GetIcon(0, &out);
    EXPECT_EQ(out.GetWidth(), 4);
    EXPECT_TRUE(out.TransparentAt(0, 1));
    EXPECT_FALSE(out.TransparentAt(2, 0));
    EXPECT_EQ(out.ColorAt(3, 3), Red);

    TBitmap bitmap;
    list.GetBitmap(0, &bitmap);
    EXPECT_EQ(bitmap.GetWidth(), 4);
    EXPECT_EQ(bitmap.ColorAt(2, 2), Red);

    list.ReplaceIcon(-1, &icon); // -1 appends
    EXPECT_EQ(list.GetCount(), 2);
    EXPECT_THROW(list.ReplaceIcon(5, &icon), EInvalidOperation);
}

TEST(ImageListTest, ResourcesAndFilesReplaceTheImagesAndSetTheSize) {
    Owned keep;
    TBitmap* strip = Strip(keep, {RGB(128, 128, 128), Green, RGB(192, 192, 192)});
    TMemoryStream file;
    strip->SaveToStream(&file);
    std::string dib(static_cast<const char*>(file.GetMemory()) + 14,
                    std::size_t(file.GetSize()) - 14);
    RegisterResource(HInstance, "STRIP", RT_BITMAP, dib);

    TImageList list(nullptr);
    list.Add(Strip(keep, {Red}), nullptr); // 16 x 16 images before: one added? no, too narrow
    EXPECT_EQ(list.GetCount(), 0);
    Integer changes = 0;
    struct Counter {
        Integer* N;
        void Changed(TObject*) { ++*N; }
    } counter{&changes};
    list.SetOnChange(TNotifyEvent::Bind<&Counter::Changed>(&counter));

    EXPECT_TRUE(list.GetResource(rtBitmap, "STRIP", 4, {lrMap3DColors}, clNone));
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(list.GetWidth(), 4);
    EXPECT_EQ(list.GetHeight(), 4);
    EXPECT_EQ(list.GetCount(), 3);
    EXPECT_FALSE(list.GetMasked()); // no mask colour, no mask
    EXPECT_EQ(Order(list), (std::vector<TColorRef>{ColorToRGB(clBtnShadow), Green,
                                                   ColorToRGB(clBtnFace)}));

    EXPECT_TRUE(list.ResInstLoad(HInstance, rtBitmap, "STRIP", TColor(Green)));
    EXPECT_TRUE(list.GetMasked());
    Sheet s(4, 4);
    list.Draw(s.Canvas, 0, 0, 1);
    EXPECT_EQ(s.Count(White), 16); // the green image is all mask

    EXPECT_TRUE(list.GetInstRes(HInstance, rtBitmap, "STRIP", 6, {lrMonoChrome}, clNone));
    EXPECT_EQ(list.GetCount(), 2); // 12 pixels hold two images of 6
    EXPECT_EQ(Order(list)[0], White); // mid grey is light enough for white

    changes = 0;
    EXPECT_FALSE(list.GetInstRes(HInstance, rtBitmap, "NONE", 4, {}, clNone));
    EXPECT_FALSE(list.GetInstRes(0x1234, rtBitmap, "STRIP", 4, {}, clNone));
    EXPECT_FALSE(list.FileLoad(rtBitmap, "/nonexistent/strip.bmp", clNone));
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(list.GetCount(), 2); // a failed load keeps the images
    UnregisterResource(HInstance, "STRIP", RT_BITMAP);
}

TEST(ImageListTest, AssignCopiesAndSharedListsOutliveTheirSharer) {
    Owned keep;
    TImageList a(nullptr);
    a.SetWidth(4), a.SetHeight(4);
    a.AddMasked(Strip(keep, {Red, Blue}, Green, true), TColor(Green));
    a.SetBkColor(TColor(Green));
    TImageList b(nullptr);
    b.Assign(&a);
    EXPECT_EQ(b.GetWidth(), 4);
    EXPECT_EQ(b.GetBkColor(), TColor(Green));
    EXPECT_EQ(Order(b), Order(a));
    a.Delete(0);
    EXPECT_EQ(b.GetCount(), 2); // a copy, not the same images

    HIMAGELIST h = a.GetHandle();
    {
        TImageList sharer(nullptr);
        sharer.SetShareImages(true);
        sharer.SetHandle(h);
        EXPECT_EQ(sharer.GetCount(), 1);
        EXPECT_EQ(sharer.GetWidth(), 4);
    }
    EXPECT_EQ(ImageList_GetImageCount(h), 1); // still there after the sharer went

    a.SetWidth(8); // a new size removes the images
    EXPECT_EQ(a.GetCount(), 0);
    EXPECT_THROW(a.SetHeight(0), EInvalidOperation);
    EXPECT_EQ(a.GetHotSpot().X, 0);

    a.SetMasked(false); // images stay, a mask or not
    b.SetMasked(false);
    EXPECT_EQ(b.GetCount(), 2);
    EXPECT_EQ(b.GetMaskBitmap(), 0u);
}

} // namespace
