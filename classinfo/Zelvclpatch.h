// The unit that patches host classes: it has no class infos and no behaviour of its own.
#pragma once

namespace zeltrix::Zelvclpatch {
void Initialize();
void Finalize();
} // namespace zeltrix::Zelvclpatch
