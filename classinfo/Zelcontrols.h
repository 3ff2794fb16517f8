// Class infos of the host's Controls unit: so far the control canvas and the size constraints;
// the controls themselves follow.
#pragma once

#include "classinfo/Zelgraphics.h"
#include "host/controls/CustomControls.h"

namespace zeltrix {

ZEL_PLAIN_CLASSINFO(TControlCanvasClassInfo, TCanvasClassInfo, host::TControlCanvas);
ZEL_PLAIN_CLASSINFO(TSizeConstraintsClassInfo, TPersistentClassInfo, host::TSizeConstraints);

namespace Zelcontrols {
void Initialize();
void Finalize();
} // namespace Zelcontrols

} // namespace zeltrix
