// Bitmap and speed buttons: the kinds' captions, results and stored values, glyphs in form
// files, groups of speed buttons through the mouse, and how both look.
#include "host/buttons/BitBtn.h"
#include "host/buttons/SpeedButton.h"
#include "host/classes/Streams.h"
#include "host/controls/Input.h"
#include "host/forms/Form.h"
#include "host/graphics/Canvas.h"
#include "host/graphics/Colors.h"
#include "tests/host/FormFiles.h"
#include "tests/host/ReferencePictures.h"

#include <gtest/gtest.h>

namespace {

using namespace host;


TEST(BitBtns, AKindGivesCaptionResultAndDefaultAndStoresOnlyItself) {
    TForm form(nullptr);
    auto* ok = new TBitBtn(&form);
    ok->SetName("OkButton");
    ok->SetParent(&form);
    ok->SetKind(bkOK);
    EXPECT_EQ(ok->GetCaption(), "OK");
    EXPECT_EQ(ok->GetModalResult(), mrOk);
    EXPECT_TRUE(ok->GetDefault());
    EXPECT_FALSE(ok->GetGlyph()->GetEmpty());
    std::string text = formtest::Save(ok, true);
    EXPECT_NE(text.find("Kind = bkOK"), std::string::npos);
    for (const char* absent : {"Caption", "ModalResult", "Default", "Glyph"})
        EXPECT_EQ(text.find(absent), std::string::npos) << absent;

    // A changed result makes it a custom button; a caption of its own is stored.
    ok->SetModalResult(mrYes);
    EXPECT_EQ(ok->GetKind(), bkCustom);
    auto* no = new TBitBtn(&form);
    no->SetParent(&form);
    no->SetKind(bkNo);
    no->SetCaption("&Nein");
    EXPECT_EQ(no->GetKind(), bkNo);
    EXPECT_TRUE(no->GetCancel());
    EXPECT_TRUE(no->IsCustomCaption());
    EXPECT_EQ(BitBtnCaption(bkRetry), "&Retry");
    EXPECT_EQ(BitBtnModalResult(bkIgnore), mrIgnore);
}

TEST(BitBtns, AKindsGlyphGoesWithItsButton) {
    // Nothing a kind draws outlives the button (a form loaded and freed leaves nothing behind).
    std::size_t before = LiveObjects::Count();
    for (int k = bkOK; k <= bkAll; ++k) {
        TBitBtn button(nullptr);
        button.SetKind(TBitBtnKind(k));
    }
    EXPECT_EQ(LiveObjects::Count(), before);
}

TEST(BitBtns, ACloseButtonClosesItsFormAndAGlyphOfOnesOwnRoundTrips) {
    TForm form(nullptr);
    auto* close = new TBitBtn(&form);
    close->SetParent(&form);
    close->SetKind(bkClose);
    form.Show();
    input::Click(close);
    EXPECT_FALSE(form.GetVisible());

    TBitmap glyph;
    glyph.SetSize(32, 16); // two images: up and disabled
    glyph.GetCanvas()->GetBrush()->SetColor(clRed);
    glyph.GetCanvas()->FillRect({0, 0, 32, 16});
    close->SetName("Custom");
    close->SetGlyph(&glyph);
    EXPECT_EQ(close->GetKind(), bkCustom);
    EXPECT_EQ(close->GetNumGlyphs(), 2);
    TMemoryStream stream;
    stream.WriteComponent(close);
    EXPECT_NE(formtest::Save(close, true).find("Glyph.Data = {"), std::string::npos);
    TForm other(nullptr);
    auto* copy = new TBitBtn(&other);
    copy->SetParent(&other);
    stream.SetPosition(0);
    stream.ReadComponent(copy);
    EXPECT_EQ(copy->GetGlyph()->GetWidth(), 32);
    EXPECT_EQ(copy->GetNumGlyphs(), 2);
    EXPECT_EQ(copy->GetGlyph()->GetCanvas()->GetPixels(3, 3), clRed);
    EXPECT_EQ(copy->GetCaption(), "&Close");
}

TEST(BitBtns, LayoutAndMarginPlaceTheGlyph) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 120, 90);
    auto* b = new TBitBtn(&form);
    b->SetParent(&form);
    b->SetBounds(10, 10, 75, 40);
    TBitmap glyph;
    glyph.SetSize(16, 16);
    glyph.GetCanvas()->GetBrush()->SetColor(clRed);
    glyph.GetCanvas()->FillRect({0, 0, 16, 16});
    glyph.GetCanvas()->SetPixels(0, 15, clOlive); // the corner that lets the face through
    b->SetGlyph(&glyph);
    b->SetMargin(4);
    b->SetMargin(-2); // refused: -1 is the least
    EXPECT_EQ(b->GetMargin(), 4);
    form.Show();
    TRect n = form.GetNonClientInsets();
    auto at = [&](Integer X, Integer Y) {
        picturetest::Picture image = picturetest::Own(form.GetFormImage());
        return image->ColorAt(n.Left + 10 + X, n.Top + 10 + Y);
    };
    // The face starts 3 pixels in (edge and inner margin); the glyph 4 pixels further.
    EXPECT_EQ(at(3 + 4 + 8, 20), clRed);
    EXPECT_NE(at(75 - 3 - 4 - 8, 20), clRed);
    b->SetLayout(blGlyphRight);
    EXPECT_EQ(at(75 - 3 - 4 - 8, 20), clRed);
    EXPECT_NE(at(3 + 4 + 8, 20), clRed);
    b->SetLayout(blGlyphTop);
    EXPECT_EQ(at(37, 3 + 4 + 8), clRed);
    b->SetKind(bkOK);
    b->SetLayout(blGlyphLeft); // the layout is no glyph of one's own
    EXPECT_EQ(b->GetKind(), bkOK);
}

