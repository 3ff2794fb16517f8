// Class infos of the host's Controls unit: so far the drag and dock objects, the control canvas,
// the action links, the size constraints, the drag image lists, the dock zones and tree, and the
// mouse; the controls themselves follow.
#pragma once

#include "classinfo/Zelactnlist.h"
#include "classinfo/Zelgraphics.h"
#include "classinfo/Zelimglist.h"
#include "host/controls/ControlActionLink.h"
#include "host/controls/CustomControls.h"
#include "host/controls/Dock.h"
#include "host/controls/Drag.h"
#include "host/controls/DragImageList.h"
#include "host/controls/HintWindow.h"
#include "host/controls/Mouse.h"

namespace zeltrix {

class TDragObjectClassInfo
    : public TzelFamily<TDragObjectClassInfo, TObjectClassInfo, host::TDragObject> {
    ZEL_CLASSINFO(TDragObjectClassInfo)
protected:
    host::THandle FDragHandleSlot = 0;
    host::TPoint FDragPosSlot;
    host::TPoint FDragTargetPosSlot;
    host::THandle FInstanceSlot = 0;
};
ZEL_PLAIN_CLASSINFO(TBaseDragControlObjectClassInfo, TDragObjectClassInfo,
                    host::TBaseDragControlObject);
ZEL_PLAIN_CLASSINFO(TDragControlObjectClassInfo, TBaseDragControlObjectClassInfo,
                    host::TDragControlObject);
class TDragDockObjectClassInfo : public TzelFamily<TDragDockObjectClassInfo,
                                                   TBaseDragControlObjectClassInfo,
                                                   host::TDragDockObject> {
    ZEL_CLASSINFO(TDragDockObjectClassInfo)
protected:
    host::TRect FDockRectSlot;
};
ZEL_PLAIN_CLASSINFO(TControlCanvasClassInfo, TCanvasClassInfo, host::TControlCanvas);
ZEL_PLAIN_CLASSINFO(TControlActionLinkClassInfo, TActionLinkClassInfo, host::TControlActionLink);
ZEL_PLAIN_CLASSINFO(TSizeConstraintsClassInfo, TPersistentClassInfo, host::TSizeConstraints);
class TControlClassInfo : public TzelFamily<TControlClassInfo, TComponentClassInfo, host::TControl> {
    ZEL_CLASSINFO(TControlClassInfo)
protected:
    host::TScalingFlags FScalingFlagsSlot;
    host::TAnchors FAnchorsSlot;
    host::TRect FBoundsRectSlot;
    host::TPoint FClientOriginSlot;
    host::TRect FClientRectSlot;
    host::TControlState FControlStateSlot;
    host::TControlStyle FControlStyleSlot;
    host::TPoint FClientToScreenSlot;
    host::TPoint FScreenToClientSlot;
};
ZEL_PLAIN_CLASSINFO(TWinControlActionLinkClassInfo, TControlActionLinkClassInfo,
                    host::TWinControlActionLink);
class TWinControlClassInfo
    : public TzelFamily<TWinControlClassInfo, TControlClassInfo, host::TWinControl> {
    ZEL_CLASSINFO(TWinControlClassInfo)
protected:
    host::TBevelEdges FBevelEdgesSlot;
    host::HWND FWindowHandleSlot = 0;
    host::HWND FParentWindowSlot = 0;
    host::HWND FHandleSlot = 0;
};
ZEL_PLAIN_CLASSINFO(TGraphicControlClassInfo, TControlClassInfo, host::TGraphicControl);
ZEL_PLAIN_CLASSINFO(TCustomControlClassInfo, TWinControlClassInfo, host::TCustomControl);
class THintWindowClassInfo
    : public TzelFamily<THintWindowClassInfo, TCustomControlClassInfo, host::THintWindow> {
    ZEL_CLASSINFO(THintWindowClassInfo)
protected:
    host::TRect FCalcHintRectSlot;
};
ZEL_PLAIN_CLASSINFO(TDragImageListClassInfo, TCustomImageListClassInfo, host::TDragImageList);
ZEL_PLAIN_CLASSINFO(TImageListClassInfo, TDragImageListClassInfo, host::TImageList);
ZEL_PLAIN_CLASSINFO(TDockZoneClassInfo, TObjectClassInfo, host::TDockZone);
ZEL_PLAIN_CLASSINFO(TDockTreeClassInfo, TInterfacedObjectClassInfo, host::TDockTree);
class TMouseClassInfo : public TzelFamily<TMouseClassInfo, TObjectClassInfo, host::TMouse> {
    ZEL_CLASSINFO(TMouseClassInfo)
protected:
    host::THandle FCaptureSlot = 0;
    host::TPoint FCursorPosSlot;
    host::Cardinal FRegWheelMessageSlot = 0;
};

namespace Zelcontrols {
void Initialize();
void Finalize();
} // namespace Zelcontrols

} // namespace zeltrix
