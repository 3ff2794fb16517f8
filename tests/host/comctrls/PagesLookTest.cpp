// Tabs, status bars and header controls in the classic look, as small pictures for people.
#include "host/classes/StringList.h"
#include "host/comctrls/HeaderControl.h"
#include "host/comctrls/PageControl.h"
#include "host/comctrls/StatusBar.h"
#include "host/forms/Form.h"
#include "host/graphics/Bitmap.h"
#include "tests/host/ReferencePictures.h"

#include <gtest/gtest.h>

namespace {

using namespace host;

TEST(PagesLook, APageControlAHeaderAndAStatusBarOnAForm) {
    TForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetBounds(0, 0, 240, 160);
    auto* header = new THeaderControl(&form);
    header->SetParent(&form);
    for (const char* t : {"Name", "Size"}) header->GetSections()->Add()->SetText(t);
    auto* bar = new TStatusBar(&form);
    bar->SetParent(&form);
    bar->GetPanels()->Add()->SetText("Ready");
    bar->GetPanels()->Add()->SetText("Line 1");
    auto* pages = new TPageControl(&form);
    pages->SetParent(&form);
    pages->SetAlign(alClient);
    for (const char* t : {"General", "View", "Colours"}) {
        auto* s = new TTabSheet(&form);
        s->SetPageControl(pages);
        s->SetCaption(t);
    }
    pages->SetActivePage(pages->GetPages(1));
    TBitmap b;
    b.SetWidth(240);
    b.SetHeight(160);
    form.PaintTo(b.GetCanvas(), 0, 0);
    // The selected tab stands above its neighbours and joins the page: no frame line under it.
    TRect sel = pages->TabRect(1);
    Integer y = pages->GetTop() + pages->TabRect(0).Bottom;
    EXPECT_EQ(b.ColorAt(pages->GetLeft() + (sel.Left + sel.Right) / 2, y), ColorToRGB(clBtnFace));
    picturetest::ExpectLooksAs(&b, "comctrls-pages.png");
}

} // namespace
