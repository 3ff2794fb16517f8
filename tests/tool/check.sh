#!/usr/bin/env bash
# zeltrix check: every connection with its kind and whether it connects, the first reason in
# the order Connect tests when it does not.
set -euo pipefail
zeltrix=$1
src=$2

out=$("$zeltrix" check "$src/examples/actions.dfm")
expected="Connections
  SetCounter (event-to-property): connects
  ThenNext (event-to-method): connects
  CopyCounter (event-to-property): connects
  KeepInStep (property-to-property): connects"
[ "$out" = "$expected" ] || { printf 'example:\n%s\n' "$out"; exit 1; }

set +e
out=$("$zeltrix" check "$src/tests/data/forms/connections/check.dfm")
rc=$?
set -e
[ "$rc" -eq 1 ] || { echo "exit status $rc for a form with broken connections"; exit 1; }
expected="Connections
  Fine (event-to-property): connects
  Dangling (event-to-property): does not connect: no source component
  NoSource (event-to-property): does not connect: no source component
  Misspelt (event-to-property): does not connect: unknown source event 'OnExecut'
  NoValue (event-to-property): does not connect: no value component
  NoParameter (event-to-property): does not connect: unknown event parameter 'Key'
  NoMethod (event-to-method): does not connect: unknown target method 'Frobnicate'
  LooseItem (event-to-method): connects
    parameter AName: unknown component property 'Caption'
  NoTargetProperty (property-to-property): does not connect: unknown target property 'Tagg'
  IdleDirection (property-to-property): connects
    source to target never copies: unknown source event 'OnChanged'"
[ "$out" = "$expected" ] || { printf 'broken form:\n%s\n' "$out"; exit 1; }

if "$zeltrix" check 2>/dev/null; then echo "no form accepted"; exit 1; fi
echo ok
