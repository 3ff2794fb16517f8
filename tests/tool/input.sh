#!/usr/bin/env bash
# zeltrix run's input steps on a form with a masked edit: what the mask refuses on leaving opens
# the application's message box, whose buttons the following steps press; Esc abandons.
set -euo pipefail
zeltrix=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cat > "$dir/form.dfm" <<'DFM'
object F: TForm
  Caption = 'Order'
  object Done: TBitBtn
    Left = 8
    Kind = bkOK
  end
  object Code: TMaskEdit
    Top = 40
    EditMask = '000;0;_'
    MaxLength = 3
  end
  object Note: TEdit
    Top = 70
  end
end
DFM
got=$("$zeltrix" run "$dir/form.dfm" --click Code --type Code 12 --click Note --click OK \
  --get Code.Text --key Code Esc --click Note --get Code.Text --get Done.Caption 2>&1)
expected="click Code
type Code '12'
modal 'zeltrix' opens: Invalid input value.  Use escape key to abandon changes.
click OK
modal 'zeltrix' closes
click Note
Code.Text = 12 
key Code Esc
click Note
Code.Text =    
Done.Caption = OK"
if [ "$got" != "$expected" ]; then
  printf 'expected\n%s\n--- got\n%s\n' "$expected" "$got"
  exit 1
fi
# An unknown key name is refused with the step it was given in.
if "$zeltrix" run "$dir/form.dfm" --key Code Ctrl+Nothing >"$dir/out" 2>&1; then
  echo "an unknown key was taken"
  exit 1
fi
grep -q "Nothing" "$dir/out"
