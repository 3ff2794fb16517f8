// Notebooks: pages by name and index, the active one showing, the list of names editing the
// pages. Headers: sections and their widths, resized by dragging a divider.
#include "host/classes/Strings.h"
#include "host/controls/Input.h"
#include "host/extctrls/Header.h"
#include "host/extctrls/Notebook.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace host;

struct Changes {
    int Count = 0;
    void Changed(TObject*) { ++Count; }
};

TEST(Notebook, PagesByNameAndIndexWithOnlyTheActiveOneShowing) {
    TNotebook nb(nullptr);
    EXPECT_EQ(nb.GetWidth(), 150);
    ASSERT_EQ(nb.GetPages()->GetCount(), 1);
    EXPECT_EQ(nb.GetActivePage(), "Default");
    EXPECT_EQ(nb.GetPageIndex(), 0);
    Changes c;
    nb.SetOnPageChanged(TNotifyEvent::Bind<&Changes::Changed>(&c));
    nb.GetPages()->Add("Two");
    nb.GetPages()->Add("Three");
    EXPECT_EQ(nb.GetPageIndex(), 0); // adding leaves the active page
    nb.SetActivePage("three");       // names ignore case
    EXPECT_EQ(nb.GetPageIndex(), 2);
    EXPECT_EQ(c.Count, 1);
    EXPECT_TRUE(nb.GetPage(2)->GetVisible());
    EXPECT_FALSE(nb.GetPage(0)->GetVisible());
    EXPECT_FALSE(nb.GetPage(1)->GetVisible());
    EXPECT_EQ(nb.GetPage(2)->GetBoundsRect(), nb.GetClientRect()); // a page fills the book
    nb.SetPageIndex(7);                                            // out of range: ignored
    nb.SetPageIndex(2);                                            // the same: no event
    EXPECT_EQ(nb.GetPageIndex(), 2);
    EXPECT_EQ(c.Count, 1);
    EXPECT_THROW(nb.SetActivePage("Four"), EListError);
    EXPECT_EQ(nb.GetPages()->GetObjects(1), nb.GetPage(1));
    nb.GetPages()->SetStrings(1, "Second");
    EXPECT_EQ(nb.GetPage(1)->GetCaption(), "Second");
}

TEST(Notebook, DeletingAndMovingPagesKeepsTheActiveOneRight) {
    TNotebook nb(nullptr);
    nb.GetPages()->Add("B");
    nb.GetPages()->Add("C");
    nb.SetPageIndex(1);
    nb.GetPages()->Insert(0, "Z"); // before the active page
    EXPECT_EQ(nb.GetActivePage(), "B");
    EXPECT_EQ(nb.GetPageIndex(), 2);
    nb.GetPages()->Move(2, 0);
    EXPECT_EQ(nb.GetActivePage(), "B");
    EXPECT_EQ(nb.GetPageIndex(), 0);
    nb.GetPages()->Delete(0); // the active one: its neighbour shows
    EXPECT_EQ(nb.GetPages()->GetCount(), 3);
    EXPECT_EQ(nb.GetActivePage(), "Z");
    EXPECT_TRUE(nb.GetPage(0)->GetVisible());
    nb.GetPages()->Clear();
    EXPECT_EQ(nb.GetPageIndex(), -1);
    EXPECT_EQ(nb.GetActivePage(), "");
    EXPECT_THROW(nb.GetPages()->Delete(0), EListError);
    nb.GetPages()->Add("New"); // the first page of an empty book shows
    EXPECT_EQ(nb.GetPageIndex(), 0);
    EXPECT_TRUE(nb.GetPage(0)->GetVisible());
}

TEST(Notebook, APageFreedByItselfLeavesTheBook) {
    TNotebook nb(nullptr);
    nb.GetPages()->Add("B");
    nb.GetPage(1)->Free();
    EXPECT_EQ(nb.GetPages()->GetCount(), 1);
    EXPECT_EQ(nb.GetPages()->GetStrings(0), "Default");
}

