// What a draw grid and a string grid publish, in the order form files hold them.
#pragma once

#include "host/classes/TypInfoRows.h"

namespace host {

inline constexpr TPropInfo GridPublishedProps[] = {
    "Align",          "Anchors",          "BiDiMode",       "BorderStyle",      "Color",
    "ColCount",       "Constraints",      "Ctl3D",          "DefaultColWidth",  "DefaultRowHeight",
    "DefaultDrawing", "DragCursor",       "DragKind",       "DragMode",         "Enabled",
    "FixedColor",     "FixedCols",        "RowCount",       "FixedRows",        "Font",
    "GridLineWidth",  "Options",          "ParentBiDiMode", "ParentColor",      "ParentCtl3D",
    "ParentFont",     "ParentShowHint",   "PopupMenu",      "ScrollBars",       "ShowHint",
    "TabOrder",       "TabStop",          "Visible",        "OnClick",          "OnColumnMoved",
    "OnDblClick",     "OnDragDrop",       "OnDragOver",     "OnDrawCell",       "OnEndDock",
    "OnEndDrag",      "OnEnter",          "OnExit",         "OnGetEditMask",    "OnGetEditText",
    "OnKeyDown",      "OnKeyPress",       "OnKeyUp",        "OnMouseDown",      "OnMouseMove",
    "OnMouseUp",      "OnMouseWheelDown", "OnMouseWheelUp", "OnRowMoved",       "OnSelectCell",
    "OnSetEditText",  "OnStartDock",      "OnStartDrag",    "OnTopLeftChanged",
};

} // namespace host
