// Placing a shown form, its state, printing it, and an MDI frame with its children.
#include "host/forms/Application.h"
#include "host/graphics/Bitmap.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

using namespace host;

TEST(FormMore, PositionAndWindowStatePlaceAFormAsItIsShown) {
    TForm centred(nullptr);
    centred.SetBounds(5, 5, 200, 100);
    centred.SetPosition(poScreenCenter);
    centred.Show();
    EXPECT_EQ(centred.GetLeft(), (1024 - 200) / 2);
    EXPECT_EQ(centred.GetTop(), (768 - 100) / 2);
    TForm big(nullptr);
    big.SetWindowState(wsMaximized);
    big.Show();
    EXPECT_EQ(big.GetBoundsRect(), (TRect{-4, -4, 1028, 772})); // the frame off the screen
    EXPECT_EQ(big.GetClientWidth(), 1024);
}

TEST(FormMore, TheFormStateSaysWhatTheFormIsDoing) {
    TForm form(nullptr);
    EXPECT_FALSE(form.GetFormState().Contains(fsVisible));
    struct Look {
        static void At(TCustomForm* F, void* State) {
            *static_cast<TFormState*>(State) = F->GetFormState();
        }
    };
    TFormState during;
    TCustomForm::SetModalHook(&Look::At, &during);
    form.ShowModal();
    TCustomForm::SetModalHook(nullptr, nullptr);
    EXPECT_TRUE(during.Contains(fsModal));
    EXPECT_TRUE(during.Contains(fsVisible));
    EXPECT_FALSE(form.GetFormState().Contains(fsModal));
}

TEST(FormMore, PrintingPutsTheFormsPictureOnAPage) {
    ClearPrintedPages();
    TForm form(nullptr);
    form.SetBounds(0, 0, 408, 100);
    form.Print();
    form.SetPrintScale(poPrintToFit);
    form.Print();
    ASSERT_EQ(PrintedPages().size(), 2u);
    TBitmap* page = PrintedPages()[0];
    EXPECT_EQ(page->GetWidth(), 816);
    EXPECT_EQ(page->ColorAt(200, 50), ColorToRGB(clBtnFace)); // the form at its own size
    EXPECT_EQ(page->ColorAt(600, 50), RGB(255, 255, 255));
    EXPECT_EQ(PrintedPages()[1]->ColorAt(600, 150), ColorToRGB(clBtnFace)); // twice as large
    ClearPrintedPages();
    EXPECT_TRUE(PrintedPages().empty());
}

TEST(FormMore, AnMDIFrameArrangesAndShowsItsChildren) {
    TForm frame(nullptr);
    frame.SetFormStyle(fsMDIForm);
    frame.SetClientWidth(300);
    frame.SetClientHeight(200);
    EXPECT_NE(frame.GetClientHandle(), 0u);
    std::vector<std::unique_ptr<TForm>> children;
    for (int i = 0; i < 3; ++i) {
        children.push_back(std::make_unique<TForm>(nullptr));
        children.back()->SetFormStyle(fsMDIChild);
        children.back()->SetBounds(0, 0, 100, 80);
        children.back()->Show();
    }
    EXPECT_EQ(frame.GetMDIChildCount(), 3);
    EXPECT_EQ(frame.GetActiveMDIChild(), children[2].get());
    frame.Cascade();
    EXPECT_EQ(children[1]->GetLeft(), 23);
    EXPECT_EQ(children[2]->GetTop(), 46);
    frame.SetTileMode(tbVertical);
    frame.Tile();
    EXPECT_EQ(children[1]->GetBoundsRect(), (TRect{100, 0, 200, 200}));
    frame.Next();
    EXPECT_EQ(frame.GetActiveMDIChild(), children[0].get());
    frame.Previous();
    EXPECT_EQ(frame.GetActiveMDIChild(), children[2].get());
    TForm plain(nullptr);
    EXPECT_EQ(plain.GetClientHandle(), 0u);
    EXPECT_EQ(plain.GetMDIChildCount(), 0);

    // The frame's picture shows the children in its client area.
    children[0]->SetColor(clRed);
    TBitmap* image = frame.GetFormImage();
    EXPECT_EQ(image->ColorAt(4 + 50, 23 + 150), RGB(255, 0, 0)); // inside the first child
    image->Free();
}

} // namespace
