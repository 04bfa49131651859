#!/usr/bin/env bash
# scripts/run checks its arguments before it sets up or builds anything, and starts the
# program in the folder the caller named, relative to where the caller stands.
# Usage: run_arguments_test.sh PATH/TO/scripts/run
set -uo pipefail
run="$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"
tmp="$(mktemp -d "${TMPDIR:-/tmp}/tarnwell-run-test.XXXXXX")"
trap 'rm -rf "$tmp"' EXIT
failures=0

check() {  # NAME CONDITION...
  local name="$1"
  shift
  if ! "$@"; then
    echo "FAIL: $name" >&2
    failures=$((failures + 1))
  fi
}

mkdir -p "$tmp/work/product" "$tmp/work/a" "$tmp/work/b"
touch "$tmp/work/file.txt"
# The stand-in for the program: tells where it was started.
cat >"$tmp/program" <<'STUB'
#!/bin/sh
pwd -P >"$TARNWELL_TEST_OUT"
STUB
chmod +x "$tmp/program"

# Bad arguments: status 2 and the usage at once, without a display, no set-up, no build.
bad_cases=(
  "unknown option|--bogus"
  "missing folder|$tmp/work/missing"
  "a file|$tmp/work/file.txt"
  "two folders|a|b"
  "empty name|"
)
for entry in "${bad_cases[@]}"; do
  IFS='|' read -r -a parts <<<"$entry"
  name="${parts[0]}"
  args=("${parts[@]:1}")
  ((${#args[@]} == 0)) && args=("")
  status=0
  (cd "$tmp/work" && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u TARNWELL_EXE \
    TARNWELL_BUILD="$tmp/never-built" "$run" "${args[@]}") >"$tmp/out" 2>"$tmp/err" || status=$?
  check "$name: status 2 (got $status)" test "$status" -eq 2
  check "$name: usage shown" grep -q "usage: scripts/run" "$tmp/err"
  check "$name: nothing built" test ! -e "$tmp/never-built"
  check "$name: no build started" bash -c "! grep -q building '$tmp/err'"
done

# --help: the usage, status 0.
status=0
env -u TARNWELL_EXE TARNWELL_BUILD="$tmp/never-built" "$run" --help >"$tmp/out" 2>&1 || status=$?
check "help: status 0 (got $status)" test "$status" -eq 0
check "help: usage shown" grep -q "usage: scripts/run" "$tmp/out"

# A relative folder is the caller's: "product" from its parent, "." from inside it.
for entry in "from the parent|$tmp/work|product" "from inside|$tmp/work/product|." \
  "with dot-dot|$tmp/work/a|../product"; do
  IFS='|' read -r name from arg <<<"$entry"
  rm -f "$tmp/started"
  status=0
  (cd "$from" && QT_QPA_PLATFORM=offscreen TARNWELL_EXE="$tmp/program" \
    TARNWELL_TEST_OUT="$tmp/started" "$run" "$arg") >"$tmp/out" 2>&1 || status=$?
  check "$name: status 0 (got $status)" test "$status" -eq 0
  check "$name: started in the folder" test "$(cat "$tmp/started" 2>/dev/null)" = \
    "$(cd "$tmp/work/product" && pwd -P)"
done

if ((failures > 0)); then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "all checks passed"
