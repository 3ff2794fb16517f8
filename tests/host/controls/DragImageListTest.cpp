// TDragImageList: the drag image's hot spot held at the cursor while it moves, locks and
// unlocks, shows and hides; TImageList is one.
#include "host/controls/DragImageList.h"
#include "host/graphics/Bitmap.h"

#include <gtest/gtest.h>

namespace {

using namespace host;

/// A list of 16 x 16 images holding `Count` of them.
struct Images {
    TDragImageList List{nullptr};
    explicit Images(Integer Count) {
        TBitmap b;
        b.SetSize(16 * Count, 16);
        if (Count) List.Add(&b, nullptr);
    }
};

TEST(DragImageList, TheHotSpotIsThePointOfTheImageHeldAtTheCursor) {
    Images i(2);
    EXPECT_EQ(i.List.GetHotSpot(), (TPoint{0, 0}));
    EXPECT_TRUE(i.List.SetDragImage(1, 4, 6));
    EXPECT_EQ(i.List.GetHotSpot(), (TPoint{4, 6}));
    // An image the list does not have changes nothing.
    EXPECT_FALSE(i.List.SetDragImage(2, 9, 9));
    EXPECT_FALSE(i.List.SetDragImage(-1, 9, 9));
    EXPECT_EQ(i.List.GetHotSpot(), (TPoint{4, 6}));
    TCustomImageList* base = &i.List; // as image lists ask for it
    EXPECT_EQ(base->GetHotSpot(), (TPoint{4, 6}));

    ASSERT_TRUE(i.List.BeginDrag(7, 50, 40));
    EXPECT_TRUE(i.List.GetDragging());
    EXPECT_EQ(i.List.DragWindow(), 7u);
    EXPECT_TRUE(i.List.DragImageShowing());
    EXPECT_EQ(i.List.DragImageRect(), (TRect{46, 34, 62, 50}));
    EXPECT_TRUE(i.List.DragMove(60, 70));
    EXPECT_EQ(i.List.DragImageRect(), (TRect{56, 64, 72, 80}));
}

TEST(DragImageList, ADragLocksUnlocksShowsAndHidesUntilItEnds) {
    Images i(1);
    EXPECT_FALSE(i.List.DragMove(1, 1)); // nothing dragged yet
    EXPECT_FALSE(i.List.DragLock(7, 1, 1));
    EXPECT_FALSE(i.List.EndDrag());
    ASSERT_TRUE(i.List.BeginDrag(7, 10, 10));
    EXPECT_FALSE(i.List.BeginDrag(8, 0, 0)); // one drag at a time
    EXPECT_EQ(i.List.DragWindow(), 7u);

    i.List.HideDragImage();
    EXPECT_FALSE(i.List.DragImageShowing());
    EXPECT_TRUE(i.List.GetDragging());
    i.List.ShowDragImage();
    EXPECT_TRUE(i.List.DragImageShowing());

    EXPECT_TRUE(i.List.DragLock(9, 3, 4)); // over another window
    EXPECT_EQ(i.List.DragWindow(), 9u);
    EXPECT_EQ(i.List.DragPos(), (TPoint{3, 4}));
    i.List.DragUnlock();
    EXPECT_FALSE(i.List.DragImageShowing());
    i.List.ShowDragImage(); // over no window: nothing to show on
    EXPECT_FALSE(i.List.DragImageShowing());

    EXPECT_TRUE(i.List.EndDrag());
    EXPECT_FALSE(i.List.GetDragging());
    EXPECT_FALSE(i.List.DragImageShowing());
    EXPECT_FALSE(i.List.EndDrag());
    EXPECT_TRUE(i.List.BeginDrag(7, 0, 0)); // and again; the list ends it as it goes
}

TEST(DragImageList, AListWithoutImagesHasNothingToDrag) {
    Images i(0);
    EXPECT_FALSE(i.List.BeginDrag(7, 0, 0));
    EXPECT_FALSE(i.List.GetDragging());
    i.List.SetDragCursor(crHandPoint);
    EXPECT_EQ(i.List.GetDragCursor(), crHandPoint);
}

TEST(DragImageList, TheImageListOfFormsIsADragImageList) {
    TImageList list(nullptr);
    EXPECT_TRUE(list.InheritsFrom(TDragImageList::StaticClass()));
    EXPECT_TRUE(TImageList::StaticClass()->InheritsFrom(TCustomImageList::StaticClass()));
    TImageList sized(24, 24);
    EXPECT_EQ(sized.GetWidth(), 24);
}

} // namespace
