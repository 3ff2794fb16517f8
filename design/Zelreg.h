// Registration of the package: the connection classes with the host's streaming at start-up, so
// that any application can read forms holding connections.
#pragma once

namespace zeltrix::Zelreg {
void Initialize();
void Finalize();
} // namespace zeltrix::Zelreg
