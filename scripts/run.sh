#!/usr/bin/env bash
# Sets up, builds (optimised) and runs the zeltrix tool on the bundled example form.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build/release"
"$here/scripts/setup.sh" "$build" -DCMAKE_BUILD_TYPE=Release -DZELTRIX_TESTS=OFF
cmake --build "$build" --target zeltrix
if [ $# -eq 0 ]; then
  # The example form: an action whose event sets, calls and copies through connections.
  exec "$build/zeltrix" run "$here/examples/actions.dfm" \
    --get Counter.Tag --get Mirror.Tag --get Shadow.Tag \
    --call 'Go.Execute()' \
    --get Counter.Tag --get Mirror.Tag \
    --set Go.Tag=9 --call 'Go.Execute()' --get Shadow.Tag
fi
exec "$build/zeltrix" "$@"
