// The masked edits' class infos and the unit's registration.
#include "classinfo/Zelmask.h"

#include "core/ClassInfoRows.h"

namespace zeltrix {

using namespace host;

struct TCustomMaskEditClassInfo::ZelRows {
    using CI = TCustomMaskEditClassInfo;
    using H = TCustomMaskEdit;
    static constexpr TzelPropRow Properties[] = {
        ZEL_PROP(H, EditMask).protected_(),
        prop<&H::GetMaskState, &H::SetMaskState, &CI::FMaskStateSlot>("MaskState").protected_(),
        ZEL_PROP(H, MaxLength).protected_(),
        ZEL_PROP_R(H, IsMasked),
        ZEL_PROP(H, EditText),
        ZEL_PROP(H, Text),
    };
    static constexpr TzelMethodRow Methods[] = {
        ZEL_PROC(H, ValidateEdit),
        ZEL_PROC(H, Clear),
        ZEL_FUNC(H, GetTextLen),
    };
};
ZEL_TABLE(TCustomMaskEditClassInfo);

struct TMaskEditClassInfo::ZelRows {
    static constexpr auto Properties = zelRows(
        published("Anchors", "AutoSelect", "AutoSize", "BiDiMode", "BorderStyle", "CharCase",
                  "Color", "Constraints", "Ctl3D", "DragCursor", "DragKind", "DragMode", "Enabled",
                  "EditMask", "Font", "ImeMode", "ImeName", "MaxLength", "ParentBiDiMode",
                  "ParentColor", "ParentCtl3D", "ParentFont", "ParentShowHint", "PasswordChar",
                  "PopupMenu", "ReadOnly", "ShowHint", "TabOrder", "TabStop", "Text", "Visible"));
    static constexpr auto Events = zelRows(
        published("OnChange", "OnClick", "OnDblClick", "OnDragDrop", "OnDragOver", "OnEndDock",
                  "OnEndDrag", "OnEnter", "OnExit", "OnKeyDown", "OnKeyPress", "OnKeyUp",
                  "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnStartDock", "OnStartDrag"));
};
ZEL_TABLE(TMaskEditClassInfo);

namespace Zelmask {
namespace {
constexpr const TzelClassTable* Tables[] = {
    &TCustomMaskEditClassInfo::ZelTable,
    &TMaskEditClassInfo::ZelTable,
};
} // namespace

void Initialize() {
    zelInitializeUnit(Tables);
}
void Finalize() {
    zelFinalizeUnit(Tables);
}
} // namespace Zelmask

} // namespace zeltrix
