#!/usr/bin/env bash
# The README's main job: the example form driven through real input prints what the README
# shows, and its picture is the committed one, pixel for pixel.
set -euo pipefail
zeltrix=$1
src=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

got=$("$src/examples/shopping.sh" "$zeltrix" "$out/shopping.png" | sed "s#$out/shopping.png#OUT#")
if ! diff <(cat "$src/tests/tool/example.expected") <(printf '%s\n' "$got"); then
  echo "the example's run differs from tests/tool/example.expected"
  exit 1
fi
if ! cmp -s "$out/shopping.png" "$src/examples/shopping.png"; then
  cp "$out/shopping.png" /tmp/shopping-actual.png
  echo "the example's picture differs from examples/shopping.png (this one: /tmp/shopping-actual.png)"
  exit 1
fi
# The README shows the same run.
grep -q 'ItemList.CommaText = Milk,Bread' "$src/README.md"
# zeltrix check finds every connection of the example able to connect.
checked=$("$zeltrix" check "$src/examples/shopping.dfm")
if [ "$(grep -c ': connects$' <<<"$checked")" != 7 ]; then
  printf 'zeltrix check on the example:\n%s\n' "$checked"
  exit 1
fi
