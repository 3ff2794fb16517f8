// Class infos of the host's Mask unit: masked edits.
#pragma once

#include "classinfo/Zelstdctrls.h"
#include "host/mask/MaskEdit.h"

namespace zeltrix {

class TCustomMaskEditClassInfo
    : public TzelFamily<TCustomMaskEditClassInfo, TCustomEditClassInfo, host::TCustomMaskEdit> {
    ZEL_CLASSINFO(TCustomMaskEditClassInfo)
protected:
    host::TMaskedState FMaskStateSlot;
};
ZEL_PLAIN_CLASSINFO(TMaskEditClassInfo, TCustomMaskEditClassInfo, host::TMaskEdit);

namespace Zelmask {
void Initialize();
void Finalize();
} // namespace Zelmask

} // namespace zeltrix
