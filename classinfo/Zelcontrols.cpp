// The controls' class infos and the unit's registration.
#include "classinfo/Zelcontrols.h"

#include "core/ClassInfoRows.h"

namespace zeltrix {

using namespace host;

struct TControlCanvasClassInfo::ZelRows {
    using C = TControlCanvas;
    static constexpr TzelPropRow Properties[] = {ZEL_PROP(C, Control)};
    static constexpr TzelMethodRow Methods[] = {ZEL_PROC(C, FreeHandle), ZEL_PROC(C, UpdateTextFlags)};
};
ZEL_TABLE(TControlCanvasClassInfo);

struct TSizeConstraintsClassInfo::ZelRows {
    using S = TSizeConstraints;
    static constexpr TzelPropRow Properties[] = {
        ZEL_PROP_R(S, Control).protected_(),
        ZEL_PROP(S, MaxHeight).published(),
        ZEL_PROP(S, MaxWidth).published(),
        ZEL_PROP(S, MinHeight).published(),
        ZEL_PROP(S, MinWidth).published(),
    };
    static constexpr TzelCtorRow Constructors[] = {ctor("Create", "Control")};
    static constexpr TzelEventRow Events[] = {ZEL_EVENT(S, OnChange, "Sender")};
};
ZEL_TABLE(TSizeConstraintsClassInfo);

namespace Zelcontrols {
namespace {
constexpr const TzelClassTable* Tables[] = {
    &TControlCanvasClassInfo::ZelTable,
    &TSizeConstraintsClassInfo::ZelTable,
};
} // namespace

void Initialize() {
    zelInitializeUnit(Tables);
}
void Finalize() {
    zelFinalizeUnit(Tables);
}
} // namespace Zelcontrols

} // namespace zeltrix
