#!/usr/bin/env bash
# The example's run, as the README shows it: a shopping list filled through real input.
# Usage: examples/shopping.sh ZELTRIX OUT.png
set -euo pipefail
zeltrix=$1
out=$2
here=$(cd "$(dirname "$0")" && pwd)
exec "$zeltrix" run "$here/shopping.dfm" --trace \
  --click AllowAdding \
  --type ItemEdit Milk --click AddButton \
  --type ItemEdit Bread --key ItemEdit Enter \
  --get ItemList.CommaText \
  --wait 5000 --get Status.Caption \
  --render "$out"
