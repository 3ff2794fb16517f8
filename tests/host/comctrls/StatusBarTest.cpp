// Status bars: panels side by side (the last to the right edge), the simple panel, the
// application's hint through AutoHint, the grip only in the form's corner, panels streamed as
// a collection.
#include "host/comctrls/StatusBar.h"
#include "host/forms/Application.h"
#include "host/forms/Form.h"
#include "host/graphics/GraphicsObjects.h"
#include "tests/host/FormFiles.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace host;

struct Hints {
    int Count = 0;
    void Hint(TObject*) { ++Count; }
};

TEST(StatusBar, PanelsSitSideBySideAndTheLastReachesTheRightEdge) {
    TStatusBar bar(nullptr);
    bar.SetBounds(0, 0, 300, 19);
    EXPECT_EQ(bar.GetAlign(), alBottom);
    TStatusPanel* a = bar.GetPanels()->Add();
    TStatusPanel* b = bar.GetPanels()->Add();
    a->SetWidth(80);
    EXPECT_EQ(b->GetWidth(), 50);
    EXPECT_EQ(bar.PanelRect(0), (TRect{0, 2, 80, 19}));
    EXPECT_EQ(bar.PanelRect(1), (TRect{82, 2, 300, 19}));
    a->SetWidth(-5); // no negative widths
    EXPECT_EQ(a->GetWidth(), 0);
    // A panel follows the bar's reading order until it has its own.
    bar.SetBiDiMode(bdRightToLeft);
    EXPECT_TRUE(a->UseRightToLeftAlignment());
    a->SetBiDiMode(bdLeftToRight);
    EXPECT_FALSE(a->GetParentBiDiMode());
    EXPECT_FALSE(a->UseRightToLeftReading());
    EXPECT_TRUE(b->UseRightToLeftReading());
}

TEST(StatusBar, TheSystemFontHoldsUntilAFontOfItsOwnIsSet) {
    TStatusBar bar(nullptr);
    EXPECT_TRUE(bar.GetUseSystemFont());
    bar.GetFont()->SetSize(14);
    EXPECT_FALSE(bar.GetUseSystemFont());
    bar.SetUseSystemFont(true);
    EXPECT_EQ(bar.GetFont()->GetSize(), 8);
}

TEST(StatusBar, AutoHintShowsTheApplicationsHintUnlessOnHintTakesIt) {
    TForm form(nullptr);
    auto* bar = new TStatusBar(&form);
    bar->SetParent(&form);
    bar->SetAutoHint(true);
    Application()->SetHint("Opens a file");
    EXPECT_TRUE(bar->GetSimplePanel());
    EXPECT_EQ(bar->GetSimpleText(), "Opens a file");
    Application()->SetHint("");
    EXPECT_FALSE(bar->GetSimplePanel());
    Hints h;
    bar->SetOnHint(TNotifyEvent::Bind<&Hints::Hint>(&h));
    Application()->SetHint("Saves");
    EXPECT_EQ(h.Count, 1);
    EXPECT_FALSE(bar->GetSimplePanel());
    Application()->SetHint("");
}

TEST(StatusBar, TheGripShowsOnlyInTheFormsBottomRightCorner) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 208, 127);
    auto* bar = new TStatusBar(&form);
    bar->SetParent(&form);
    EXPECT_TRUE(bar->GripShown());
    bar->SetAlign(alTop);
    EXPECT_FALSE(bar->GripShown());
    bar->SetAlign(alBottom);
    bar->SetSizeGrip(false);
    EXPECT_FALSE(bar->GripShown());
    TStatusBar loose(nullptr);
    EXPECT_FALSE(loose.GripShown());
}

TEST(StatusBar, PanelsStreamAsACollection) {
    std::string text = formtest::Lines({
        "object Form1: TForm1",
        "  Caption = 'Form1'",
        "  PixelsPerInch = 96",
        "  object StatusBar1: TStatusBar",
        "    Panels = <",
        "      item",
        "        Text = 'Ready'",
        "        Width = 80",
        "      end",
        "      item",
        "        Alignment = taRightJustify",
        "        Width = 50",
        "      end>",
        "    SimplePanel = False",
        "  end",
        "end",
    });
    auto root = formtest::Load(text);
    auto* bar = dynamic_cast<TStatusBar*>(root->FindComponent("StatusBar1"));
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->GetPanels()->GetCount(), 2);
    EXPECT_EQ(bar->GetPanels()->GetItems(0)->GetText(), "Ready");
    EXPECT_EQ(bar->GetPanels()->GetItems(1)->GetAlignment(), taRightJustify);
    // A panel keeps its reading order only when it has one of its own.
    bar->GetPanels()->GetItems(1)->SetBiDiMode(bdRightToLeft);
    std::string saved = formtest::Save(root.get(), true);
    EXPECT_NE(saved.find("Text = 'Ready'"), std::string::npos) << saved;
    EXPECT_NE(saved.find("Width = 80"), std::string::npos);
    EXPECT_EQ(saved.find("bdLeftToRight"), std::string::npos) << saved;
    EXPECT_NE(saved.find("BiDiMode = bdRightToLeft"), std::string::npos) << saved;
}

} // namespace
