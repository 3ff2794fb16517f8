#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time.
# Usage: fuzz/run.sh [SECONDS_PER_TARGET] [--update-corpus] [TARGET...]
#   --update-corpus  refreshes fuzz/corpus/<target>: its seed-* and regress-* files stay, and
#                    the smallest inputs of the run's minimized corpus are added (the repository
#                    keeps a small corpus; the full one stays in build/fuzz/corpus/<target>).
# Findings (crashes, timeouts) are left in build/fuzz/findings/<target>/.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
shift || true
update=
if [ "${1:-}" = "--update-corpus" ]; then
  update=$1
  shift
fi
build="$here/build/fuzz"
targets=(ReaderFuzz TextFuzz DescriptorFuzz FormLoadFuzz GraphicsFuzz ImageListFuzz)
if (($#)); then targets=("$@"); fi

CXX=clang++ cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZELTRIX_FUZZ=ON -DZELTRIX_TESTS=OFF -DZELTRIX_BENCH=OFF >/dev/null
cmake --build "$build" --target "${targets[@]}"

status=0
for t in "${targets[@]}"; do
  work="$build/corpus/$t"
  findings="$build/findings/$t"
  mkdir -p "$work" "$findings"
  rm -f "$findings"/crash-* "$findings"/timeout-* "$findings"/oom-* "$findings"/leak-*
  dict=()
  [ -f "$here/fuzz/$t.dict" ] && dict=(-dict="$here/fuzz/$t.dict")
  echo "== $t for ${seconds}s"
  if ! (cd "$findings" && "$build/$t" "$work" "$here/fuzz/corpus/$t" "${dict[@]}" \
        -max_total_time="$seconds" -max_len=16384 -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 2>&1 | tail -n 15); then
    status=1
  fi
  if ls "$findings" | grep -qE '^(crash|timeout|oom|leak)-'; then
    echo "!! $t: findings in $findings"
    status=1
  fi
  if [ "$update" = "--update-corpus" ]; then
    fresh=$(mktemp -d)
    "$build/$t" -set_cover_merge=1 "$fresh" "$here/fuzz/corpus/$t" "$work" >/dev/null 2>&1
    find "$here/fuzz/corpus/$t" -type f ! -name 'seed-*' ! -name 'regress-*' -delete
    ls -S -r "$fresh" | head -n 48 | while read -r f; do cp "$fresh/$f" "$here/fuzz/corpus/$t/"; done
    rm -rf "$fresh"
    echo "   corpus: $(ls "$here/fuzz/corpus/$t" | wc -l) files in the repository"
  fi
done
exit $status
