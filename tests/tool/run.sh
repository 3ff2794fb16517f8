#!/usr/bin/env bash
# zeltrix run: the example form's connections at work, steps printed in order, errors reported
# after the steps that succeeded.
set -euo pipefail
zeltrix=$1
src=$2
form="$src/examples/actions.dfm"

expect() { # expect NAME EXPECTED ACTUAL
  if [ "$2" != "$3" ]; then
    printf '%s: expected\n%s\n--- got\n%s\n' "$1" "$2" "$3"
    exit 1
  fi
}

out=$("$zeltrix" run "$form" --get Counter.Tag --get Shadow.Tag --call 'Go.Execute()' \
  --get Counter.Tag --get Mirror.Tag --set Go.Tag=9 --call 'Go.Execute()' --get Shadow.Tag)
expect "steps" "Counter.Tag = 1
Shadow.Tag = 7
Go.Execute() -> True
Counter.Tag = 42
Mirror.Tag = 42
Go.Tag := 9
Go.Execute() -> True
Shadow.Tag = 9" "$out"

# a binary form file runs the same
bin=$(mktemp)
trap 'rm -f "$bin" err' EXIT
"$zeltrix" convert "$form" "$bin" --to binary
out=$("$zeltrix" run "$bin" --call 'Go.Execute()' --get Mirror.Tag)
expect "binary form" "Go.Execute() -> True
Mirror.Tag = 42" "$out"

# the root by its own name; a procedure prints no arrow; text arguments in quotes
out=$("$zeltrix" run "$form" --get MainForm.Tag --call "MainForm.FindComponent('Counter')" \
  --call 'Go.UpdateTarget(0)')
grep -q '^MainForm.Tag = 0$' <<<"$out"
# a component prints by its name, not its address
grep -q "^MainForm.FindComponent(Counter) -> Counter$" <<<"$out"
grep -q '^Go.UpdateTarget(0)$' <<<"$out"

# an error stops the run after the steps that succeeded, with the exception's message
set +e
out=$("$zeltrix" run "$form" --set Counter.Tag=5 --set Counter.Tag=five --get Counter.Tag 2>err)
rc=$?
set -e
[ "$rc" -ne 0 ] || { echo "a failing step exited with 0"; exit 1; }
expect "before the error" "Counter.Tag := 5" "$out"
expect "message" "zeltrix run: $form: 'five' is not a valid integer value" "$(cat err)"
for bad in "--get Nobody.Tag" "--get Counter.Nothing" "--call Counter.Free(1)" "--get Counter"; do
  # shellcheck disable=SC2086
  if "$zeltrix" run "$form" $bad >/dev/null 2>err; then echo "accepted: $bad"; exit 1; fi
  [ -s err ] || { echo "no message for: $bad"; exit 1; }
done
if "$zeltrix" run "$form" --call 'Counter.Free(1)' 2>err; then echo "wrong argument count"; exit 1; fi
expect "argument count" "zeltrix run: $form: Method Free takes 0 arguments, 1 given" "$(cat err)"
if "$zeltrix" run "$form" --get Nobody.Tag 2>err; then echo "unknown component"; exit 1; fi
expect "unknown component" "zeltrix run: $form: Component Nobody not found" "$(cat err)"
if "$zeltrix" run "$src/examples/no-such-file.dfm" 2>/dev/null; then echo "missing file accepted"; exit 1; fi
if "$zeltrix" run "$form" --frobnicate x 2>/dev/null; then echo "unknown step accepted"; exit 1; fi

# sets and enumerations by identifier, nil for no object
out=$("$zeltrix" run "$form" --get Counter.ComponentStyle --call "MainForm.FindComponent('Nobody')")
expect "identifiers" "Counter.ComponentStyle = [csInheritable]
MainForm.FindComponent(Nobody) -> nil" "$out"

# every subcommand explains itself
for cmd in run check inspect convert; do
  "$zeltrix" "$cmd" --help | grep -q "^usage: zeltrix $cmd" || { echo "no help for $cmd"; exit 1; }
done
"$zeltrix" run --help | grep -q -- '--call Name.Method' || { echo "run --help lacks the steps"; exit 1; }
echo ok
