# Shell helpers for the end-to-end tests: a private X server, the game's
# window, screenshots and their pixels. Source it; call start_x first.

fail() { echo "FAIL: $*" >&2; exit 1; }

# at_exit COMMAND: runs COMMAND when the script ends, after those added before.
AT_EXIT=""
at_exit() {
    AT_EXIT="$AT_EXIT$1;"
    trap "$AT_EXIT" EXIT
}

# e2e_begin BUILD_DIR DATA_DIR [SHOTS]: starts the X server and sets what
# every script uses: build and data (absolute), game, a scratch folder
# removed at exit, and, when SHOTS is named, shots: a fresh folder of that
# name in the build for the screenshots.
e2e_begin() {
    build=$(realpath "$1")
    data=$(realpath "$2")
    start_x
    game="$build/game/boardgame"
    scratch=$(mktemp -d)
    at_exit "rm -rf '$scratch'"
    if [ -n "${3:-}" ]; then
        shots="$build/$3"
        rm -rf "$shots" && mkdir -p "$shots"
    fi
}

# lines TEXT: how many lines of the game's output ($out) hold TEXT. A script
# that wants whole lines only defines its own after sourcing this file.
lines() { grep -c -F -- "$1" "$out" || true; }

# wait_for TEXT [COUNT]: waits up to a minute until lines TEXT reaches COUNT
# (default 1); fails at once when the game ($pid) has ended first.
wait_for() {
    local want=${2:-1}
    for _ in $(seq 1200); do
        (( $(lines "$1") >= want )) && return 0
        kill -0 "$pid" 2>/dev/null || fail "the game ended while waiting for '$1'"
        sleep 0.05
    done
    fail "no '$1' (x$want) in the output"
}

# Starts Xvfb, one screen of the window's size so the root window is the
# game's (E2E_SCREEN, such as 1920x1080x24, asks for another), on a display that it picks itself (so parallel runs never race
# for one) and exports DISPLAY; stops it at exit. Without -noreset the
# server resets when its first client, the readiness check, leaves, and
# refuses connections meanwhile. SDL is held to X11: should its connection
# fail, it would otherwise carry on without any window.
start_x() {
    local numfile
    numfile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 "${E2E_SCREEN:-640x480x24}" -nolisten tcp -noreset 3>"$numfile" >/dev/null 2>&1 &
    XVFB_PID=$!
    at_exit "stop_x"
    for _ in $(seq 100); do
        if [ -s "$numfile" ]; then
            export DISPLAY=":$(head -n 1 "$numfile")" SDL_VIDEODRIVER=x11
            if xdpyinfo >/dev/null 2>&1; then rm -f "$numfile"; return 0; fi
        fi
        sleep 0.1
    done
    rm -f "$numfile"
    fail "no X server could be started"
}

# Ends whatever this script still runs in the X server, then the server. A
# program left behind when its server goes away can hang in SDL's exit
# handler, spinning on the lost connection, and slow every later run. The
# server is waited for, so that the next script starts on a quiet machine.
stop_x() {
    local pid
    for pid in $(descendants $$); do
        [ "$pid" = "$XVFB_PID" ] || kill -KILL "$pid" 2>/dev/null || true
    done
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    return 0
}

# The processes started by PID, and theirs, and so on.
descendants() {
    local child
    for child in $(pgrep -P "$1"); do
        echo "$child"
        descendants "$child"
    done
}

# find_window [SECONDS]: waits up to SECONDS (default 20) for a window titled
# Varnowick and prints its id.
find_window() {
    for _ in $(seq $(( ${1:-20} * 10 ))); do
        id=$(xdotool search --name '^Varnowick$' 2>/dev/null | head -n 1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    echo "windows on $DISPLAY:" >&2
    xdotool search --name '.' getwindowname %@ >&2 2>/dev/null || true
    fail "no Varnowick window appeared"
}

# shot WINDOW FILE: a PNG of the window, also kept in $SHOTS_DIR when set so
# that someone can look at it after the run.
shot() {
    import -window "$1" "$2" || fail "screenshot of window $1"
    if [ -n "${SHOTS_DIR:-}" ]; then mkdir -p "$SHOTS_DIR" && cp "$2" "$SHOTS_DIR/"; fi
}

# pixel FILE X Y: the colour at (X, Y) as RRGGBB.
pixel() {
    convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- | tail -n 1 | grep -oE '#[0-9A-F]{6}' | tr -d '#'
}

# expect_pixel FILE X Y RRGGBB WHAT
expect_pixel() {
    got=$(pixel "$1" "$2" "$3")
    [ "$got" = "$4" ] || fail "$5: pixel ($2, $3) is $got, expected $4"
}

# steady BUILD_DIR COMMAND...: runs COMMAND with the test shim preloaded
# (tests/steady_shim.cpp); the VARNOWICK_DELAY_DIVISOR and VARNOWICK_DIE set
# for it then quicken its waits or fix its die.
steady() {
    local shim="$1/tests/libsteady_shim.so"
    shift
    [ -f "$shim" ] || fail "no test shim $shim"
    LD_PRELOAD="$shim${LD_PRELOAD:+:$LD_PRELOAD}" "$@"
}

# start_steady DIVISOR ROLLS ARGS...: starts "$game" ARGS under the shim,
# its waits divided by DIVISOR and its die giving ROLLS ("4,2,6"; empty for
# chance), SDL's audio silent; its output into $out and $scratch/err.txt, its
# PID in pid and its window in win (empty when none came).
start_steady() {
    local divisor=$1 rolls=$2
    shift 2
    : > "$out"
    SDL_AUDIODRIVER=dummy VARNOWICK_DIE=$rolls VARNOWICK_DELAY_DIVISOR=$divisor steady "$build" \
        stdbuf -oL "$game" "$@" > "$out" 2> "$scratch/err.txt" &
    pid=$!
    win=$(find_window)
}

# key KEY: presses KEY in the game's window ($win) and releases it 0.1 s later.
key() { xdotool keydown --window "$win" "$1"; sleep 0.1; xdotool keyup --window "$win" "$1"; }

# wait_until SECONDS WHAT COMMAND...: runs COMMAND every 0.05 s until it
# succeeds, or fails after SECONDS.
wait_until() {
    local seconds=$1 what=$2 i
    shift 2
    for ((i = 0; i < seconds * 20; i++)); do
        "$@" && return 0
        sleep 0.05
    done
    fail "$what: not within $seconds s"
}

# roll_to_win WHAT WINDOW: rolls once in the game $pid (output in game.out
# and game.err), whose board takes every roll to 99, and expects the win:
# the game ends within 30 s with status 1 and "Player 1 wins!" as its last line.
roll_to_win() {
    local what=$1 status=0
    xdotool keydown --window "$2" space && sleep 0.1 && xdotool keyup --window "$2" space
    for _ in $(seq 300); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$pid" 2>/dev/null && { kill -KILL "$pid"; fail "$what: no win within 30 s: $(cat game.err)"; }
    wait "$pid" || status=$?
    [ "$status" = 1 ] || fail "$what: the win ended with status $status: $(cat game.err)"
    [ "$(tail -1 game.out)" = "Player 1 wins!" ] || fail "$what: $(tail -3 game.out)"
}
