#!/usr/bin/env bash
# End-to-end checks of tavlora-cli: exit codes, messages, and build/dump round trips.
set -u
cli="$1"
examples="${2:-}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

expect_status() { # expected-status description command...
  local want=$1 what=$2; shift 2
  "$@" >"$work/out" 2>"$work/err"
  local got=$?
  [ "$got" -eq "$want" ] || fail "$what: exit $got, wanted $want ($(head -c 300 "$work/err"))"
}

cat >"$work/set.json" <<'JSON'
{"colours": [1,2,3,4,5,6,7,8,9,4294967295],
 "controls": [
  {"type": 4, "text": "Caf\u00e9 \u20ac", "rect": [-20, 5, 40, 25], "function": 32, "parameter": 2, "tabGroup": -2, "locked": true},
  {"type": 7, "label": "\u0081\u008d raw bytes", "screen": 3},
  {"type": 10}
 ]}
JSON
expect_status 0 "build" "$cli" build "$work/set.json" "$work/a.set"
expect_status 0 "dump" "$cli" dump "$work/a.set"
cp "$work/out" "$work/dump.json"
grep -q '"Café €"' "$work/dump.json" || fail "dump keeps Windows-1252 text"
grep -q '"locked": true' "$work/dump.json" || fail "dump shows locked"
grep -q '4294967295' "$work/dump.json" || fail "dump shows the tenth colour"
# Normalised on save: the left of -20 became 0 and every left moved by 20.
tr -d ' \n' <"$work/dump.json" | grep -q '"rect":\[0,5,60,25\]' || fail "normalised rect"
expect_status 0 "rebuild from dump" "$cli" build "$work/dump.json" "$work/b.set"
cmp -s "$work/a.set" "$work/b.set" || fail "dump -> build round trip is byte exact"

expect_status 0 "info" "$cli" info "$work/a.set"
grep -q 'Button Control' "$work/out" || fail "info names the types"
grep -q 'screen 3' "$work/out" || fail "info counts screens"

# Bad input files: exit 1 with the byte offset; nothing written on a bad build.
head -c 30 "$work/a.set" >"$work/trunc.set"
expect_status 1 "truncated file" "$cli" dump "$work/trunc.set"
grep -q 'byte offset' "$work/err" || fail "truncation message names the offset"
printf '{"controls": [{"type": "four"}]}' >"$work/bad-type.json"
expect_status 1 "wrong field type" "$cli" build "$work/bad-type.json" "$work/c.set"
grep -q '"type"' "$work/err" || fail "wrong type message names the field"
printf '{"controls": [{"text": "arrow \\u2192"}]}' >"$work/bad-char.json"
expect_status 1 "character outside Windows-1252" "$cli" build "$work/bad-char.json" "$work/c.set"
printf '{"controls": [' >"$work/bad.json"
expect_status 1 "invalid JSON" "$cli" build "$work/bad.json" "$work/c.set"
[ ! -e "$work/c.set" ] || fail "a failed build wrote a file"
printf '{"controls": [{"rect": [-10, 0, 2147483647, 1]}]}' >"$work/overflow.json"
expect_status 1 "shift past the 32-bit range" "$cli" build "$work/overflow.json" "$work/c.set"
[ ! -e "$work/c.set" ] || fail "a refused shift wrote a file"

# Outputs that are not regular files are never renamed over; inputs that are
# not regular files are refused at once instead of read without end.
expect_status 0 "build to a device" "$cli" build "$work/set.json" /dev/null
[ -c /dev/null ] || fail "build replaced /dev/null"
expect_status 1 "build from a device" timeout 10 "$cli" build /dev/zero "$work/z.set"
mkfifo "$work/fifo.set"
expect_status 1 "dump of a FIFO" timeout 10 "$cli" dump "$work/fifo.set"
expect_status 1 "build to a FIFO without a reader" timeout 10 "$cli" build "$work/set.json" "$work/fifo.set"
[ -p "$work/fifo.set" ] || fail "build replaced a FIFO"
cp "$work/a.set" "$work/ro.set" && chmod 444 "$work/ro.set"
expect_status 1 "build over a read-only file" "$cli" build "$work/set.json" "$work/ro.set"
grep -q 'read-only' "$work/err" || fail "the read-only refusal says so"

# Usage errors: exit 2.
expect_status 2 "no command" "$cli"
expect_status 2 "unknown command" "$cli" frobnicate
expect_status 2 "dump without file" "$cli" dump
expect_status 0 "dump --help" "$cli" dump --help

# The example sets: committed files are what their JSON builds, every control
# type appears in the mill set, and every picture they name is in the sample folder.
if [ -n "$examples" ]; then
  for pair in mill.json:mill.set turn.json:turn.lset minimal.json:minimal.set; do
    json=${pair%%:*}; built=${pair##*:}
    expect_status 0 "build $json" "$cli" build "$examples/$json" "$work/$built"
    cmp -s "$work/$built" "$examples/$built" || fail "$built is not what $json builds (run scripts/build-examples)"
  done
  expect_status 0 "dump mill" "$cli" dump "$examples/mill.set"
  for type in 1 2 3 4 5 6 7 8 9 10 11; do
    grep -q "\"type\": $type,\?\$" "$work/out" || fail "mill.set has no control of type $type"
  done
  if "$cli" render --help >/dev/null 2>&1; then
    for set in mill.set turn.lset; do
      mkdir -p "$work/png"
      expect_status 0 "render $set" "$cli" render "$examples/$set" --all -o "$work/png"
      # Every picture is found (the older image control names none).
      [ -s "$work/err" ] && fail "render $set complained: $(head -c 300 "$work/err")"
    done
  fi
fi

if [ "$failures" -eq 0 ]; then echo "cli: all checks passed"; exit 0; fi
echo "cli: $failures check(s) failed"; exit 1
