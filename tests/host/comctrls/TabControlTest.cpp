// Tab controls: the selection and its events, rows of tabs with the selected row next to the
// client area, scroll arrows on one line, keys. Page controls: sheets, the active one alone
// showing, the next page, streaming in order.
#include "host/classes/StringList.h"
#include "host/comctrls/PageControl.h"
#include "host/controls/Input.h"
#include "host/forms/Form.h"
#include "host/menus/Keys.h"
#include "host/stdctrls/Edit.h"
#include "tests/host/FormFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

using namespace host;

struct Events {
    int Changes = 0, Asked = 0;
    bool Allow = true;
    void Changing(TObject*, bool& AllowChange) {
        ++Asked;
        AllowChange = Allow;
    }
    void Change(TObject*) { ++Changes; }
};

TPoint Centre(const TRect& R) {
    return {(R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2};
}

struct TabsForm {
    TForm Form{nullptr};
    TTabControl* Tabs;
    Events E;
    explicit TabsForm(Integer Width = 300) {
        Form.SetBounds(0, 0, Width + 8, 227);
        Tabs = new TTabControl(&Form);
        Tabs->SetParent(&Form);
        Tabs->SetBounds(0, 0, Width, 200);
        Tabs->SetOnChanging(TTabChangingEvent::Bind<&Events::Changing>(&E));
        Tabs->SetOnChange(TNotifyEvent::Bind<&Events::Change>(&E));
    }
};

TEST(TabControl, ClicksSelectUnlessOnChangingRefusesAndCodeFiresNothing) {
    TabsForm f;
    f.Tabs->GetTabs()->Add("First");
    f.Tabs->GetTabs()->Add("Second");
    EXPECT_EQ(f.Tabs->GetTabIndex(), -1);
    f.Tabs->SetTabIndex(0);
    EXPECT_EQ(f.E.Asked + f.E.Changes, 0);
    input::Click(f.Tabs, Centre(f.Tabs->TabRect(1)));
    EXPECT_EQ(f.Tabs->GetTabIndex(), 1);
    EXPECT_EQ(f.E.Changes, 1);
    f.E.Allow = false;
    input::Click(f.Tabs, Centre(f.Tabs->TabRect(0)));
    EXPECT_EQ(f.Tabs->GetTabIndex(), 1);
    EXPECT_EQ(f.E.Asked, 2);
    EXPECT_EQ(f.E.Changes, 1);
    f.Tabs->SetTabIndex(9); // out of range: none selected
    EXPECT_EQ(f.Tabs->GetTabIndex(), -1);
    f.Tabs->SetTabIndex(1);
    f.Tabs->GetTabs()->Delete(1); // the selected tab went
    EXPECT_EQ(f.Tabs->GetTabIndex(), -1);
}

TEST(TabControl, TheSelectedTabIsLargerAndTheDisplayAreaIsInsideTheFrame) {
    TabsForm f;
    f.Tabs->GetTabs()->Add("A");
    f.Tabs->GetTabs()->Add("B");
    f.Tabs->SetTabIndex(0);
    TRect sel = f.Tabs->TabRect(0), other = f.Tabs->TabRect(1);
    EXPECT_LT(sel.Top, other.Top);
    EXPECT_EQ(f.Tabs->IndexOfTabAt(Centre(other).X, Centre(other).Y), 1);
    EXPECT_EQ(f.Tabs->IndexOfTabAt(150, 150), -1);
    TRect d = f.Tabs->GetDisplayRect();
    EXPECT_GT(d.Top, other.Bottom);
    EXPECT_EQ(d.Left, 4);
    EXPECT_EQ(d.Right, 296);
    EXPECT_EQ(d.Bottom, 196);
    f.Tabs->SetTabPosition(tpBottom);
    d = f.Tabs->GetDisplayRect();
    EXPECT_EQ(d.Top, 4);
    EXPECT_GT(f.Tabs->TabRect(1).Top, d.Bottom);
    f.Tabs->SetTabPosition(tpLeft);
    EXPECT_GT(f.Tabs->GetDisplayRect().Left, f.Tabs->TabRect(1).Right);
    EXPECT_GT(f.Tabs->TabRect(1).Top, f.Tabs->TabRect(0).Top); // stacked down the side
}

TEST(TabControl, MultiLineRowsPutTheSelectedRowNextToTheClient) {
    TabsForm f(120);
    for (const char* t : {"Alpha", "Beta", "Gamma", "Delta", "Epsilon"}) f.Tabs->GetTabs()->Add(t);
    f.Tabs->SetMultiLine(true);
    ASSERT_GT(f.Tabs->RowCount(), 1);
    f.Tabs->SetTabIndex(0);
    Integer rowBottom = f.Tabs->TabRect(4).Bottom; // another row
    EXPECT_LT(rowBottom, f.Tabs->TabRect(0).Bottom);
    f.Tabs->SetTabIndex(4);
    EXPECT_GT(f.Tabs->TabRect(4).Bottom, f.Tabs->TabRect(0).Bottom);
    // Unless ragged, a row fills the width.
    auto rowRight = [&] {
        Integer right = 0, top = f.Tabs->TabRect(0).Top;
        for (Integer i = 0; i < 5; ++i)
            if (f.Tabs->TabRect(i).Top == top) right = std::max(right, f.Tabs->TabRect(i).Right);
        return right;
    };
    EXPECT_EQ(f.Tabs->TabRect(0).Left, 2);
    EXPECT_EQ(rowRight(), 118);
    f.Tabs->SetRaggedRight(true);
    EXPECT_LT(rowRight(), 118);
}

TEST(TabControl, OneLineThatOverflowsScrollsWithItsArrows) {
    TabsForm f(120);
    for (const char* t : {"Alpha", "Beta", "Gamma", "Delta", "Epsilon"}) f.Tabs->GetTabs()->Add(t);
    ASSERT_TRUE(f.Tabs->ScrollArrowsShown());
    EXPECT_EQ(f.Tabs->RowCount(), 1);
    TRect last = f.Tabs->TabRect(4);
    EXPECT_EQ(last.Right, last.Left); // out of sight
    f.Tabs->SetTabIndex(4);           // selecting scrolls it into sight
    EXPECT_GT(f.Tabs->TabRect(4).Right, f.Tabs->TabRect(4).Left);
    EXPECT_GT(f.Tabs->GetFirstVisibleTab(), 0);
}

TEST(TabControl, ArrowsAndCtrlTabStepThroughTheTabs) {
    TabsForm f;
    for (const char* t : {"A", "B", "C"}) f.Tabs->GetTabs()->Add(t);
    f.Form.Show();
    f.Tabs->SetTabIndex(0);
    f.Tabs->SetFocus();
    input::PressKey(VK_RIGHT);
    EXPECT_EQ(f.Tabs->GetTabIndex(), 1);
    input::PressKey(VK_TAB, {ssCtrl});
    EXPECT_EQ(f.Tabs->GetTabIndex(), 2);
    input::PressKey(VK_TAB, {ssCtrl}); // wraps round
    EXPECT_EQ(f.Tabs->GetTabIndex(), 0);
    input::PressKey(VK_TAB, {ssCtrl, ssShift});
    EXPECT_EQ(f.Tabs->GetTabIndex(), 2);
    EXPECT_EQ(f.E.Changes, 4);
}

struct Shows {
    std::string Log;
    void Show(TObject* S) { Log += "show " + static_cast<TTabSheet*>(S)->GetCaption() + ";"; }
    void Hide(TObject* S) { Log += "hide " + static_cast<TTabSheet*>(S)->GetCaption() + ";"; }
};

TEST(PageControl, OnlyTheActiveSheetShowsAndSheetsFollowTheirPlaces) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 308, 227);
    auto* pc = new TPageControl(&form);
    pc->SetParent(&form);
    pc->SetBounds(0, 0, 300, 200);
    Shows s;
    TTabSheet* sheet[3];
    for (int i = 0; i < 3; ++i) {
        sheet[i] = new TTabSheet(&form);
        sheet[i]->SetCaption(std::string(1, char('A' + i)));
        sheet[i]->SetOnShow(TNotifyEvent::Bind<&Shows::Show>(&s));
        sheet[i]->SetOnHide(TNotifyEvent::Bind<&Shows::Hide>(&s));
        sheet[i]->SetPageControl(pc);
    }
    EXPECT_EQ(pc->GetPageCount(), 3);
    EXPECT_EQ(pc->GetTabs()->GetStrings(2), "C");
    pc->SetActivePage(sheet[1]);
    EXPECT_EQ(s.Log, "show B;");
    pc->SetActivePage(sheet[2]);
    EXPECT_EQ(s.Log, "show B;hide B;show C;");
    EXPECT_TRUE(sheet[2]->GetVisible());
    EXPECT_FALSE(sheet[1]->GetVisible());
    EXPECT_EQ(sheet[2]->GetBoundsRect(), pc->GetDisplayRect());
    EXPECT_EQ(pc->GetTabIndex(), 2);
    sheet[2]->SetPageIndex(0);
    EXPECT_EQ(pc->GetPages(0), sheet[2]);
    EXPECT_EQ(pc->GetTabIndex(), 0);
    EXPECT_THROW(pc->GetPages(3), EListError);
    sheet[1]->SetTabVisible(false);
    EXPECT_EQ(sheet[1]->GetTabIndex(), -1);
    EXPECT_EQ(pc->FindNextPage(sheet[0], true, true), sheet[2]); // wraps, passes B over
    EXPECT_EQ(pc->FindNextPage(sheet[0], true, false), sheet[1]);
    EXPECT_EQ(pc->FindNextPage(nullptr, false, true), sheet[0]);
    pc->SelectNextPage(true);
    EXPECT_EQ(pc->GetActivePage(), sheet[0]);
    sheet[0]->Free(); // the active sheet goes: the next one shows
    EXPECT_EQ(pc->GetPageCount(), 2);
    EXPECT_EQ(pc->GetActivePage(), sheet[2]);
    sheet[2]->SetCaption("Renamed");
    EXPECT_EQ(pc->GetTabs()->GetStrings(0), "Renamed");
}

