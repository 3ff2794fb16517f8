#!/usr/bin/env bash
# Sets up, builds (optimised) and runs the zeltrix tool on the bundled example form.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build/release"
"$here/scripts/setup.sh" "$build" -DCMAKE_BUILD_TYPE=Release -DZELTRIX_TESTS=OFF
cmake --build "$build" --target zeltrix
if [ $# -eq 0 ]; then
  # The example form, filled through real input: connections do the glue code's work.
  exec "$here/examples/shopping.sh" "$build/zeltrix" "$here/build/shopping.png"
fi
exec "$build/zeltrix" "$@"
