#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite.
# Usage: scripts/test.sh [--sanitize] [ctest arguments...]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build/test"
opts=(-DCMAKE_BUILD_TYPE=Debug -DZELTRIX_BENCH=OFF)
if [ "${1:-}" = "--sanitize" ]; then
  shift
  build="$here/build/asan"
  opts+=(-DZELTRIX_SANITIZE=ON)
fi
"$here/scripts/setup.sh" "$build" "${opts[@]}"
cmake --build "$build"
cd "$build"
ctest --output-on-failure -j2 "$@"
