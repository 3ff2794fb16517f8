#include "host/controls/DragImageList.h"

#include "host/classes/TypInfoRows.h"

namespace host {

namespace {
constexpr TPropInfo ImageListProps[] = {
    "BlendColor", "BkColor", "AllocBy",  "DrawingStyle", "Height",
    "ImageType",  "Masked",  "OnChange", "ShareImages",  "Width",
};
} // namespace

HOST_COMPONENT_METACLASS(TDragImageList, TCustomImageList);
HOST_COMPONENT_METACLASS(TImageList, TDragImageList, PropTable(ImageListProps));

TDragImageList::~TDragImageList() {
    EndDrag();
}

bool TDragImageList::BeginDrag(THandle Window, Integer X, Integer Y) {
    if (FDragging || FDragIndex < 0 || FDragIndex >= GetCount()) return false;
    FDragging = true;
    FDragWindow = 0;
    return DragLock(Window, X, Y);
}

bool TDragImageList::DragLock(THandle Window, Integer XPos, Integer YPos) {
    if (!FDragging) return false;
    if (Window != FDragWindow) DragUnlock();
    FDragWindow = Window;
    FDragPos = {XPos, YPos};
    FShown = true;
    return true;
}

bool TDragImageList::DragMove(Integer X, Integer Y) {
    if (!FDragging) return false;
    FDragPos = {X, Y};
    return true;
}

void TDragImageList::DragUnlock() {
    FDragWindow = 0;
    FShown = false;
}

bool TDragImageList::EndDrag() {
    if (!FDragging) return false;
    DragUnlock();
    FDragging = false;
    return true;
}

void TDragImageList::HideDragImage() {
    if (FDragging) FShown = false;
}

void TDragImageList::ShowDragImage() {
    if (FDragging && FDragWindow) FShown = true;
}

bool TDragImageList::SetDragImage(Integer Index, Integer HotSpotX, Integer HotSpotY) {
    if (Index < 0 || Index >= GetCount()) return false;
    FDragIndex = Index;
    FDragHotspot = {HotSpotX, HotSpotY};
    return true;
}

TPoint TDragImageList::GetHotSpot() {
    return FDragHotspot;
}

TRect TDragImageList::DragImageRect() const {
    Integer left = FDragPos.X - FDragHotspot.X, top = FDragPos.Y - FDragHotspot.Y;
    return {left, top, left + GetWidth(), top + GetHeight()};
}

} // namespace host
