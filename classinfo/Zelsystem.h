// Class infos of the host's System unit: the root of every class-info chain.
#pragma once

#include "core/ClassInfoFamily.h"

namespace host {
class TInterfacedObject;
}

namespace zeltrix {

class TObjectClassInfo : public TzelFamily<TObjectClassInfo, TzelClassInfo, host::TObject> {
    ZEL_CLASSINFO(TObjectClassInfo)
protected:
    host::Integer FSafeCallExceptionResult = 0;
    Variant FGetInterfaceObj;
    Variant FDispatchMessage;
    Variant FDefaultHandlerMessage;
};

ZEL_PLAIN_CLASSINFO(TInterfacedObjectClassInfo, TObjectClassInfo, host::TInterfacedObject);

namespace Zelsystem {
void Initialize();
void Finalize();
} // namespace Zelsystem

} // namespace zeltrix
