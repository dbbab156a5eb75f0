#!/usr/bin/env bash
# Kills `tavlora-cli build` with SIGKILL at random moments while it saves over
# an existing file. Whatever the moment, the target must be the whole old file
# or the whole new one, nothing but the target and temporaries of the killed
# saves may appear beside it, and the next complete save removes those.
set -u
cli="$1"
rounds="${2:-40}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Two large sets that differ in every record (about 10 MB each).
make_json() { # text-character
  local text
  text=$(printf "%0.s$1" $(seq 1 200))
  { printf '{"controls": ['
    yes "{\"type\": 7, \"screen\": 2, \"text\": \"$text\", \"rect\": [1, 2, 3, 4]}," | head -n 40000
    printf '{"type": 1}]}'; } >"$work/$1.json"
}
make_json a
make_json b
mkdir "$work/refs" "$work/out"
"$cli" build "$work/a.json" "$work/refs/a.set" || { echo "FAIL: reference build"; exit 1; }
"$cli" build "$work/b.json" "$work/refs/b.set" || { echo "FAIL: reference build"; exit 1; }
cmp -s "$work/refs/a.set" "$work/refs/b.set" && { echo "FAIL: references do not differ"; exit 1; }
target="$work/out/screens.set"
cp "$work/refs/a.set" "$target"
current=a

# Duration of one whole build, in microseconds.
start=$(date +%s%N)
"$cli" build "$work/b.json" "$work/out/timing.set"
rm -f "$work/out/timing.set"
full_us=$(( ($(date +%s%N) - start) / 1000 ))

check_folder() { # when
  local name
  for name in $(ls -A "$work/out"); do
    case "$name" in
      screens.set) ;;
      .screens.set.tavlora-save.*) [ "$1" = after-kill ] || fail "$1: temporary $name left" ;;
      *) fail "$1: stray file $name" ;;
    esac
  done
  [ -f "$target" ] || { fail "$1: the target is gone"; return; }
  if cmp -s "$target" "$work/refs/a.set"; then now=a
  elif cmp -s "$target" "$work/refs/b.set"; then now=b
  else fail "$1: the target is neither the old nor the new file"; now=?; fi
}

killed_mid_save=0
replaced=0
for i in $(seq 1 "$rounds"); do
  next=$([ "$current" = a ] && echo b || echo a)
  if [ $((i % 8)) -eq 0 ]; then
    "$cli" build "$work/$next.json" "$target" || fail "complete save $i"
    check_folder complete
    [ "$now" = "$next" ] || fail "complete save $i did not replace the file"
    current=$now
    continue
  fi
  # Most of a build is reading the JSON; the save is its last part.
  delay=$(( full_us / 3 + RANDOM * 32768 % (full_us * 3 / 4 + 1) + RANDOM % 1000 ))
  "$cli" build "$work/$next.json" "$target" &
  pid=$!
  sleep "$(printf '0.%06d' $((delay < 999999 ? delay : 999999)))"
  kill -KILL "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  check_folder after-kill
  ls -A "$work/out" | grep -q '^\.screens\.set\.tavlora-save\.' && killed_mid_save=$((killed_mid_save + 1))
  [ "$now" != "$current" ] && replaced=$((replaced + 1))
  current=$now
done
"$cli" build "$work/a.json" "$target" || fail "final save"
check_folder complete
[ "$now" = a ] || fail "final save did not replace the file"

echo "$rounds rounds: $killed_mid_save kills during a save, $replaced saves completed before the kill (one build: $((full_us / 1000)) ms)"
echo "$((failures == 0 ? 1 : 0)) passed, $((failures == 0 ? 0 : 1)) failed"
exit $((failures > 0))
