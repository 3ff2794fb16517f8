#!/usr/bin/env bash
# zeltrix inspect: text and JSON metadata of class infos, ancestors first.
set -euo pipefail
zeltrix=$1
out=$("$zeltrix" inspect TComponent)
grep -q '^TComponent (TComponentClassInfo)$' <<<"$out"
# the root's members come first, the class's own last; inherited ones name where they come from
first=$(sed -n '3p' <<<"$out")
[ "$first" = "    Self: psReadable; pvPublic; from TObjectClassInfo" ] || { echo "first property: $first"; exit 1; }
grep -q '^    Free(): msProcedure; from TObjectClassInfo$' <<<"$out"
grep -q '^    Components\[Index\]: psReadable..psIndexed; pvPublic$' <<<"$out"
grep -q '^    Tag: psReadable..psWritable; pvPublished$' <<<"$out"
grep -q '^    FindComponent(AName): msFunction$' <<<"$out"
grep -q '^    Create(AOwner)$' <<<"$out"

json=$("$zeltrix" inspect --json TStringList)
grep -q '"TStringList": {' <<<"$json"
grep -q '{"name": "Values", "styles": \["psReadable", "psWritable", "psIndexed"\], "visibility": "pvPublic", "indexes": \["Name"\]}' <<<"$json"
grep -q '{"name": "Find", "style": "msFunction", "args": \["S", "Index"\]}' <<<"$json"
grep -q '{"name": "OnChange", "visibility": "pvPublic", "params": \["Sender"\]}' <<<"$json"
if command -v python3 >/dev/null; then
  "$zeltrix" inspect --json | python3 -c 'import json,sys; d=json.load(sys.stdin); assert "TObject" in d and "TComponent" in d'
fi

# every registered class is listed when none is named; an unknown one is an error
all=$("$zeltrix" inspect)
grep -q '^TObject (TObjectClassInfo)$' <<<"$all"
if "$zeltrix" inspect TNoSuchClass 2>/dev/null; then echo "unknown class accepted"; exit 1; fi
# a host class known only to the streaming system gets its nearest ancestor's class info
grep -q '^TzelConnectionList (TComponentClassInfo)$' < <("$zeltrix" inspect TzelConnectionList)
echo ok
