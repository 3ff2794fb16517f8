// The class infos of tab and page controls, status bars and header controls.
#include "classinfo/Zelcomctrls.h"

#include "core/ClassInfoRows.h"
#include "host/imglist/ImgList.h"

namespace zeltrix {

using namespace host;

struct TCustomTabControlClassInfo::ZelRows {
    using CI = TCustomTabControlClassInfo;
    using H = TCustomTabControl;
    static constexpr auto Properties =
        zelRows(ZEL_PROP_R_SLOT(H, DisplayRect).protected_(), ZEL_PROP(H, HotTrack).protected_(),
                ZEL_PROP(H, Images).protected_(), ZEL_PROP(H, MultiLine).protected_(),
                ZEL_PROP(H, MultiSelect).protected_(), ZEL_PROP(H, OwnerDraw).protected_(),
                ZEL_PROP(H, RaggedRight).protected_(), ZEL_PROP(H, ScrollOpposite).protected_(),
                ZEL_PROP(H, Style).protected_(), ZEL_PROP(H, TabHeight).protected_(),
                ZEL_PROP(H, TabIndex).protected_(), ZEL_PROP(H, TabPosition).protected_(),
                ZEL_PROP(H, Tabs).protected_(), ZEL_PROP(H, TabWidth).protected_(),
                ZEL_PROP_R(H, Canvas), public_("TabStop"));
    static constexpr TzelEventRow Events[] = {
        ZEL_EVENT(H, OnChange, "Sender").protected_(),
        ZEL_EVENT(H, OnChanging, "Sender,AllowChange").protected_(),
        ZEL_EVENT(H, OnDrawTab, "Control,TabIndex,Rect,Active").protected_(),
        ZEL_EVENT(H, OnGetImageIndex, "Sender,TabIndex,ImageIndex").protected_(),
    };
};
ZEL_TABLE(TCustomTabControlClassInfo);

struct TTabControlClassInfo::ZelRows {
    static constexpr auto Properties = zelRows(
        public_("DisplayRect"),
        published("Align", "Anchors", "BiDiMode", "Constraints", "DockSite", "DragCursor",
                  "DragKind", "DragMode", "Enabled", "Font", "HotTrack", "Images", "MultiLine",
                  "MultiSelect", "OwnerDraw", "ParentBiDiMode", "ParentFont", "ParentShowHint",
                  "PopupMenu", "RaggedRight", "ScrollOpposite", "ShowHint", "Style", "TabHeight",
                  "TabOrder", "TabPosition", "Tabs", "TabIndex", "TabStop", "TabWidth", "Visible"));
    static constexpr auto Events =
        zelRows(published("OnChange", "OnChanging", "OnDockDrop", "OnDockOver", "OnDragDrop",
                          "OnDragOver", "OnDrawTab", "OnEndDock", "OnEndDrag", "OnEnter", "OnExit",
                          "OnGetImageIndex", "OnGetSiteInfo", "OnMouseDown", "OnMouseMove",
                          "OnMouseUp", "OnResize", "OnStartDock", "OnStartDrag", "OnUnDock"));
};
ZEL_TABLE(TTabControlClassInfo);

struct TTabSheetClassInfo::ZelRows {
    using H = TTabSheet;
    static constexpr auto Properties = zelRows(
        ZEL_PROP(H, PageControl), ZEL_PROP_R(H, TabIndex), ZEL_PROP(H, ImageIndex).published(),
        ZEL_PROP(H, PageIndex).published(), ZEL_PROP(H, TabVisible).published(),
        published("BorderWidth", "Caption", "DragMode", "Enabled", "Font", "Height", "Left",
                  "Constraints", "ParentFont", "ParentShowHint", "PopupMenu", "ShowHint", "Top",
                  "Visible", "Width"));
    static constexpr auto Events = zelRows(
        ZEL_EVENT(H, OnHide, "Sender").published(), ZEL_EVENT(H, OnShow, "Sender").published(),
        published("OnDragDrop", "OnDragOver", "OnEndDrag", "OnEnter", "OnExit", "OnMouseDown",
                  "OnMouseMove", "OnMouseUp", "OnResize", "OnStartDrag"));
};
ZEL_TABLE(TTabSheetClassInfo);

struct TPageControlClassInfo::ZelRows {
    using H = TPageControl;
    static constexpr auto Properties = zelRows(
        ZEL_PROP_R(H, PageCount), ZEL_PROP_R(H, Pages, "Index"),
        ZEL_PROP(H, ActivePage).published(),
        published("Align", "Anchors", "BiDiMode", "Constraints", "DockSite", "DragCursor",
                  "DragKind", "DragMode", "Enabled", "Font", "HotTrack", "Images", "MultiLine",
                  "OwnerDraw", "ParentBiDiMode", "ParentFont", "ParentShowHint", "PopupMenu",
                  "RaggedRight", "ScrollOpposite", "ShowHint", "Style", "TabHeight", "TabOrder",
                  "TabPosition", "TabStop", "TabWidth", "Visible"));
    static constexpr TzelMethodRow Methods[] = {
        ZEL_FUNC(H, FindNextPage, "CurPage,GoForward,CheckTabVisible"),
        ZEL_PROC(H, SelectNextPage, "GoForward"),
    };
    static constexpr auto Events =
        zelRows(published("OnChange", "OnChanging", "OnDockDrop", "OnDockOver", "OnDragDrop",
                          "OnDragOver", "OnDrawTab", "OnEndDock", "OnEndDrag", "OnEnter", "OnExit",
                          "OnGetImageIndex", "OnGetSiteInfo", "OnMouseDown", "OnMouseMove",
                          "OnMouseUp", "OnResize", "OnStartDock", "OnStartDrag", "OnUnDock"));
};
ZEL_TABLE(TPageControlClassInfo);

struct TStatusPanelClassInfo::ZelRows {
    using H = TStatusPanel;
    static constexpr TzelPropRow Properties[] = {
        ZEL_PROP(H, Alignment).published(), ZEL_PROP(H, Bevel).published(),
        ZEL_PROP(H, BiDiMode).published(),  ZEL_PROP(H, ParentBiDiMode).published(),
        ZEL_PROP(H, Style).published(),     ZEL_PROP(H, Text).published(),
        ZEL_PROP(H, Width).published(),
    };
    static constexpr TzelMethodRow Methods[] = {
        ZEL_PROC(H, ParentBiDiModeChanged),
        ZEL_FUNC(H, UseRightToLeftAlignment),
        ZEL_FUNC(H, UseRightToLeftReading),
    };
};
ZEL_TABLE(TStatusPanelClassInfo);

struct TStatusPanelsClassInfo::ZelRows {
    using H = TStatusPanels;
    static constexpr TzelPropRow Properties[] = {ZEL_PROP(H, Items, "Index")};
    static constexpr TzelMethodRow Methods[] = {ZEL_FUNC(H, Add)};
    static constexpr TzelCtorRow Constructors[] = {ctor("Create", "StatusBar")};
};
ZEL_TABLE(TStatusPanelsClassInfo);

struct TStatusBarClassInfo::ZelRows {
    using H = TStatusBar;
    static constexpr auto Properties = zelRows(
        ZEL_PROP_R(H, Canvas), ZEL_PROP(H, AutoHint).published(), ZEL_PROP(H, Panels).published(),
        ZEL_PROP(H, SimplePanel).published(), ZEL_PROP(H, SimpleText).published(),
        ZEL_PROP(H, SizeGrip).published(), ZEL_PROP(H, UseSystemFont).published(),
        published("Action", "Align", "Anchors", "BiDiMode", "BorderWidth", "Color", "DragCursor",
                  "DragKind", "DragMode", "Enabled", "Font", "Constraints", "ParentBiDiMode",
                  "ParentColor", "ParentFont", "ParentShowHint", "PopupMenu", "ShowHint",
                  "Visible"));
    static constexpr auto Events =
        zelRows(ZEL_EVENT(H, OnHint, "Sender").published(),
                ZEL_EVENT(H, OnDrawPanel, "StatusBar,Panel,Rect").published(),
                published("OnClick", "OnDblClick", "OnDragDrop", "OnDragOver", "OnEndDock",
                          "OnEndDrag", "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnResize",
                          "OnStartDock", "OnStartDrag"));
};
ZEL_TABLE(TStatusBarClassInfo);

struct THeaderSectionClassInfo::ZelRows {
    using H = THeaderSection;
    static constexpr auto Properties =
        zelRows(ZEL_PROP_R(H, Left), ZEL_PROP_R(H, Right), ZEL_PROP(H, Alignment).published(),
                ZEL_PROP(H, AllowClick).published(), ZEL_PROP(H, AutoSize).published(),
                ZEL_PROP(H, BiDiMode).published(), ZEL_PROP(H, MaxWidth).published(),
                ZEL_PROP(H, MinWidth).published(), ZEL_PROP(H, ParentBiDiMode).published(),
                ZEL_PROP(H, Style).published(), ZEL_PROP(H, Text).published(),
                ZEL_PROP(H, Width).published());
    static constexpr TzelMethodRow Methods[] = {
        ZEL_PROC(H, ParentBiDiModeChanged),
        ZEL_FUNC(H, UseRightToLeftAlignment),
        ZEL_FUNC(H, UseRightToLeftReading),
    };
};
ZEL_TABLE(THeaderSectionClassInfo);

struct THeaderSectionsClassInfo::ZelRows {
    using H = THeaderSections;
    static constexpr TzelPropRow Properties[] = {ZEL_PROP(H, Items, "Index")};
    static constexpr TzelMethodRow Methods[] = {ZEL_FUNC(H, Add)};
    static constexpr TzelCtorRow Constructors[] = {ctor("Create", "HeaderControl")};
};
ZEL_TABLE(THeaderSectionsClassInfo);

struct THeaderControlClassInfo::ZelRows {
    using H = THeaderControl;
    static constexpr auto Properties = zelRows(
        ZEL_PROP_R(H, Canvas), ZEL_PROP(H, FullDrag).published(), ZEL_PROP(H, HotTrack).published(),
        ZEL_PROP(H, Sections).published(), ZEL_PROP(H, Style).published(),
        published("Align", "Anchors", "BiDiMode", "BorderWidth", "DragCursor", "DragKind",
                  "DragMode", "Enabled", "Font", "Constraints", "ShowHint", "ParentBiDiMode",
                  "ParentFont", "ParentShowHint", "PopupMenu", "Visible"));
    static constexpr auto Events =
        zelRows(ZEL_EVENT(H, OnDrawSection, "HeaderControl,Section,Rect,Pressed").published(),
                ZEL_EVENT(H, OnSectionClick, "HeaderControl,Section").published(),
                ZEL_EVENT(H, OnSectionResize, "HeaderControl,Section").published(),
                ZEL_EVENT(H, OnSectionTrack, "HeaderControl,Section,Width,State").published(),
                published("OnDragDrop", "OnDragOver", "OnEndDock", "OnEndDrag", "OnMouseDown",
                          "OnMouseMove", "OnMouseUp", "OnResize", "OnStartDock", "OnStartDrag"));
};
ZEL_TABLE(THeaderControlClassInfo);

} // namespace zeltrix
