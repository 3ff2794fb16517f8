// TDragImageList: an image list that draws one of its images under the mouse while something
// is dragged, its hot spot at the cursor; TImageList, the image list of forms, is one.
#pragma once

#include "host/controls/Cursors.h"
#include "host/imglist/ImgList.h"

namespace host {

class TDragImageList : public TCustomImageList {
    HOST_CLASS(TDragImageList, TCustomImageList)
public:
    using TCustomImageList::TCustomImageList;
    /// Ends a drag still going on.
    ~TDragImageList() override;

    /// Starts dragging the drag image (SetDragImage) over `Window`, its hot spot at (X, Y) in
    /// the window's coordinates, and shows it there. False when the list has no such image or
    /// a drag is going on already.
    bool BeginDrag(THandle Window, Integer X, Integer Y);
    /// Shows the image over `Window` at (XPos, YPos), leaving the window it was over; false
    /// while not dragging.
    bool DragLock(THandle Window, Integer XPos, Integer YPos);
    /// Moves the image's hot spot to (X, Y) of the window it is over; false while not dragging.
    bool DragMove(Integer X, Integer Y);
    /// Takes the image off the window it is over.
    void DragUnlock();
    /// Ends the drag; false when there was none.
    bool EndDrag();
    /// Hides and shows the image while the drag goes on.
    void HideDragImage();
    void ShowDragImage();
    /// The image to drag and the point of it that the cursor holds; false (nothing changed)
    /// for an index the list does not have.
    bool SetDragImage(Integer Index, Integer HotSpotX, Integer HotSpotY);
    /// The drag image's hot spot.
    TPoint GetHotSpot() override;

    TCursor GetDragCursor() const { return FDragCursor; }
    void SetDragCursor(TCursor Value) { FDragCursor = Value; }
    bool GetDragging() const { return FDragging; }

    // What the headless platform shows: the window the image is over, where its hot spot is,
    // whether it shows, and the rectangle it covers there.
    THandle DragWindow() const { return FDragWindow; }
    TPoint DragPos() const { return FDragPos; }
    bool DragImageShowing() const { return FDragging && FDragWindow != 0 && FShown; }
    TRect DragImageRect() const;

private:
    Integer FDragIndex = 0;
    TPoint FDragHotspot;
    TCursor FDragCursor = crNone;
    bool FDragging = false;
    bool FShown = false;
    THandle FDragWindow = 0;
    TPoint FDragPos;
};

/// The image list of forms, with its properties published.
class TImageList : public TDragImageList {
    HOST_CLASS(TImageList, TDragImageList)
public:
    using TDragImageList::TDragImageList;
};

} // namespace host
