// The standard controls' class infos and the unit's registration.
#include "classinfo/Zelstdctrls.h"

#include "core/ClassInfoRows.h"

namespace zeltrix {

using namespace host;

struct TCustomGroupBoxClassInfo::ZelRows {};
ZEL_TABLE(TCustomGroupBoxClassInfo);

struct TGroupBoxClassInfo::ZelRows {
    using H = TGroupBox;
    static constexpr auto Properties = zelRows(
        published("Align", "Anchors", "BiDiMode", "Caption", "Color", "Constraints", "Ctl3D",
                  "DockSite", "DragCursor", "DragKind", "DragMode", "Enabled", "Font",
                  "ParentBiDiMode", "ParentColor", "ParentCtl3D", "ParentFont", "ParentShowHint",
                  "PopupMenu", "ShowHint", "TabOrder", "TabStop", "Visible"));
    static constexpr auto Events = zelRows(
        published("OnClick", "OnDblClick", "OnDragDrop", "OnDockDrop", "OnDockOver", "OnDragOver",
                  "OnEndDock", "OnEndDrag", "OnEnter", "OnExit", "OnGetSiteInfo", "OnMouseDown",
                  "OnMouseMove", "OnMouseUp", "OnStartDock", "OnStartDrag", "OnUnDock"));
};
ZEL_TABLE(TGroupBoxClassInfo);

struct TCustomLabelClassInfo::ZelRows {
    using H = TCustomLabel;
    static constexpr auto Properties =
        zelRows(ZEL_PROP(H, Alignment).protected_(), ZEL_PROP(H, AutoSize).protected_(),
                ZEL_PROP(H, FocusControl).protected_(), ZEL_PROP(H, ShowAccelChar).protected_(),
                ZEL_PROP(H, Transparent).protected_(), ZEL_PROP(H, Layout).protected_(),
                ZEL_PROP(H, WordWrap).protected_(), public_("Canvas"));
};
ZEL_TABLE(TCustomLabelClassInfo);

struct TLabelClassInfo::ZelRows {
    using H = TLabel;
    static constexpr auto Properties = zelRows(published(
        "Align", "Alignment", "Anchors", "AutoSize", "BiDiMode", "Caption", "Color", "Constraints",
        "DragCursor", "DragKind", "DragMode", "Enabled", "FocusControl", "Font", "ParentBiDiMode",
        "ParentColor", "ParentFont", "ParentShowHint", "PopupMenu", "ShowAccelChar", "ShowHint",
        "Transparent", "Layout", "Visible", "WordWrap"));
    static constexpr auto Events = zelRows(
        published("OnClick", "OnDblClick", "OnDragDrop", "OnDragOver", "OnEndDock", "OnEndDrag",
                  "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnStartDock", "OnStartDrag"));
};
ZEL_TABLE(TLabelClassInfo);

struct TCustomEditClassInfo::ZelRows {
    using H = TCustomEdit;
    static constexpr auto Properties =
        zelRows(ZEL_PROP(H, AutoSelect).protected_(), ZEL_PROP(H, AutoSize).protected_(),
                ZEL_PROP(H, BorderStyle).protected_(), ZEL_PROP(H, CharCase).protected_(),
                ZEL_PROP(H, HideSelection).protected_(), ZEL_PROP(H, MaxLength).protected_(),
                ZEL_PROP(H, OEMConvert).protected_(), ZEL_PROP(H, PasswordChar).protected_(),
                ZEL_PROP(H, ReadOnly).protected_(), ZEL_PROP_R(H, CanUndo), ZEL_PROP(H, Modified),
                ZEL_PROP(H, SelLength), ZEL_PROP(H, SelStart), ZEL_PROP(H, SelText),
                protected_("ParentColor"), public_("Text"), published("TabStop"));
    static constexpr TzelMethodRow Methods[] = {
        ZEL_PROC(H, Clear),
        ZEL_PROC(H, ClearSelection),
        ZEL_PROC(H, CopyToClipboard),
        ZEL_PROC(H, CutToClipboard),
        ZEL_PROC(H, PasteFromClipboard),
        ZEL_PROC(H, Undo),
        ZEL_PROC(H, ClearUndo),
        ZEL_FUNC(H, GetSelTextBuf, "Buffer,BufSize"),
        ZEL_PROC(H, SelectAll),
        ZEL_PROC(H, SetSelTextBuf, "Buffer"),
    };
    static constexpr TzelEventRow Events[] = {
        ZEL_EVENT(H, OnChange, "Sender").protected_(),
    };
};
ZEL_TABLE(TCustomEditClassInfo);

struct TEditClassInfo::ZelRows {
    using H = TEdit;
    static constexpr auto Properties = zelRows(published(
        "Anchors", "AutoSelect", "AutoSize", "BiDiMode", "BorderStyle", "CharCase", "Color",
        "Constraints", "Ctl3D", "DragCursor", "DragKind", "DragMode", "Enabled", "Font",
        "HideSelection", "ImeMode", "ImeName", "MaxLength", "OEMConvert", "ParentBiDiMode",
        "ParentColor", "ParentCtl3D", "ParentFont", "ParentShowHint", "PasswordChar", "PopupMenu",
        "ReadOnly", "ShowHint", "TabOrder", "TabStop", "Text", "Visible"));
    static constexpr auto Events = zelRows(
        published("OnChange", "OnClick", "OnDblClick", "OnDragDrop", "OnDragOver", "OnEndDock",
                  "OnEndDrag", "OnEnter", "OnExit", "OnKeyDown", "OnKeyPress", "OnKeyUp",
                  "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnStartDock", "OnStartDrag"));
};
ZEL_TABLE(TEditClassInfo);

struct TCustomMemoClassInfo::ZelRows {
    using CI = TCustomMemoClassInfo;
    using H = TCustomMemo;
    static constexpr TzelPropRow Properties[] = {
        ZEL_PROP(H, Alignment).protected_(),
        ZEL_PROP(H, ScrollBars).protected_(),
        ZEL_PROP(H, WantReturns).protected_(),
        ZEL_PROP(H, WantTabs).protected_(),
        ZEL_PROP(H, WordWrap).protected_(),
        ZEL_PROP_R_SLOT(H, CaretPos),
        ZEL_PROP(H, Lines),
    };
};
ZEL_TABLE(TCustomMemoClassInfo);

struct TMemoClassInfo::ZelRows {
    static constexpr auto Properties = zelRows(published(
        "Align", "Alignment", "Anchors", "BiDiMode", "BorderStyle", "Color", "Constraints", "Ctl3D",
        "DragCursor", "DragKind", "DragMode", "Enabled", "Font", "HideSelection", "ImeMode",
        "ImeName", "Lines", "MaxLength", "OEMConvert", "ParentBiDiMode", "ParentColor",
        "ParentCtl3D", "ParentFont", "ParentShowHint", "PopupMenu", "ReadOnly", "ScrollBars",
        "ShowHint", "TabOrder", "TabStop", "Visible", "WantReturns", "WantTabs", "WordWrap"));
    static constexpr auto Events = zelRows(
        published("OnChange", "OnClick", "OnDblClick", "OnDragDrop", "OnDragOver", "OnEndDock",
                  "OnEndDrag", "OnEnter", "OnExit", "OnKeyDown", "OnKeyPress", "OnKeyUp",
                  "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnStartDock", "OnStartDrag"));
};
ZEL_TABLE(TMemoClassInfo);

struct TCustomComboBoxClassInfo::ZelRows {
    using CI = TCustomComboBoxClassInfo;
    using H = TCustomComboBox;
    static constexpr auto Properties = zelRows(
        ZEL_PROP(H, DropDownCount).protected_(), ZEL_PROP_R_SLOT(H, EditHandle).protected_(),
        ZEL_PROP(H, ItemHeight).protected_(), ZEL_PROP_R_SLOT(H, ListHandle).protected_(),
        ZEL_PROP(H, MaxLength).protected_(), ZEL_PROP(H, Sorted).protected_(),
        ZEL_PROP(H, Style).protected_(), ZEL_PROP(H, CharCase), ZEL_PROP_R(H, Canvas),
        ZEL_PROP(H, DroppedDown), ZEL_PROP(H, Items), ZEL_PROP(H, ItemIndex),
        ZEL_PROP(H, SelLength), ZEL_PROP(H, SelStart), ZEL_PROP(H, SelText),
        protected_("ParentColor"), published("TabStop"));
    static constexpr TzelMethodRow Methods[] = {
        ZEL_PROC(H, Clear),
        ZEL_PROC(H, SelectAll),
    };
    static constexpr TzelEventRow Events[] = {
        ZEL_EVENT(H, OnChange, "Sender").protected_(),
        ZEL_EVENT(H, OnDropDown, "Sender").protected_(),
        ZEL_EVENT(H, OnDrawItem, "Control,Index,Rect,State").protected_(),
        ZEL_EVENT(H, OnMeasureItem, "Control,Index,Height").protected_(),
    };
};
ZEL_TABLE(TCustomComboBoxClassInfo);

struct TComboBoxClassInfo::ZelRows {
    static constexpr auto Properties = zelRows(published(
        "Style", "Anchors", "BiDiMode", "Color", "Constraints", "Ctl3D", "DragCursor", "DragKind",
        "DragMode", "DropDownCount", "Enabled", "Font", "ImeMode", "ImeName", "ItemHeight", "Items",
        "MaxLength", "ParentBiDiMode", "ParentColor", "ParentCtl3D", "ParentFont", "ParentShowHint",
        "PopupMenu", "ShowHint", "Sorted", "TabOrder", "TabStop", "Text", "Visible"));
    static constexpr auto Events = zelRows(
        published("OnChange", "OnClick", "OnDblClick", "OnDragDrop", "OnDragOver", "OnDrawItem",
                  "OnDropDown", "OnEndDock", "OnEndDrag", "OnEnter", "OnExit", "OnKeyDown",
                  "OnKeyPress", "OnKeyUp", "OnMeasureItem", "OnStartDock", "OnStartDrag"));
};
ZEL_TABLE(TComboBoxClassInfo);

struct TButtonActionLinkClassInfo::ZelRows {};
ZEL_TABLE(TButtonActionLinkClassInfo);

struct TButtonControlClassInfo::ZelRows {
    using H = TButtonControl;
    static constexpr TzelPropRow Properties[] = {
        ZEL_PROP(H, Checked).protected_(),
        ZEL_PROP(H, ClicksDisabled).protected_(),
    };
};
ZEL_TABLE(TButtonControlClassInfo);

struct TButtonClassInfo::ZelRows {
    using H = TButton;
    static constexpr auto Properties = zelRows(
        ZEL_PROP(H, Cancel).published(), ZEL_PROP(H, Default).published(),
        ZEL_PROP(H, ModalResult).published(),
        published("Action", "Anchors", "BiDiMode", "Caption", "Constraints", "DragCursor",
                  "DragKind", "DragMode", "Enabled", "Font", "ParentBiDiMode", "ParentFont",
                  "ParentShowHint", "PopupMenu", "ShowHint", "TabOrder", "TabStop", "Visible"));
    static constexpr auto Events =
        zelRows(published("OnClick", "OnDragDrop", "OnDragOver", "OnEndDock", "OnEndDrag",
                          "OnEnter", "OnExit", "OnKeyDown", "OnKeyPress", "OnKeyUp", "OnMouseDown",
                          "OnMouseMove", "OnMouseUp", "OnStartDock", "OnStartDrag"));
};
ZEL_TABLE(TButtonClassInfo);

struct TCustomCheckBoxClassInfo::ZelRows {
    using H = TCustomCheckBox;
    static constexpr auto Properties =
        zelRows(ZEL_PROP(H, Alignment).protected_(), ZEL_PROP(H, AllowGrayed).protected_(),
                ZEL_PROP(H, State).protected_(), published("TabStop"));
};
ZEL_TABLE(TCustomCheckBoxClassInfo);

struct TCheckBoxClassInfo::ZelRows {
    using H = TCheckBox;
    static constexpr auto Properties = zelRows(published(
        "Action", "Alignment", "AllowGrayed", "Anchors", "BiDiMode", "Caption", "Checked", "Color",
        "Constraints", "Ctl3D", "DragCursor", "DragKind", "DragMode", "Enabled", "Font",
        "ParentBiDiMode", "ParentColor", "ParentCtl3D", "ParentFont", "ParentShowHint", "PopupMenu",
        "ShowHint", "State", "TabOrder", "TabStop", "Visible"));
    static constexpr auto Events =
        zelRows(published("OnClick", "OnDragDrop", "OnDragOver", "OnEndDock", "OnEndDrag",
                          "OnEnter", "OnExit", "OnKeyDown", "OnKeyPress", "OnKeyUp", "OnMouseDown",
                          "OnMouseMove", "OnMouseUp", "OnStartDock", "OnStartDrag"));
};
ZEL_TABLE(TCheckBoxClassInfo);

struct TRadioButtonClassInfo::ZelRows {
    using H = TRadioButton;
    static constexpr auto Properties = zelRows(
        ZEL_PROP(H, Alignment).published(),
        published("Action", "Anchors", "BiDiMode", "Caption", "Checked", "Color", "Constraints",
                  "Ctl3D", "DragCursor", "DragKind", "DragMode", "Enabled", "Font",
                  "ParentBiDiMode", "ParentColor", "ParentCtl3D", "ParentFont", "ParentShowHint",
                  "PopupMenu", "ShowHint", "TabOrder", "TabStop", "Visible"));
    static constexpr auto Events =
        zelRows(published("OnClick", "OnDblClick", "OnDragDrop", "OnDragOver", "OnEndDock",
                          "OnEndDrag", "OnEnter", "OnExit", "OnKeyDown", "OnKeyPress", "OnKeyUp",
                          "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnStartDock", "OnStartDrag"));
};
ZEL_TABLE(TRadioButtonClassInfo);

struct TCustomListBoxClassInfo::ZelRows {
    using CI = TCustomListBoxClassInfo;
    using H = TCustomListBox;
    static constexpr auto Properties =
        zelRows(ZEL_PROP(H, BorderStyle).protected_(), ZEL_PROP(H, Columns).protected_(),
                ZEL_PROP(H, ExtendedSelect).protected_(), ZEL_PROP(H, IntegralHeight).protected_(),
                ZEL_PROP(H, ItemHeight).protected_(), ZEL_PROP(H, MultiSelect).protected_(),
                ZEL_PROP(H, Sorted).protected_(), ZEL_PROP(H, Style).protected_(),
                ZEL_PROP(H, TabWidth).protected_(), ZEL_PROP_R(H, Canvas), ZEL_PROP(H, Items),
                ZEL_PROP(H, ItemIndex), ZEL_PROP_R(H, SelCount), ZEL_PROP(H, Selected, "Index"),
                ZEL_PROP(H, TopIndex), protected_("ParentColor"), published("TabStop"));
    static constexpr TzelMethodRow Methods[] = {
        ZEL_PROC(H, Clear),
        ZEL_FUNC(H, ItemAtPos, "Pos,Existing"),
        ZEL_FUNC_SLOT(H, ItemRect, "Index"),
    };
    static constexpr TzelEventRow Events[] = {
        ZEL_EVENT(H, OnDrawItem, "Control,Index,Rect,State").protected_(),
        ZEL_EVENT(H, OnMeasureItem, "Control,Index,Height").protected_(),
    };
};
ZEL_TABLE(TCustomListBoxClassInfo);

struct TListBoxClassInfo::ZelRows {
    using H = TListBox;
    static constexpr auto Properties = zelRows(published(
        "Align", "Anchors", "BiDiMode", "BorderStyle", "Color", "Columns", "Constraints", "Ctl3D",
        "DragCursor", "DragKind", "DragMode", "Enabled", "ExtendedSelect", "Font", "ImeMode",
        "ImeName", "IntegralHeight", "ItemHeight", "Items", "MultiSelect", "ParentBiDiMode",
        "ParentColor", "ParentCtl3D", "ParentFont", "ParentShowHint", "PopupMenu", "ShowHint",
        "Sorted", "Style", "TabOrder", "TabStop", "TabWidth", "Visible"));
    static constexpr auto Events = zelRows(published(
        "OnClick", "OnDblClick", "OnDragDrop", "OnDragOver", "OnDrawItem", "OnEndDock", "OnEndDrag",
        "OnEnter", "OnExit", "OnKeyDown", "OnKeyPress", "OnKeyUp", "OnMeasureItem", "OnMouseDown",
        "OnMouseMove", "OnMouseUp", "OnStartDock", "OnStartDrag"));
};
ZEL_TABLE(TListBoxClassInfo);

struct TScrollBarClassInfo::ZelRows {
    using H = TScrollBar;
    static constexpr auto Properties = zelRows(
        ZEL_PROP(H, Kind).published(),
        // The steps go straight into the control, as 16-bit values.
        ZEL_FIELD(H, LargeChange).published(), ZEL_PROP(H, Max).published(),
        ZEL_PROP(H, Min).published(), ZEL_PROP(H, PageSize).published(),
        ZEL_PROP(H, Position).published(), ZEL_FIELD(H, SmallChange).published(),
        published("Align", "Anchors", "BiDiMode", "Constraints", "Ctl3D", "DragCursor", "DragKind",
                  "DragMode", "Enabled", "ParentBiDiMode", "ParentCtl3D", "ParentShowHint",
                  "PopupMenu", "ShowHint", "TabOrder", "TabStop", "Visible"));
    static constexpr TzelMethodRow Methods[] = {
        ZEL_PROC(H, SetParams, "APosition,AMin,AMax"),
    };
    static constexpr auto Events =
        zelRows(ZEL_EVENT(H, OnChange, "Sender").published(),
                published("OnDragDrop", "OnDragOver", "OnEndDock", "OnEndDrag", "OnEnter", "OnExit",
                          "OnKeyDown", "OnKeyPress", "OnKeyUp"),
                ZEL_EVENT(H, OnScroll, "Sender,ScrollCode,ScrollPos").published(),
                published("OnStartDock", "OnStartDrag"));
};
ZEL_TABLE(TScrollBarClassInfo);

struct TCustomStaticTextClassInfo::ZelRows {
    using H = TCustomStaticText;
    static constexpr TzelPropRow Properties[] = {
        ZEL_PROP(H, Alignment).protected_(),     ZEL_PROP(H, AutoSize).protected_(),
        ZEL_PROP(H, BorderStyle).protected_(),   ZEL_PROP(H, FocusControl).protected_(),
        ZEL_PROP(H, ShowAccelChar).protected_(),
    };
};
ZEL_TABLE(TCustomStaticTextClassInfo);

struct TStaticTextClassInfo::ZelRows {
    using H = TStaticText;
    static constexpr auto Properties = zelRows(published(
        "Align", "Alignment", "Anchors", "AutoSize", "BiDiMode", "BorderStyle", "Caption", "Color",
        "Constraints", "DragCursor", "DragKind", "DragMode", "Enabled", "FocusControl", "Font",
        "ParentBiDiMode", "ParentColor", "ParentFont", "ParentShowHint", "PopupMenu",
        "ShowAccelChar", "ShowHint", "TabOrder", "TabStop", "Visible"));
    static constexpr auto Events = zelRows(
        published("OnClick", "OnDblClick", "OnDragDrop", "OnDragOver", "OnEndDock", "OnEndDrag",
                  "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnStartDock", "OnStartDrag"));
};
ZEL_TABLE(TStaticTextClassInfo);

namespace Zelstdctrls {
namespace {
constexpr const TzelClassTable* Tables[] = {
    &TCustomGroupBoxClassInfo::ZelTable,   &TGroupBoxClassInfo::ZelTable,
    &TCustomLabelClassInfo::ZelTable,      &TLabelClassInfo::ZelTable,
    &TCustomEditClassInfo::ZelTable,       &TEditClassInfo::ZelTable,
    &TCustomMemoClassInfo::ZelTable,       &TMemoClassInfo::ZelTable,
    &TCustomComboBoxClassInfo::ZelTable,   &TComboBoxClassInfo::ZelTable,
    &TButtonActionLinkClassInfo::ZelTable, &TButtonControlClassInfo::ZelTable,
    &TButtonClassInfo::ZelTable,           &TCustomCheckBoxClassInfo::ZelTable,
    &TCheckBoxClassInfo::ZelTable,         &TRadioButtonClassInfo::ZelTable,
    &TCustomListBoxClassInfo::ZelTable,    &TListBoxClassInfo::ZelTable,
    &TScrollBarClassInfo::ZelTable,        &TCustomStaticTextClassInfo::ZelTable,
    &TStaticTextClassInfo::ZelTable,
};
} // namespace

void Initialize() {
    zelInitializeUnit(Tables);
}
void Finalize() {
    zelFinalizeUnit(Tables);
}
} // namespace Zelstdctrls

} // namespace zeltrix