struct HeaderFixture {
    TForm Form{nullptr};
    THeader* Header;
    std::vector<std::string> Log;
    HeaderFixture() {
        Form.SetBounds(0, 0, 308, 127);
        Header = new THeader(&Form);
        Header->SetParent(&Form);
        Header->SetBounds(0, 0, 250, 25);
        Header->GetSections()->Add("Name");
        Header->GetSections()->Add("Size");
        Header->GetSections()->Add("Date");
        Header->SetOnSizing(TSectionEvent::Bind<&HeaderFixture::Sizing>(this));
        Header->SetOnSized(TSectionEvent::Bind<&HeaderFixture::Sized>(this));
    }
    void Sizing(TObject*, Integer S, Integer W) {
        Log.push_back("sizing " + std::to_string(S) + " " + std::to_string(W));
    }
    void Sized(TObject*, Integer S, Integer W) {
        Log.push_back("sized " + std::to_string(S) + " " + std::to_string(W));
    }
};

TEST(Header, SectionsHaveWidthsThatFollowTheirPlaces) {
    HeaderFixture f;
    THeader& h = *f.Header;
    EXPECT_TRUE(h.GetAllowResize());
    EXPECT_EQ(h.GetBorderStyle(), bsSingle);
    EXPECT_EQ(h.GetSectionWidth(0), THeader::DefaultSectionWidth);
    h.SetSectionWidth(1, 30);
    EXPECT_EQ(h.GetSectionWidth(1), 30);
    h.SetSectionWidth(1, -5); // no negative widths
    EXPECT_EQ(h.GetSectionWidth(1), 0);
    EXPECT_EQ(h.GetSectionWidth(9), 0);
    h.SetSectionWidth(9, 10); // past the end: ignored
    h.GetSections()->Delete(2);
    EXPECT_EQ(h.GetSectionWidth(2), 0);
    // Widths beyond any screen are held, so that sums of many stay in range.
    for (int i = 0; i < 3000; ++i) h.GetSections()->Add("x");
    for (Integer i = 0; i < h.GetSections()->GetCount(); ++i) h.SetSectionWidth(i, 0x7FFFFFFF);
    EXPECT_EQ(h.GetSectionWidth(0), 1 << 20);
    EXPECT_EQ(h.DividerAt(1 << 20), 0);
    EXPECT_EQ(h.DividerAt(100), -1);
}

TEST(Header, DraggingADividerResizesItsSection) {
    HeaderFixture f;
    // The first divider is at 64 in the client area (inside the border).
    Integer divider = 1 + 64;
    input::MouseDown(&f.Form, {divider, 10});
    input::MouseMove(&f.Form, {divider + 20, 10});
    input::MouseMove(&f.Form, {divider + 30, 10});
    input::MouseUp(&f.Form, {divider + 30, 10});
    EXPECT_EQ(f.Header->GetSectionWidth(0), 94);
    EXPECT_EQ(f.Log, (std::vector<std::string>{"sizing 0 84", "sizing 0 94", "sized 0 94"}));
    // Dragging past the section's left closes it; away from a divider nothing resizes.
    f.Log.clear();
    input::MouseDown(&f.Form, {divider + 30, 10});
    input::MouseMove(&f.Form, {-40, 10});
    input::MouseUp(&f.Form, {-40, 10});
    EXPECT_EQ(f.Header->GetSectionWidth(0), 0);
    input::MouseDown(&f.Form, {30, 10});
    input::MouseMove(&f.Form, {60, 10});
    input::MouseUp(&f.Form, {60, 10});
    EXPECT_EQ(f.Header->GetSectionWidth(0), 0);
    EXPECT_EQ(f.Header->GetSectionWidth(1), 64);
    // Without AllowResize the dividers stay.
    f.Header->SetAllowResize(false);
    f.Log.clear();
    input::MouseDown(&f.Form, {1 + 64, 10});
    input::MouseMove(&f.Form, {100, 10});
    input::MouseUp(&f.Form, {100, 10});
    EXPECT_TRUE(f.Log.empty());
}

} // namespace
