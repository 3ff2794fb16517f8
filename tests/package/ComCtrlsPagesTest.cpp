// Tab and page controls through their class infos: the page a refusing listener keeps, the
// image index a listener writes back, the display area by address, pages by index.
#include "ClassesFixture.h"

#include "core/ValueConv.h"

#include "host/classes/StringList.h"
#include "host/comctrls/HeaderControl.h"
#include "host/comctrls/PageControl.h"
#include "host/comctrls/StatusBar.h"
#include "host/controls/Input.h"
#include "host/forms/Form.h"

#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include <vector>

using namespace classes_test;
using ComCtrlsPages = ClassesTest;

namespace {
struct PagesForm {
    TForm Form{nullptr};
    TPageControl* Pages;
    TTabSheet* Sheet[3];
    PagesForm() {
        Form.SetBounds(0, 0, 308, 227);
        Pages = new TPageControl(&Form);
        Pages->SetParent(&Form);
        Pages->SetBounds(0, 0, 300, 200);
        const char* names[] = {"One", "Two", "Three"};
        for (int i = 0; i < 3; ++i) {
            Sheet[i] = new TTabSheet(&Form);
            Sheet[i]->SetPageControl(Pages);
            Sheet[i]->SetCaption(names[i]);
        }
        Pages->SetActivePage(Sheet[0]);
    }
    TPoint TabCentre(int I) {
        TRect r = Pages->TabRect(I);
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
};
} // namespace

TEST_F(ComCtrlsPages, AListenerRefusingOnChangingKeepsThePage) {
    PagesForm f;
    bool refuse = true;
    int changes = 0;
    Hearing changing("OnChanging", [&](TObject* Sender, TzelEventInfo* E) {
        EXPECT_EQ(Sender, f.Pages);
        EXPECT_TRUE(E->GetArgs(1)->Value.AsBoolean());
        E->GetArgs(1)->Value = !refuse;
    });
    Hearing change("OnChange", [&](TObject*, TzelEventInfo*) { ++changes; });
    Info(f.Pages)->AddListener(&changing);
    Info(f.Pages)->AddListener(&change);
    input::Click(f.Pages, f.TabCentre(2));
    EXPECT_EQ(f.Pages->GetActivePage(), f.Sheet[0]);
    EXPECT_TRUE(f.Sheet[0]->GetVisible());
    EXPECT_EQ(changes, 0);
    refuse = false;
    input::Click(f.Pages, f.TabCentre(2));
    EXPECT_EQ(f.Pages->GetActivePage(), f.Sheet[2]);
    EXPECT_FALSE(f.Sheet[0]->GetVisible());
    EXPECT_EQ(changes, 1);
    Info(f.Pages)->RemoveListener(&changing);
    Info(f.Pages)->RemoveListener(&change);
}

TEST_F(ComCtrlsPages, OnGetImageIndexTakesTheListenersIndex) {
    PagesForm f;
    f.Sheet[1]->SetImageIndex(7);
    Hearing image("OnGetImageIndex", [&](TObject*, TzelEventInfo* E) {
        // The sheet's own index arrives; the listener's answer goes back.
        if (E->GetArgs(1)->Value.AsInteger() == 1) {
            EXPECT_EQ(E->GetArgs(2)->Value.AsInteger(), 7);
            E->GetArgs(2)->Value = 4;
        }
    });
    Info(f.Pages)->AddListener(&image);
    struct Probe : TPageControl {
        static Integer Ask(TPageControl* P, Integer I) {
            return static_cast<Probe*>(P)->GetImageIndex(I);
        }
    };
    EXPECT_EQ(Probe::Ask(f.Pages, 1), 4);
    EXPECT_EQ(Probe::Ask(f.Pages, 0), 0);
    Info(f.Pages)->RemoveListener(&image);
}

TEST_F(ComCtrlsPages, ActivePageByNamePagesByIndexAndTheDisplayAreaByAddress) {
    PagesForm f;
    Set(f.Pages, "ActivePage", Conv<TObject*>::To(f.Sheet[1]));
    EXPECT_EQ(f.Pages->GetActivePage(), f.Sheet[1]);
    EXPECT_EQ(Get(f.Pages, "PageCount").AsInteger(), 3);
    TzelPropertyInfo* pages = Info(f.Pages)->FindProperty("Pages");
    pages->Indexes[0]->Value = 2;
    EXPECT_EQ(Conv<TObject*>::From(Info(f.Pages)->GetProperty(pages)), f.Sheet[2]);
    pages->Indexes[0]->Value = 5;
    EXPECT_THROW(Info(f.Pages)->GetProperty(pages), EListError);
    TRect display;
    std::memcpy(&display, Get(f.Pages, "DisplayRect").AsAddress(), sizeof display);
    EXPECT_EQ(display, f.Pages->GetDisplayRect());
    EXPECT_EQ(f.Sheet[1]->GetBoundsRect(), display);
    EXPECT_EQ(Get(f.Sheet[2], "TabIndex").AsInteger(), 2);
    Set(f.Sheet[0], "TabVisible", false);
    EXPECT_EQ(Get(f.Sheet[2], "TabIndex").AsInteger(), 1);
    TzelMethodInfo* next = Info(f.Pages)->FindMethod("FindNextPage");
    next->Args[0]->Value = Conv<TObject*>::To(f.Sheet[2]);
    next->Args[1]->Value = true;
    next->Args[2]->Value = true; // the hidden tab's sheet is passed over
    Info(f.Pages)->InvokeMethod(next);
    EXPECT_EQ(Conv<TObject*>::From(next->Result), f.Sheet[1]);
}

TEST_F(ComCtrlsPages, TheConcreteTabControlAnswersAsItsParent) {
    TTabControl tabs(nullptr);
    tabs.GetTabs()->Add("A");
    tabs.GetTabs()->Add("B");
    Set(&tabs, "TabIndex", 1);
    EXPECT_EQ(tabs.GetTabIndex(), 1);
    EXPECT_EQ(Get(&tabs, "TabIndex").AsInteger(), 1);
    // The parent's rows serve the concrete class: its display area by address too.
    const auto* r = static_cast<const TRect*>(Get(&tabs, "DisplayRect").AsAddress());
    EXPECT_EQ(*r, tabs.GetDisplayRect());
}

TEST_F(ComCtrlsPages, PanelsByIndexAndTheHeadersTrackEventWithWidthAndStateAsIntegers) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 308, 127);
    auto* bar = new TStatusBar(&form);
    bar->SetParent(&form);
    TzelMethodInfo* add = Call(bar->GetPanels(), "Add");
    auto* panel = static_cast<TStatusPanel*>(Conv<TObject*>::From(add->Result));
    ASSERT_EQ(panel, bar->GetPanels()->GetItems(0));
    Set(panel, "Text", "Ready");
    TzelPropertyInfo* items = Info(bar->GetPanels())->FindProperty("Items");
    items->Indexes[0]->Value = 0;
    EXPECT_EQ(Conv<TObject*>::From(Info(bar->GetPanels())->GetProperty(items)), panel);
    EXPECT_EQ(bar->GetPanels()->GetItems(0)->GetText(), "Ready");
    auto* header = new THeaderControl(&form);
    header->SetParent(&form);
    header->GetSections()->Add();
    std::vector<std::pair<Integer, Integer>> track;
    Hearing heard("OnSectionTrack", [&](TObject*, TzelEventInfo* E) {
        track.push_back({E->GetArgs(2)->Value.AsInteger(), E->GetArgs(3)->Value.AsInteger()});
    });
    Info(header)->AddListener(&heard);
    input::MouseDown(header, {50, 8});
    input::MouseMove(header, {64, 8});
    input::MouseUp(header, {64, 8});
    Info(header)->RemoveListener(&heard);
    ASSERT_EQ(track.size(), 3u);
    EXPECT_EQ(track[0], (std::pair<Integer, Integer>{50, 0}));
    EXPECT_EQ(track[1], (std::pair<Integer, Integer>{64, 1}));
    EXPECT_EQ(track[2], (std::pair<Integer, Integer>{64, 2}));
    EXPECT_EQ(Get(header->GetSections()->GetItems(0), "Right").AsInteger(), 64);
}
