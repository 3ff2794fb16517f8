// Class infos of the host's ActnList unit: contained actions, action lists, actions and their
// links.
#pragma once

#include "classinfo/Zelclasses.h"
#include "host/actnlist/ActionList.h"
#include "host/actnlist/CustomAction.h"

namespace zeltrix {

ZEL_PLAIN_CLASSINFO(TContainedActionClassInfo, TBasicActionClassInfo, host::TContainedAction);
ZEL_PLAIN_CLASSINFO(TCustomActionListClassInfo, TComponentClassInfo, host::TCustomActionList);
ZEL_PLAIN_CLASSINFO(TActionListClassInfo, TCustomActionListClassInfo, host::TActionList);
ZEL_PLAIN_CLASSINFO(TCustomActionClassInfo, TContainedActionClassInfo, host::TCustomAction);
ZEL_PLAIN_CLASSINFO(TActionClassInfo, TCustomActionClassInfo, host::TAction);
ZEL_PLAIN_CLASSINFO(TActionLinkClassInfo, TBasicActionLinkClassInfo, host::TActionLink);

namespace Zelactnlist {
void Initialize();
void Finalize();
} // namespace Zelactnlist

} // namespace zeltrix
