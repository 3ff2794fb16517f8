// The package loaded once for the benchmarks that reach class infos, unloaded at exit.
#pragma once

#include "package/zeltrix_cb4.h"

namespace zeltrix::bench {

inline void EnsurePackage() {
    static struct Package {
        Package() { LoadPackage(); }
        ~Package() { UnloadPackage(); }
    } p;
}

} // namespace zeltrix::bench
