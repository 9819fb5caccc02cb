#!/usr/bin/env bash
# Runs one end-to-end case of varnolt-cli and compares everything it produced with the case's
# expected file, byte for byte: per command its arguments, stdout, stderr and exit status, then
# the SHA-256 of each file asked for.
#
# usage: run_case.sh EXPECTED WORK CLI HOME TODAY [--stdin FILE] [--copy-home] [--hash FILE]...
#                    -- ARGS... [:: ARGS...]
#   Each command runs as `CLI --home home --today TODAY ARGS...` inside WORK, with stdin from
#   FILE (or empty). WORK/home is a link to HOME, or a fresh copy of it with --copy-home, and
#   WORK/input a copy of this script's input folder, so that arguments and messages name
#   relative paths whatever the place of the tree. --hash names a file relative to WORK, taken
#   after the commands (home/data/2001.kbk, chart.bmp).
#
# To record the expected file anew after a change that alters an output on purpose, run the
# case with VARNOLT_RECORD=1 (scripts/record-cli-cases does it for every case) and commit the
# changed file together with the change.
set -euo pipefail

expected=$1 work=$2 cli=$3 home=$4 today=$5
shift 5
input=$(cd "$(dirname "$0")/input" && pwd)
expected=$(cd "$(dirname "$expected")" && pwd)/$(basename "$expected")
stdin=/dev/null
copy_home=0
hashes=()
while [ "$1" != "--" ]; do
  case $1 in
    --stdin) stdin=$2; shift 2 ;;
    --copy-home) copy_home=1; shift ;;
    --hash) hashes+=("$2"); shift 2 ;;
    *) echo "run_case.sh: unknown option $1" >&2; exit 2 ;;
  esac
done
shift

rm -rf "$work"
mkdir -p "$work"
if [ $copy_home -eq 1 ]; then
  cp -R "$home" "$work/home"
else
  ln -s "$home" "$work/home"
fi
cp -R "$input" "$work/input"
# Reading a code that a year file lacks gives it an empty slot, so a case can change the shared
# folder; the check after the commands names a case that needs --copy-home.
touch "$work/started"
[ "$stdin" = /dev/null ] || stdin=$(cd "$(dirname "$stdin")" && pwd)/$(basename "$stdin")
# The drawing needs no display; Qt's note about a missing runtime folder must not reach stderr.
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

actual=$work/actual.txt
: >"$actual"
run_command() {
  local words=("$@") status=0
  (cd "$work" && "$cli" --home home --today "$today" "${words[@]}" \
    <"$stdin" >"$work/stdout" 2>"$work/stderr") || status=$?
  {
    printf '$ varnolt-cli'
    printf ' %s' "${words[@]}"
    printf '\n--- stdout\n'
    cat "$work/stdout"
    printf -- '--- stderr\n'
    cat "$work/stderr"
    printf -- '--- exit %d\n' "$status"
  } >>"$actual"
}

command=()
for word in "$@"; do
  if [ "$word" = "::" ]; then
    run_command "${command[@]}"
    command=()
  else
    command+=("$word")
  fi
done
run_command "${command[@]}"
if [ $copy_home -eq 0 ] && [ -n "$(find "$home/" -newer "$work/started" -print -quit)" ]; then
  echo "the case changed the shared folder $home; give it --copy-home (COPY_HOME)"
  exit 1
fi
for file in "${hashes[@]}"; do
  printf -- '--- sha256 %s %s\n' "$file" "$(sha256sum "$work/$file" | cut -d' ' -f1)" >>"$actual"
done

if [ "${VARNOLT_RECORD:-}" = 1 ]; then
  cp "$actual" "$expected"
  echo "recorded $expected"
  exit 0
fi
if ! cmp -s "$actual" "$expected"; then
  echo "output differs from $expected (actual output: $actual)"
  diff -u "$expected" "$actual" | head -200 || true
  exit 1
fi
