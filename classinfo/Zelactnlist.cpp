// The action class infos and the unit's registration.
#include "classinfo/Zelactnlist.h"

#include "core/ClassInfoRows.h"

namespace zeltrix {

using namespace host;

/// Reaches the storage of DisableIfNoHandler, which the class info writes without the setter.
class TProtectedTCustomAction : public TCustomAction {
public:
    using TCustomAction::FDisableIfNoHandler;
};

/// Reaches the action list's events, protected in the host until TActionList publishes them.
class TProtectedTCustomActionList : public TCustomActionList {
public:
    using TCustomActionList::GetOnChange;
    using TCustomActionList::GetOnExecute;
    using TCustomActionList::GetOnUpdate;
    using TCustomActionList::SetOnChange;
    using TCustomActionList::SetOnExecute;
    using TCustomActionList::SetOnUpdate;
};

struct TContainedActionClassInfo::ZelRows {
    using A = TContainedAction;
    static constexpr TzelPropRow Properties[] = {
        ZEL_PROP(A, ActionList),
        ZEL_PROP(A, Index),
        ZEL_PROP(A, Category).published(),
    };
};
ZEL_TABLE(TContainedActionClassInfo);

struct TCustomActionListClassInfo::ZelRows {
    using L = TCustomActionList;
    using P = TProtectedTCustomActionList;
    static constexpr TzelPropRow Properties[] = {
        prop<&L::GetAction, &L::SetAction>("Actions", "Index"),
        ZEL_PROP_R(L, ActionCount),
        ZEL_PROP(L, Images),
    };
    static constexpr TzelMethodRow Methods[] = {ZEL_FUNC(L, IsShortCut, "Message")};
    static constexpr TzelEventRow Events[] = {
        ZEL_EVENT(P, OnChange, "Sender").protected_(),
        ZEL_EVENT(P, OnExecute, "Action,Handled").protected_(),
        ZEL_EVENT(P, OnUpdate, "Action,Handled").protected_(),
    };
};
ZEL_TABLE(TCustomActionListClassInfo);

struct TActionListClassInfo::ZelRows {
    static constexpr auto Properties = zelRows(published("Images"));
    static constexpr auto Events = zelRows(published("OnChange", "OnExecute", "OnUpdate"));
};
ZEL_TABLE(TActionListClassInfo);

struct TCustomActionClassInfo::ZelRows {
    using A = TCustomAction;
    using P = TProtectedTCustomAction;
    static constexpr TzelPropRow Properties[] = {
        ZEL_PROP(A, Caption),
        ZEL_PROP(A, Checked),
        ZEL_FIELD(P, DisableIfNoHandler), // straight into the action
        ZEL_PROP(A, Enabled),
        ZEL_PROP(A, HelpContext),
        ZEL_PROP(A, Hint),
        ZEL_PROP(A, ImageIndex),
        ZEL_PROP(A, ShortCut),
        ZEL_PROP(A, Visible),
    };
    static constexpr TzelMethodRow Methods[] = {ZEL_FUNC(A, DoHint, "HintStr")};
    static constexpr TzelEventRow Events[] = {ZEL_EVENT(A, OnHint, "HintStr,CanShow")};
};
ZEL_TABLE(TCustomActionClassInfo);

struct TActionClassInfo::ZelRows {
    static constexpr auto Properties =
        zelRows(published("Caption", "Checked", "Enabled", "HelpContext", "Hint", "ImageIndex",
                          "ShortCut", "Visible"));
    static constexpr auto Events = zelRows(published("OnExecute", "OnHint", "OnUpdate"));
};
ZEL_TABLE(TActionClassInfo);

struct TActionLinkClassInfo::ZelRows {}; // an exact entry for the host class, nothing of its own
ZEL_TABLE(TActionLinkClassInfo);

namespace Zelactnlist {
namespace {
constexpr const TzelClassTable* Tables[] = {
    &TContainedActionClassInfo::ZelTable, &TCustomActionListClassInfo::ZelTable,
    &TActionListClassInfo::ZelTable,      &TCustomActionClassInfo::ZelTable,
    &TActionClassInfo::ZelTable,          &TActionLinkClassInfo::ZelTable,
};
} // namespace

void Initialize() {
    zelInitializeUnit(Tables);
}
void Finalize() {
    zelFinalizeUnit(Tables);
}
} // namespace Zelactnlist

} // namespace zeltrix
