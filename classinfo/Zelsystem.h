// Class infos of the host's System unit: the root of every class-info chain.
#pragma once

#include "core/ClassInfoFamily.h"

namespace zeltrix {

class TObjectClassInfo : public TzelFamily<TObjectClassInfo, TzelClassInfo> {
    ZEL_CLASSINFO(TObjectClassInfo, TzelClassInfo)
protected:
    host::Integer FSafeCallExceptionResult = 0;
    Variant FGetInterfaceObj;
    Variant FDispatchMessage;
    Variant FDefaultHandlerMessage;
};

class TInterfacedObjectClassInfo : public TzelFamily<TInterfacedObjectClassInfo, TObjectClassInfo> {
    ZEL_CLASSINFO(TInterfacedObjectClassInfo, TObjectClassInfo)
};

namespace Zelsystem {
void Initialize();
void Finalize();
} // namespace Zelsystem

} // namespace zeltrix