TEST(PageControl, TheKeyboardLeavesAPageGoingOutOfSightForThePageControl) {
    TForm form(nullptr);
    form.SetBounds(0, 0, 308, 227);
    auto* pc = new TPageControl(&form);
    pc->SetParent(&form);
    pc->SetBounds(0, 0, 300, 200);
    TTabSheet* sheet[2];
    for (auto*& s : sheet) {
        s = new TTabSheet(&form);
        s->SetPageControl(pc);
    }
    auto* edit = new TEdit(&form);
    edit->SetParent(sheet[0]);
    pc->SetActivePage(sheet[0]);
    form.Show();
    edit->SetFocus();
    input::PressKey(VK_TAB, {ssCtrl});
    EXPECT_EQ(pc->GetActivePage(), sheet[1]);
    EXPECT_EQ(form.GetActiveControl(), pc);
    EXPECT_TRUE(pc->Focused());
    input::Type("x"); // nothing reaches the hidden edit
    EXPECT_EQ(edit->GetText(), "");
}

TEST(PageControl, SheetsStreamInTheirOrderAndTheActivePageResolvesAfterLoading) {
    std::string text = formtest::Lines({
        "object Form1: TForm1",
        "  Width = 300",
        "  Height = 200",
        "  Caption = 'Form1'",
        "  PixelsPerInch = 96",
        "  object PageControl1: TPageControl",
        "    Left = 0",
        "    Top = 0",
        "    Width = 280",
        "    Height = 160",
        "    ActivePage = TabSheet2",
        "    object TabSheet2: TTabSheet",
        "      Caption = 'Second'",
        "    end",
        "    object TabSheet1: TTabSheet",
        "      Caption = 'First'",
        "      TabVisible = False",
        "    end",
        "  end",
        "end",
    });
    auto root = formtest::Load(text);
    auto* pc = dynamic_cast<TPageControl*>(root->FindComponent("PageControl1"));
    ASSERT_NE(pc, nullptr);
    ASSERT_EQ(pc->GetPageCount(), 2);
    EXPECT_EQ(pc->GetPages(0)->GetName(), "TabSheet2");
    EXPECT_EQ(pc->GetActivePage(), pc->GetPages(0));
    EXPECT_TRUE(pc->GetPages(0)->GetVisible());
    EXPECT_FALSE(pc->GetPages(1)->GetVisible());
    EXPECT_EQ(pc->GetTabs()->GetCount(), 1);
    std::string saved = formtest::Save(root.get(), true);
    EXPECT_NE(saved.find("ActivePage = TabSheet2"), std::string::npos);
    EXPECT_LT(saved.find("TabSheet2: TTabSheet"), saved.find("TabSheet1: TTabSheet"));
    EXPECT_NE(saved.find("TabVisible = False"), std::string::npos);
    EXPECT_EQ(saved.find("Left = 4"), std::string::npos); // a sheet's place is not stored
}

} // namespace
