// A small form's picture, pixel for pixel against the one kept in the tests: its frame, caption
// bar with the border icons, menu bar, a scroll box with its bar and a beveled panel. Run with
// ZELTRIX_UPDATE_PICTURES=1 to write the reference again (on purpose only, and look at it).
#include "host/forms/Form.h"
#include "host/graphics/Bitmap.h"
#include "host/graphics/PngFile.h"
#include "host/menus/Menu.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

using namespace host;
using Picture = std::unique_ptr<TBitmap, void (*)(TBitmap*)>;

Picture Own(TBitmap* B) {
    return Picture(B, [](TBitmap* P) { P->Free(); });
}

TEST(FormPicture, ASmallFormLooksAsItsReference) {
    TForm form(nullptr);
    form.SetCaption("Options");
    form.SetClientWidth(232);
    form.SetClientHeight(112);
    auto* menu = new TMainMenu(&form);
    for (const char* caption : {"&File", "&Edit", "&Help"}) {
        auto* item = new TMenuItem(menu);
        item->SetCaption(caption);
        menu->GetItems()->Add(item);
    }
    form.SetMenu(menu);
    auto* box = new TScrollBox(&form);
    box->SetParent(&form);
    box->SetBounds(8, 8, 120, 96);
    auto* tall = new TWinControl(box);
    tall->SetParent(box);
    tall->SetBounds(0, 0, 60, 200); // taller than the box: a vertical bar
    auto* panel = new TWinControl(&form);
    panel->SetParent(&form);
    panel->SetBounds(136, 8, 88, 96);
    panel->SetBevelKind(bkTile);
    panel->SetBevelInner(bvRaised);
    panel->SetBevelOuter(bvLowered);
    Picture image = Own(form.GetFormImage());

    const std::filesystem::path reference =
        std::filesystem::path(ZELTRIX_TEST_DATA) / "pictures" / "small_form.png";
    if (std::getenv("ZELTRIX_UPDATE_PICTURES")) SaveBitmapToPng(image.get(), reference.string());
    Picture expected = Own(LoadBitmapFromPng(reference.string()));
    ASSERT_EQ(image->GetWidth(), expected->GetWidth());
    ASSERT_EQ(image->GetHeight(), expected->GetHeight());
    int differ = 0;
    for (Integer y = 0; y < image->GetHeight(); ++y)
        for (Integer x = 0; x < image->GetWidth(); ++x)
            differ += image->ColorAt(x, y) != expected->ColorAt(x, y);
    if (differ) {
        const auto actual = std::filesystem::temp_directory_path() / "small_form.actual.png";
        SaveBitmapToPng(image.get(), actual.string());
        ADD_FAILURE() << differ << " pixels differ from " << reference << "; this form is in "
                      << actual;
    }
}

TEST(FormPicture, APngIsReadBackAsWrittenAndAnythingElseIsRefused) {
    auto b = Own(new TBitmap);
    b->SetPixelFormat(pf24bit);
    b->SetSize(3, 2);
    b->GetCanvas()->SetPixels(0, 0, clRed);
    b->GetCanvas()->SetPixels(2, 1, TColor(0x123456));
    const auto path = std::filesystem::temp_directory_path() / "zeltrix_png_test.png";
    SaveBitmapToPng(b.get(), path.string());
    auto back = Own(LoadBitmapFromPng(path.string()));
    EXPECT_EQ(back->ColorAt(0, 0), ColorToRGB(clRed));
    EXPECT_EQ(back->ColorAt(2, 1), TColorRef(0x123456));
    EXPECT_EQ(back->ColorAt(1, 0), b->ColorAt(1, 0));
    // Not a PNG: a clear error, and no bitmap left behind.
    FILE* f = std::fopen(path.string().c_str(), "wb");
    std::fputs("BM not a png at all", f);
    std::fclose(f);
    EXPECT_THROW(LoadBitmapFromPng(path.string()), EReadError);
    EXPECT_THROW(LoadBitmapFromPng("/nonexistent/x.png"), EFOpenError);
    std::filesystem::remove(path);
}

} // namespace
