// The extended controls' class infos and the unit's registration.
#include "classinfo/Zelextctrls.h"

#include "core/ClassInfoRows.h"
#include "host/graphics/Picture.h"

namespace zeltrix {

using namespace host;

struct TShapeClassInfo::ZelRows {
    using H = TShape;
    static constexpr auto Properties =
        zelRows(ZEL_PROP(H, Brush).published(), ZEL_PROP(H, Pen).published(),
                ZEL_PROP(H, Shape).published(),
                published("Align", "Anchors", "DragCursor", "DragKind", "DragMode", "Enabled",
                          "Constraints", "ParentShowHint", "ShowHint", "Visible"));
    static constexpr TzelMethodRow Methods[] = {
        ZEL_PROC(H, StyleChanged, "Sender"),
    };
    static constexpr auto Events =
        zelRows(published("OnDragDrop", "OnDragOver", "OnEndDock", "OnEndDrag", "OnMouseDown",
                          "OnMouseMove", "OnMouseUp", "OnStartDock", "OnStartDrag"));
};
ZEL_TABLE(TShapeClassInfo);

struct TPaintBoxClassInfo::ZelRows {
    using H = TPaintBox;
    static constexpr auto Properties =
        zelRows(public_("Canvas"),
                published("Align", "Anchors", "Color", "Constraints", "DragCursor", "DragKind",
                          "DragMode", "Enabled", "Font", "ParentColor", "ParentFont",
                          "ParentShowHint", "PopupMenu", "ShowHint", "Visible"));
    static constexpr auto Events = zelRows(
        ZEL_EVENT(H, OnPaint, "Sender").published(),
        published("OnClick", "OnDblClick", "OnDragDrop", "OnDragOver", "OnEndDock", "OnEndDrag",
                  "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnStartDock", "OnStartDrag"));
};
ZEL_TABLE(TPaintBoxClassInfo);

struct TImageClassInfo::ZelRows {
    using H = TImage;
    static constexpr auto Properties = zelRows(
        ZEL_PROP_R(H, Canvas), ZEL_PROP(H, Center).published(),
        ZEL_PROP(H, IncrementalDisplay).published(), ZEL_PROP(H, Picture).published(),
        ZEL_PROP(H, Stretch).published(), ZEL_PROP(H, Transparent).published(),
        published("Align", "Anchors", "AutoSize", "Constraints", "DragCursor", "DragKind",
                  "DragMode", "Enabled", "ParentShowHint", "PopupMenu", "ShowHint", "Visible"));
    static constexpr auto Events = zelRows(
        ZEL_EVENT(H, OnProgress, "Sender,Stage,PercentDone,RedrawNow,R,Msg").published(),
        published("OnClick", "OnDblClick", "OnDragDrop", "OnDragOver", "OnEndDock", "OnEndDrag",
                  "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnStartDock", "OnStartDrag"));
};
ZEL_TABLE(TImageClassInfo);

struct TBevelClassInfo::ZelRows {
    using H = TBevel;
    static constexpr auto Properties = zelRows(
        ZEL_PROP(H, Shape).published(), ZEL_PROP(H, Style).published(),
        published("Align", "Anchors", "Constraints", "ParentShowHint", "ShowHint", "Visible"));
};
ZEL_TABLE(TBevelClassInfo);

struct TTimerClassInfo::ZelRows {
    using CI = TTimerClassInfo;
    using H = TTimer;
    static constexpr TzelPropRow Properties[] = {
        ZEL_PROP(H, Enabled).published(),
        prop<&H::GetInterval, &H::SetInterval, &CI::FIntervalSlot>("Interval").published(),
    };
    // Hooked through the timer's own setter, so that the timer starts and stops with it.
    static constexpr TzelEventRow Events[] = {
        ZEL_EVENT(H, OnTimer, "Sender").published(),
    };
};
ZEL_TABLE(TTimerClassInfo);

struct TCustomPanelClassInfo::ZelRows {
    using H = TCustomPanel;
    static constexpr auto Properties =
        zelRows(ZEL_PROP(H, Alignment).protected_(), ZEL_PROP(H, BevelInner).protected_(),
                ZEL_PROP(H, BevelOuter).protected_(), ZEL_PROP(H, BevelWidth).protected_(),
                ZEL_PROP(H, BorderWidth).protected_(), ZEL_PROP(H, BorderStyle).protected_(),
                ZEL_PROP(H, FullRepaint).protected_(), ZEL_PROP(H, Locked).protected_(),
                protected_("Color", "ParentColor"));
};
ZEL_TABLE(TCustomPanelClassInfo);

struct TPanelClassInfo::ZelRows {
    static constexpr auto Properties = zelRows(
        public_("DockManager"),
        published("Align", "Alignment", "Anchors", "AutoSize", "BevelInner", "BevelOuter",
                  "BevelWidth", "BiDiMode", "BorderWidth", "BorderStyle", "Caption", "Color",
                  "Constraints", "Ctl3D", "UseDockManager", "DockSite", "DragCursor", "DragKind",
                  "DragMode", "Enabled", "FullRepaint", "Font", "Locked", "ParentBiDiMode",
                  "ParentColor", "ParentCtl3D", "ParentFont", "ParentShowHint", "PopupMenu",
                  "ShowHint", "TabOrder", "TabStop", "Visible"));
    static constexpr auto Events = zelRows(
        published("OnCanResize", "OnClick", "OnConstrainedResize", "OnDockDrop", "OnDockOver",
                  "OnDblClick", "OnDragDrop", "OnDragOver", "OnEndDock", "OnEndDrag", "OnEnter",
                  "OnExit", "OnGetSiteInfo", "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnResize",
                  "OnStartDock", "OnStartDrag", "OnUnDock"));
};
ZEL_TABLE(TPanelClassInfo);

struct TPageClassInfo::ZelRows {
    static constexpr auto Properties =
        zelRows(published("Caption", "Height", "TabOrder", "Visible", "Width"));
};
ZEL_TABLE(TPageClassInfo);

struct TNotebookClassInfo::ZelRows {
    using H = TNotebook;
    static constexpr auto Properties = zelRows(
        ZEL_PROP(H, ActivePage).published(), ZEL_PROP(H, PageIndex).published(),
        ZEL_PROP(H, Pages).published(),
        published("Align", "Anchors", "Color", "Ctl3D", "DragCursor", "DragKind", "DragMode",
                  "Font", "Enabled", "Constraints", "ParentColor", "ParentCtl3D", "ParentFont",
                  "ParentShowHint", "PopupMenu", "ShowHint", "TabOrder", "TabStop", "Visible"));
    static constexpr auto Events =
        zelRows(ZEL_EVENT(H, OnPageChanged, "Sender").published(),
                published("OnClick", "OnDblClick", "OnDragDrop", "OnDragOver", "OnEndDock",
                          "OnEndDrag", "OnEnter", "OnExit", "OnMouseDown", "OnMouseMove",
                          "OnMouseUp", "OnStartDock", "OnStartDrag"));
};
ZEL_TABLE(TNotebookClassInfo);

struct THeaderClassInfo::ZelRows {
    using H = THeader;
    static constexpr auto Properties = zelRows(
        ZEL_PROP(H, SectionWidth, "X"), ZEL_PROP(H, AllowResize).published(),
        ZEL_PROP(H, BorderStyle).published(), ZEL_PROP(H, Sections).published(),
        published("Align", "Anchors", "Constraints", "Enabled", "Font", "ParentFont",
                  "ParentShowHint", "PopupMenu", "ShowHint", "TabOrder", "TabStop", "Visible"));
    static constexpr TzelEventRow Events[] = {
        ZEL_EVENT(H, OnSizing, "Sender,ASection,AWidth").published(),
        ZEL_EVENT(H, OnSized, "Sender,ASection,AWidth").published(),
    };
};
ZEL_TABLE(THeaderClassInfo);

struct TCustomRadioGroupClassInfo::ZelRows {
    using H = TCustomRadioGroup;
    static constexpr TzelPropRow Properties[] = {
        ZEL_PROP(H, Columns).protected_(),
        ZEL_PROP(H, ItemIndex).protected_(),
        ZEL_PROP(H, Items).protected_(),
    };
};
ZEL_TABLE(TCustomRadioGroupClassInfo);

struct TRadioGroupClassInfo::ZelRows {
    static constexpr auto Properties = zelRows(
        published("Align", "Anchors", "BiDiMode", "Caption", "Color", "Columns", "Ctl3D",
                  "DragCursor", "DragKind", "DragMode", "Enabled", "Font", "ItemIndex", "Items",
                  "Constraints", "ParentBiDiMode", "ParentColor", "ParentCtl3D", "ParentFont",
                  "ParentShowHint", "PopupMenu", "ShowHint", "TabOrder", "TabStop", "Visible"));
    static constexpr auto Events =
        zelRows(published("OnClick", "OnDragDrop", "OnDragOver", "OnEndDock", "OnEndDrag",
                          "OnEnter", "OnExit", "OnStartDock", "OnStartDrag"));
};
ZEL_TABLE(TRadioGroupClassInfo);

struct TSplitterClassInfo::ZelRows {
    using H = TSplitter;
    static constexpr auto Properties =
        zelRows(ZEL_PROP(H, Beveled).published(), ZEL_PROP(H, MinSize).published(),
                ZEL_PROP(H, ResizeStyle).published(),
                published("Align", "Color", "Constraints", "ParentColor", "Visible"));
    // The splitter's own OnCanResize, in place of the control's of that name.
    static constexpr TzelEventRow Events[] = {
        ZEL_EVENT(H, OnCanResize, "Sender,NewSize,Accept").published(),
        ZEL_EVENT(H, OnMoved, "Sender").published(),
        ZEL_EVENT(H, OnPaint, "Sender").published(),
    };
};
ZEL_TABLE(TSplitterClassInfo);

struct TCustomControlBarClassInfo::ZelRows {
    using H = TCustomControlBar;
    static constexpr auto Properties = zelRows(
        ZEL_PROP(H, Picture), ZEL_PROP(H, AutoDrag).protected_(), ZEL_PROP(H, RowSize).protected_(),
        ZEL_PROP(H, RowSnap).protected_(), protected_("AutoSize", "BevelKind", "DockSite"));
    static constexpr TzelMethodRow Methods[] = {
        ZEL_PROC(H, StickControls),
    };
    static constexpr TzelEventRow Events[] = {
        ZEL_EVENT(H, OnBandDrag, "Sender,Control,Drag").protected_(),
        ZEL_EVENT(H, OnBandInfo, "Sender,Control,Insets,PreferredSize,RowCount").protected_(),
        ZEL_EVENT(H, OnBandMove, "Sender,Control,ARect").protected_(),
        ZEL_EVENT(H, OnBandPaint, "Sender,Control,Canvas,ARect,Options").protected_(),
        ZEL_EVENT(H, OnPaint, "Sender").protected_(),
    };
};
ZEL_TABLE(TCustomControlBarClassInfo);

struct TControlBarClassInfo::ZelRows {
    static constexpr auto Properties = zelRows(
        public_("Canvas"),
        published("Align", "Anchors", "AutoDrag", "AutoSize", "BevelEdges", "BevelInner",
                  "BevelOuter", "BevelKind", "BevelWidth", "BorderWidth", "Color", "Constraints",
                  "DockSite", "DragCursor", "DragKind", "DragMode", "Enabled", "ParentColor",
                  "ParentCtl3D", "ParentFont", "ParentShowHint", "Picture", "PopupMenu", "RowSize",
                  "RowSnap", "ShowHint", "TabOrder", "TabStop", "Visible"));
    static constexpr auto Events = zelRows(
        published("OnBandDrag", "OnBandInfo", "OnBandMove", "OnBandPaint", "OnCanResize", "OnClick",
                  "OnConstrainedResize", "OnDockDrop", "OnDockOver", "OnDblClick", "OnDragDrop",
                  "OnDragOver", "OnEndDock", "OnEndDrag", "OnEnter", "OnExit", "OnGetSiteInfo",
                  "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnPaint", "OnResize", "OnStartDock",
                  "OnStartDrag", "OnUnDock"));
};
ZEL_TABLE(TControlBarClassInfo);

namespace Zelextctrls {
namespace {
constexpr const TzelClassTable* Tables[] = {
    &TShapeClassInfo::ZelTable,
    &TPaintBoxClassInfo::ZelTable,
    &TImageClassInfo::ZelTable,
    &TBevelClassInfo::ZelTable,
    &TTimerClassInfo::ZelTable,
    &TCustomPanelClassInfo::ZelTable,
    &TPanelClassInfo::ZelTable,
    &TPageClassInfo::ZelTable,
    &TNotebookClassInfo::ZelTable,
    &THeaderClassInfo::ZelTable,
    &TCustomRadioGroupClassInfo::ZelTable,
    &TRadioGroupClassInfo::ZelTable,
    &TSplitterClassInfo::ZelTable,
    &TCustomControlBarClassInfo::ZelTable,
    &TControlBarClassInfo::ZelTable,
};
} // namespace

void Initialize() {
    zelInitializeUnit(Tables);
}
void Finalize() {
    zelFinalizeUnit(Tables);
}
} // namespace Zelextctrls

} // namespace zeltrix
