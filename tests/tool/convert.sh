#!/usr/bin/env bash
# zeltrix convert: both directions on the sample forms, format detection, and clear errors.
# Usage: convert.sh PATH_TO_ZELTRIX SOURCE_DIR
set -u
zeltrix=${1:?path to zeltrix}
src=${2:?source dir}
forms="$src/tests/data/forms"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Text -> binary -> text reproduces the canonical text; binary -> text -> binary the binary.
"$zeltrix" convert "$forms/every_kind.dfm" "$tmp/a.bin" || fail "text to binary"
cmp -s "$tmp/a.bin" "$forms/every_kind.bin" || fail "binary differs from the reference"
"$zeltrix" convert "$tmp/a.bin" "$tmp/a.dfm" || fail "binary to text"
cmp -s "$tmp/a.dfm" "$forms/every_kind.dfm" || fail "text is not canonical"
"$zeltrix" convert "$forms/every_kind.bin" "$tmp/b.bin" --to binary || fail "binary to binary"
cmp -s "$tmp/b.bin" "$forms/every_kind.bin" || fail "binary to binary changed the form"
"$zeltrix" convert "$forms/every_kind.dfm" "$tmp/c.dfm" --to=text || fail "text to text"
cmp -s "$tmp/c.dfm" "$forms/every_kind.dfm" || fail "text to text changed the form"

# Loose text becomes canonical.
printf 'object A: T\n  X = $10\nend\n' > "$tmp/loose.txt"
"$zeltrix" convert "$tmp/loose.txt" "$tmp/loose.dfm" --to text || fail "loose text"
printf 'object A: T\r\n  X = 16\r\nend\r\n' | cmp -s - "$tmp/loose.dfm" || fail "loose text not canonical"

# Bad input: a clear message with the position, exit status 1, nothing written.
printf 'object A: T\n  X = (1\n  Y = 2\nend\n' > "$tmp/bad.txt"
if "$zeltrix" convert "$tmp/bad.txt" "$tmp/bad.out" 2> "$tmp/err"; then fail "bad text accepted"; fi
grep -q "on line 3" "$tmp/err" || fail "no line in: $(cat "$tmp/err")"
[ -e "$tmp/bad.out" ] && fail "output written for bad input"
head -c 40 "$forms/every_kind.bin" > "$tmp/cut.bin"
"$zeltrix" convert "$tmp/cut.bin" "$tmp/cut.out" 2> "$tmp/err" && fail "truncated binary accepted"
grep -q "Stream read error (at byte" "$tmp/err" || fail "no position in: $(cat "$tmp/err")"
printf 'hello' > "$tmp/junk"
"$zeltrix" convert "$tmp/junk" "$tmp/junk.out" 2> "$tmp/err" && fail "junk accepted"
grep -q "neither a binary nor a text form" "$tmp/err" || fail "junk message: $(cat "$tmp/err")"
"$zeltrix" convert "$tmp/missing" "$tmp/x" 2> /dev/null && fail "missing input accepted"

# Usage errors exit with 2.
"$zeltrix" convert only-one 2> /dev/null; [ $? -eq 2 ] || fail "usage: one argument"
"$zeltrix" convert a b --to pdf 2> /dev/null; [ $? -eq 2 ] || fail "usage: bad --to"

[ "$failures" -eq 0 ] && echo "convert: all passed"
exit "$failures"
