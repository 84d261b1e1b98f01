#!/usr/bin/env bash
# The chute previewer in a real X server: its first frame, arrow keys that act
# on release, Escape ending it with status 0 and its one line, and a missing
# picture ending it with status 1. Screenshots stay in <build>/e2e-chuteview.
#   e2e_chuteview.sh BUILD_DIR DATA_DIR
set -euo pipefail
build=$(realpath "$1")
data=$(realpath "$2")
source "$(dirname "$0")/e2e_lib.sh"
start_x
tool="$build/chuteview/chuteview"
out="$build/e2e-chuteview"
rm -rf "$out"
mkdir -p "$out"

# Waits for the process to end (10 s at most) and leaves its status in $status.
wait_for_end() {
    for _ in $(seq 100); do
        kill -0 "$1" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$1" 2>/dev/null && { kill "$1"; fail "still running after 10 s"; }
    status=0
    wait "$1" || status=$?
}

shot() { sleep 0.5; import -window root "$out/$1.png"; }
colour() { pixel "$out/$1.png" "$2" "$3"; }
differ() { [ "$(compare -metric AE "$out/$1.png" "$out/$2.png" null: 2>&1 || true)" != 0 ]; }

cd "$data"
"$tool" >"$out/stdout.txt" 2>"$out/stderr.txt" &
pid=$!
wid=$(find_window)
xdotool windowfocus --sync "$wid"
shot first
[ "$(colour first 210 313)" = 990000 ] || fail "chute's lowest row 313: $(colour first 210 313)"
[ "$(colour first 210 314)" = 000000 ] || fail "row 314 not black"
[ "$(colour first 300 340)" = FFFFFF ] || fail "no white bar"

xdotool key Right
shot right
differ first right || fail "a Right release did not change the picture"
xdotool keydown Up
shot up_held
differ right up_held && fail "a held Up key moved the point before its release"
xdotool keyup Up
shot up_released
differ up_held up_released || fail "releasing Up did not change the picture"
xdotool key Left Left Left Left Left Left Down Down
shot far_left

xdotool key Escape
wait_for_end "$pid"
[ "$status" = 0 ] || fail "Escape ended with status $status"
[ "$(cat "$out/stdout.txt")" = "Quit Button pressed" ] || fail "stdout: $(cat "$out/stdout.txt")"
[ "$(wc -l <"$out/stdout.txt")" = 1 ] || fail "more than one line on stdout"

# Without the picture the tool stops before drawing a chute.
empty=$(mktemp -d)
cd "$empty"
status=0
timeout 20 "$tool" >"$out/missing_stdout.txt" 2>"$out/missing_stderr.txt" || status=$?
cd / && rm -rf "$empty"
[ "$status" = 1 ] || fail "a missing picture ended with status $status"
grep -q "./chute1.xpm" "$out/missing_stderr.txt" || fail "the message does not name ./chute1.xpm"
[ ! -s "$out/missing_stdout.txt" ] || fail "a missing picture printed on stdout"

# --help and --version answer without a window; any argument is a usage
# error: arguments, status, patterns of stdout's and stderr's first lines.
while IFS='|' read -r args want first_out first_err; do
    status=0
    timeout 5 "$tool" $args >"$out/args_stdout.txt" 2>"$out/args_stderr.txt" || status=$?
    [ "$status" = "$want" ] || fail "chuteview $args: status $status"
    [[ "$(head -n 1 "$out/args_stdout.txt")" =~ ^$first_out$ ]] || fail "chuteview $args: stdout $(cat "$out/args_stdout.txt")"
    [[ "$(head -n 1 "$out/args_stderr.txt")" =~ ^$first_err$ ]] || fail "chuteview $args: stderr $(cat "$out/args_stderr.txt")"
done <<'TABLE'
--help|0|Usage: chuteview|
--version|0|chuteview [0-9]+\.[0-9]+\.[0-9]+|
mivo|2||chuteview: takes no arguments, not "mivo"
--size=9|2||chuteview: unknown option "--size=9"
TABLE
echo "chuteview end-to-end: all passed; screenshots in $out"
