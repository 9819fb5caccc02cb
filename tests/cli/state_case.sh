#!/usr/bin/env bash
# End-to-end check of the parts of varnolt-cli whose output is random by design: every
# encipherment carries a fresh salt and the installation identifier is made on first use. So
# instead of comparing outputs this checks what must hold: texts come back through encode and
# decode, the state keeps its values and the identifier stays the same.
#
# usage: state_case.sh CLI WORK
set -euo pipefail
cli=$1 work=$2
rm -rf "$work"
mkdir -p "$work/home"
fail() { echo "state_case: $*"; exit 1; }

for use in net ftpuser log mark version download; do
  for text in "" "abc" "two
lines" "日本語:コロン"; do
    back=$(printf '%s\n' "$text" | "$cli" cipher encode $use | "$cli" cipher decode $use)
    [ "$back" = "$text" ] || fail "$use round trip of '$text' gave '$back'"
  done
done
enciphered=$(printf 'x' | "$cli" cipher encode mark)
if printf '%s' "$enciphered" | "$cli" cipher decode version >/dev/null 2>&1; then
  fail "a mark text deciphered with the version key"
fi

run() { "$cli" --home "$work/home" state "$@"; }
first=$(run --set time=380005 --set fnc=38000 --set msg=2024/01/05 --set date=123456)
id=$(printf '%s\n' "$first" | sed -n 's/^id=//p')
[[ "$id" =~ ^[a-z0-9]{12}$ ]] || fail "identifier '$id'"
expected="time=380005
fnc=38000
msg=2024/01/05
date=123456
id=$id"
[ "$first" = "$expected" ] || fail "state after --set: $first"
grep -q '^time=380005' "$work/home/state.txt" && fail "time kept in plain text"
grep -q '^fnc=38000' "$work/home/state.txt" || fail "fnc not kept as given"
second=$(run --set fnc= --set time=)
[ "$second" = "time=
fnc=
msg=2024/01/05
date=123456
id=$id" ] || fail "state after removals: $second"
[ "$(run)" = "$second" ] || fail "state changed without --set"
echo "state_case: ok"
