#!/usr/bin/env bash
# zeltrix on a form from a real project: a root class of its own, third-party components with
# properties and children, properties the known classes do not have. It loads, shows its tree
# and what it kept, and is written back unchanged.
set -euo pipefail
zeltrix=$1
src=$2
form="$src/tests/data/forms/project/orders.dfm"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

out=$("$zeltrix" run "$form")
grep -q '^OrdersForm: TOrdersForm (the form.s own class, made at run time)$' <<<"$out"
grep -q '^  Header: TGradientPanel (stand-in)$' <<<"$out"
grep -q '^    Refresh: TFlatButton (stand-in)$' <<<"$out"          # a child stays under its parent
grep -q '^  RefreshAction: TBasicAction$' <<<"$out"
grep -q '^  CountRefreshes (event-to-property): connects$' <<<"$out" # a stand-in as its target
grep -q '^  OrdersForm.RefreshAction (TBasicAction): ExplicitLeft: Property ExplicitLeft does not exist; kept$' <<<"$out"
grep -q '^  OrdersForm (TOrdersForm): OnCreate: TOrdersForm has no method FormCreate; kept$' <<<"$out"
if grep -q 'TextHeight' <<<"$out"; then echo "a form's own TextHeight reported"; exit 1; fi
if grep -q 'Options\|Colors' <<<"$out"; then echo "a stand-in's properties reported one by one"; exit 1; fi

# saved as text it is the same file; as binary, the same form
"$zeltrix" run "$form" --save "$tmp/same.dfm"
cmp "$form" "$tmp/same.dfm"
"$zeltrix" run "$form" --save "$tmp/same.bin"
"$zeltrix" convert "$tmp/same.bin" "$tmp/back.dfm"
cmp "$form" "$tmp/back.dfm"
"$zeltrix" run "$form" --save "$tmp/forced.txt" --to binary
cmp "$tmp/same.bin" "$tmp/forced.txt"

grep -q "^notes on $form$" <<<"$out"

# the steps run first, and what they changed is saved; what was kept is reported on stderr
out=$("$zeltrix" run "$form" --call 'RefreshAction.Execute()' --get Orders.Tag --save "$tmp/stepped.dfm" 2>"$tmp/err")
grep -q "^zeltrix run: $form: OrdersForm.RefreshAction (TBasicAction): ExplicitLeft: " "$tmp/err"
if grep -q 'stand-in' "$tmp/err"; then echo "stand-ins reported with steps"; exit 1; fi
[ "$out" = "RefreshAction.Execute() -> True
Orders.Tag = 7" ] || { echo "steps: $out"; exit 1; }
stepped=$(tr -d '\r' <"$tmp/stepped.dfm")
grep -A4 '^  object Orders: TOrderGrid$' <<<"$stepped" | grep -q '^    Tag = 7$'

# check lists the stand-ins, and says when there is no connection list
out=$("$zeltrix" check "$form")
grep -q '^stand-ins$' <<<"$out"
grep -q '^  OrdersForm.Header.Title: TShadowLabel$' <<<"$out"             # no size: a component
grep -q '^  OrdersForm.Header: TGradientPanel (a windowed control)$' <<<"$out" # holds others
printf 'object Empty: TEmptyForm\nend\n' >"$tmp/empty.dfm"
[ "$("$zeltrix" check "$tmp/empty.dfm")" = "no connection list" ] || { echo "no list"; exit 1; }

# the form's picture: its frame, caption and menu bars round its client area, as a PNG
"$zeltrix" run "$src/tests/data/forms/project/editor.dfm" --render "$tmp/editor.png" 2>/dev/null
size=$(python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(); assert d[:8]==b"\x89PNG\r\n\x1a\n"; print("%dx%d" % struct.unpack(">II", d[16:24]))' "$tmp/editor.png")
[ "$size" = "308x166" ] || { echo "render: $size"; exit 1; } # 300 x 120 within 4 + 19 + 19 + 4
# a data module: its design surface, of its design size
"$zeltrix" run "$src/tests/data/forms/project/data.dfm" --render "$tmp/data.png" 2>/dev/null
size=$(python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(); print("%dx%d" % struct.unpack(">II", d[16:24]))' "$tmp/data.png")
[ "$size" = "300x200" ] || { echo "render: $size"; exit 1; }

# errors name the subcommand and the file
if "$zeltrix" run "$tmp/none.dfm" 2>"$tmp/err"; then echo "missing file"; exit 1; fi
grep -q "^zeltrix run: $tmp/none.dfm: " "$tmp/err"
if "$zeltrix" check "$tmp/none.dfm" 2>"$tmp/err"; then echo "missing file"; exit 1; fi
grep -q "^zeltrix check: $tmp/none.dfm: " "$tmp/err"
if "$zeltrix" run "$form" --save "$tmp/x.dfm" --to pdf 2>"$tmp/err"; then echo "bad --to"; exit 1; fi
grep -q "^zeltrix run: $form: --to takes text or binary" "$tmp/err"
echo ok
