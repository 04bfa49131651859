#!/usr/bin/env bash
# tarnwell started without a display says in one line how to start it and exits with 1,
# without aborting; the generator (any argument) needs no display.
# Usage: no_display_test.sh PATH/TO/tarnwell
set -uo pipefail
exe="$1"
tmp="$(mktemp -d "${TMPDIR:-/tmp}/tarnwell-display-test.XXXXXX")"
trap 'rm -rf "$tmp"' EXIT
failures=0
fail() {
  echo "FAIL: $1" >&2
  failures=$((failures + 1))
}

mkdir -p "$tmp/product"
cd "$tmp/product" || exit 1
no_display=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)

status=0
"${no_display[@]}" "$exe" >"$tmp/out" 2>"$tmp/err" || status=$?
[[ $status -eq 1 ]] || fail "no display: status 1, not $status"
[[ $(wc -l <"$tmp/err") -eq 1 ]] || fail "no display: one line, not: $(cat "$tmp/err")"
grep -q "xvfb-run -a tarnwell" "$tmp/err" || fail "no display: names xvfb-run"

# A platform that cannot start: the same line instead of Qt's abort.
status=0
env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$exe" >"$tmp/out" 2>"$tmp/err" || status=$?
[[ $status -eq 1 ]] || fail "failing platform: status 1, not $status"
grep -q "xvfb-run -a tarnwell" "$tmp/err" || fail "failing platform: names xvfb-run"

# The generator runs without a display (here it finds no development tree around it).
status=0
"${no_display[@]}" "$exe" --generate >"$tmp/out" 2>"$tmp/err" || status=$?
grep -q "xvfb-run" "$tmp/err" && fail "generator: asked for a display"
[[ $status -lt 128 ]] || fail "generator: ended by a signal ($status)"

if ((failures > 0)); then
  exit 1
fi
echo "all checks passed"
