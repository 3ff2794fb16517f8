// Pictures, pixel for pixel against those kept in the tests: a small form (its frame, caption
// bar with the border icons, menu bar, a scroll box with its bar and a beveled panel) and a
// data module's design surface.
#include "host/classes/FormLoading.h"
#include "host/classes/Streams.h"
#include "host/forms/ComponentIcons.h"
#include "host/forms/Form.h"
#include "host/graphics/Bitmap.h"
#include "host/graphics/PngFile.h"
#include "host/menus/Menu.h"
#include "tests/host/ReferencePictures.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

namespace {

using namespace host;
using picturetest::ExpectLooksAs;
using picturetest::Own;
using picturetest::Picture;

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
    ExpectLooksAs(image.get(), "small_form.png");
}

TEST(FormPicture, ADataModuleShowsItsComponentsIconsWhereTheDesignerPutThem) {
    // An older IDE's data module: its size as Height and Width, components of classes this
    // program lacks (stand-ins at their streamed place), a field and an action inside others.
    TFileStream file(std::string(ZELTRIX_TEST_DATA) + "/forms/project/data.dfm", fmOpenRead);
    std::vector<TFormLoadNote> notes;
    std::unique_ptr<TComponent, void (*)(TComponent*)> root(LoadForm(&file, notes),
                                                            [](TComponent* C) { C->Free(); });
    auto* module = dynamic_cast<TDataModule*>(root.get());
    ASSERT_TRUE(module);
    EXPECT_EQ(module->GetDesignSize().X, 300);
    EXPECT_EQ(module->GetDesignSize().Y, 200);
    EXPECT_EQ(DesignPosition(module->FindComponent("Orders")).X, 96);
    EXPECT_EQ(DesignPosition(module->FindComponent("Images")).X, 168); // a known class
    EXPECT_FALSE(ShowsAsIcon(module->FindComponent("OrdersID")));      // inside its query
    EXPECT_FALSE(ShowsAsIcon(module->FindComponent("Save")));          // inside its action list
    EXPECT_TRUE(ShowsAsIcon(module->FindComponent("Actions")));
    Picture image = Own(GetDesignImage(module, 300, 200));
    ExpectLooksAs(image.get(), "data_module.png");
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