struct SpeedButtons : ::testing::Test {
    TForm Form{nullptr};
    TSpeedButton* B[3];
    int Clicks = 0;
    void Clicked(TObject*) { ++Clicks; }
    void SetUp() override {
        Form.SetBounds(0, 0, 190, 110);
        for (int i = 0; i < 3; ++i) {
            B[i] = new TSpeedButton(&Form);
            B[i]->SetParent(&Form);
            B[i]->SetBounds(8 + 25 * i, 8, 23, 22);
            B[i]->SetGroupIndex(1);
            B[i]->SetOnClick(TNotifyEvent::Bind<&SpeedButtons::Clicked>(this));
        }
        Form.Show();
    }
};

TEST_F(SpeedButtons, OneOfAGroupIsDownAndAllowAllUpLetsItUp) {
    input::Click(B[0]);
    EXPECT_TRUE(B[0]->GetDown());
    input::Click(B[1]);
    EXPECT_TRUE(B[1]->GetDown());
    EXPECT_FALSE(B[0]->GetDown());
    input::Click(B[1]); // stays down: the group needs one
    EXPECT_TRUE(B[1]->GetDown());
    EXPECT_EQ(Clicks, 3);
    B[2]->SetAllowAllUp(true); // for the whole group
    EXPECT_TRUE(B[0]->GetAllowAllUp());
    input::Click(B[1]);
    EXPECT_FALSE(B[1]->GetDown());

    // Ungrouped, a button comes back up; a press dragged off it is no click.
    B[2]->SetGroupIndex(0);
    B[2]->SetDown(true);
    EXPECT_FALSE(B[2]->GetDown());
    input::MouseDown(&Form, {70, 15});
    EXPECT_EQ(B[2]->GetState(), bsDown);
    input::MouseMove(&Form, {150, 60});
    EXPECT_EQ(B[2]->GetState(), bsUp);
    input::MouseUp(&Form, {150, 60});
    EXPECT_EQ(Clicks, 4);
}

TEST_F(SpeedButtons, AFlatButtonHearsTheMouseComeAndGoAndTheButtonsLookClassic) {
    B[0]->SetFlat(true);
    input::MouseMove(&Form, {15, 15});
    EXPECT_TRUE(B[0]->MouseInControl());
    input::MouseMove(&Form, {150, 60});
    EXPECT_FALSE(B[0]->MouseInControl());

    B[1]->SetDown(true);
    B[2]->SetCaption("B");
    auto* ok = new TBitBtn(&Form);
    ok->SetParent(&Form);
    ok->SetBounds(90, 6, 75, 25);
    ok->SetKind(bkOK);
    auto* cancel = new TBitBtn(&Form);
    cancel->SetParent(&Form);
    cancel->SetBounds(90, 40, 75, 25);
    cancel->SetKind(bkCancel);
    cancel->SetEnabled(false);
    input::MouseMove(&Form, {15, 15});
    picturetest::Picture image = picturetest::Own(Form.GetFormImage());
    picturetest::ExpectLooksAs(image.get(), "buttons.png");
}

} // namespace
