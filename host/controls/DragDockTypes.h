// What dragging and docking share with TControl and TWinControl: the drag states, the CM_DRAG
// record and the event types. The classes live in Drag.h and Dock.h; this header stays light
// so that Control.h can include it.
#pragma once

#include "host/classes/TypInfoTraits.h"
#include "host/system/Closure.h"

namespace host {

class TObject;
class TControl;
class TWinControl;
class TDragObject;
class TDragDockObject;
struct IDockManager;

/// How a drag moves relative to the control it is over.
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
HOST_ENUM_INFO(TDragState, dsDragEnter, dsDragLeave, dsDragMove)
/// The WParam of CM_DRAG: what happens to the control the message goes to.
enum TDragMessage { dmDragEnter, dmDragLeave, dmDragMove, dmDragDrop, dmDragCancel, dmFindTarget };
/// The state a drag-over message tells (enter, leave or move).
constexpr TDragState DragStateOf(LongInt DragMessage) {
    return DragMessage == dmDragEnter   ? dsDragEnter
           : DragMessage == dmDragLeave ? dsDragLeave
                                        : dsDragMove;
}
/// How a docked control's zone splits its parent zone: doHorizontal stacks zones top to
/// bottom, doVertical side by side.
enum TDockOrientation { doNoOrient, doHorizontal, doVertical };
HOST_ENUM_INFO(TDockOrientation, doNoOrient, doHorizontal, doVertical)

/// What CM_DRAG carries (its Data): the mouse on the screen, the drag object, the target a
/// dmFindTarget answers with, and whether the drag docks.
struct TDragRec {
    TPoint Pos;
    TDragObject* Source = nullptr;
    TControl* Target = nullptr;
    bool Docking = false;
};

using TStartDragEvent = Closure<void(TObject* Sender, TDragObject*& DragObject)>;
using TDragOverEvent = Closure<void(TObject* Sender, TObject* Source, Integer X, Integer Y,
                                    TDragState State, bool& Accept)>;
using TDragDropEvent = Closure<void(TObject* Sender, TObject* Source, Integer X, Integer Y)>;
using TEndDragEvent = Closure<void(TObject* Sender, TObject* Target, Integer X, Integer Y)>;
using TStartDockEvent = Closure<void(TObject* Sender, TDragDockObject*& DragObject)>;
using TDockOverEvent = Closure<void(TObject* Sender, TDragDockObject* Source, Integer X, Integer Y,
                                    TDragState State, bool& Accept)>;
using TDockDropEvent =
    Closure<void(TObject* Sender, TDragDockObject* Source, Integer X, Integer Y)>;
using TGetSiteInfoEvent = Closure<void(TObject* Sender, TControl* DockClient, TRect& InfluenceRect,
                                       TPoint MousePos, bool& CanDock)>;
using TUnDockEvent =
    Closure<void(TObject* Sender, TControl* Client, TWinControl* NewTarget, bool& Allow)>;

} // namespace host
