#!/usr/bin/env bash
# The test command's phases (tools/phases.sh) in small scripts: a failure ends
# nothing, every background log is shown, also when the script ends early or
# is interrupted, and the last line names each failed phase.
#   phases_test.sh SOURCE_DIR
set -uo pipefail
lib=$(realpath "$1/tools/phases.sh")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# case|script after phases_start|signal after 1 s (or -)|status|lines the output holds, @ between
while IFS='|' read -r name script signal want_status want_lines; do
    printf 'source %q\nphases_start t\n%s\n' "$lib" "$script" > "$scratch/run.sh"
    bash "$scratch/run.sh" > "$scratch/out" 2>&1 &
    pid=$!
    if [ "$signal" != - ]; then sleep 1; kill "-$signal" "$pid"; fi
    status=0
    wait "$pid" || status=$?
    [ "$status" = "$want_status" ] || fail "$name: status $status, not $want_status"
    IFS='@' read -ra lines <<< "$want_lines"
    for line in "${lines[@]}"; do
        grep -qE "^$line\$" "$scratch/out" || fail "$name: no line '$line' in: $(cat "$scratch/out")"
    done
done <<'CASES'
all pass|phase a true; in_background b true; collect b; summary|-|0|== a: [0-9]+ s \(status 0\)@== all \(t\): [0-9]+ s after set-up; every phase passed
failures end nothing|in_background b sh -c 'sleep 0.5; echo b says; exit 3'; phase a false; after a && phase c true; phase d true; collect b; summary|-|1|== skipped: it needs 'a', which failed@== d: [0-9]+ s \(status 0\)@b says@== b: [0-9]+ s \(status 3\)@== all \(t\): [0-9]+ s after set-up; FAILED: a, b
needs only its own names|phase 'x build' false; after build && phase c true; summary|-|1|== c: [0-9]+ s \(status 0\)@== all \(t\): [0-9]+ s after set-up; FAILED: x build
an early end shows the log|in_background b sh -c 'sleep 0.5; echo b says'; exit 4|-|4|b says@== b: [0-9]+ s \(status 0\)
interrupted|in_background b sh -c 'echo b started; sleep 20'; phase a sleep 2; summary|TERM|130|b started@== b: stopped \(status 143\)@== all \(t\): [0-9]+ s after set-up; FAILED: b, interrupted
CASES
echo "phases: $failures failures"
[ "$failures" -eq 0 ]
