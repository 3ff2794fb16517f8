#include "classinfo/Zelvclpatch.h"

namespace zeltrix::Zelvclpatch {
// Its place in the start-up order is kept; there is nothing to start or stop.
void Initialize() {}
void Finalize() {}
} // namespace zeltrix::Zelvclpatch
