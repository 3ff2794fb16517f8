// Class infos of the host's ToolWin unit: tool windows with their edges, the dock object that
// drags one and the floating form it floats in.
#pragma once

#include "classinfo/Zelforms.h"

namespace zeltrix {

// ---- tool windows ----

namespace Zeltoolwin {
void Initialize();
void Finalize();
} // namespace Zeltoolwin

} // namespace zeltrix
