#!/usr/bin/env bash
# Builds the benchmarks optimised and runs them (medians over repetitions).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build/bench"
"$here/scripts/setup.sh" "$build" -DCMAKE_BUILD_TYPE=Release -DZELTRIX_TESTS=OFF
cmake --build "$build" --target zeltrix_bench
exec "$build/zeltrix_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true "$@"
