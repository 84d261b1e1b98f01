# The test command's phases: each timed, run in the foreground or the
# background, its failure noted and named on the last line.
# Sourced; phases_start MODE begins, summary ends with the last line.

# phases_start MODE: the logs' folder, the clock, and the traps that show the
# background phases' logs however the script ends.
phases_start() {
    phases_mode=$1
    phases_from=$SECONDS
    logs=$(mktemp -d)
    failed=()
    trap finish EXIT
    trap 'interrupted=1; stop_all; [ -n "${finishing:-}" ] || exit 130' INT TERM
}

# timed NAME COMMAND...: runs COMMAND, then prints how long it took and its status.
timed() {
    local name=$1 from=$SECONDS status=0
    shift
    "$@" || status=$?
    echo "== $name: $((SECONDS - from)) s (status $status)"
    return $status
}

# phase NAME COMMAND...: a phase in the foreground; a failure is noted.
phase() {
    timed "$@" || failed+=("$1")
}

# after NAME...: true when none of the named phases failed; otherwise the
# phase that needs them is noted as skipped.
after() {
    local needed
    local one
    for needed in "$@"; do
        for one in "${failed[@]}"; do
            if [[ $one == "$needed" ]]; then
                echo "== skipped: it needs '$needed', which failed"
                return 1
            fi
        done
    done
}

# quietly COMMAND...: runs COMMAND with its output shown only if it fails.
quietly() {
    "$@" > "$logs/quiet.log" 2>&1 || { local status=$?; cat "$logs/quiet.log"; return $status; }
}

# in_background NAME COMMAND...: a phase with its output in a log, shown by
# collect NAME, which notes a failure; running NAME tells whether it is yet
# to be collected.
in_background() {
    local name=$1
    (timed "$@") > "$logs/$name.log" 2>&1 &
    echo $! > "$logs/$name.pid"
}
running() { [ -e "$logs/$1.pid" ]; }
collect() {
    local status=0
    wait "$(cat "$logs/$1.pid")" || status=$?
    rm "$logs/$1.pid"
    cat "$logs/$1.log"
    grep -q "^== $1: " "$logs/$1.log" || echo "== $1: stopped (status $status)"
    [ $status -eq 0 ] || failed+=("$1")
}
# stop PID: ends the process PID and all its descendants.
stop() {
    local children child
    children=$(pgrep -P "$1")
    kill "$1" 2>/dev/null
    for child in $children; do stop "$child"; done
}
# Interrupted, test.sh stops the background phases; ending early or not, it
# waits for them and shows their logs before the logs go.
stop_all() {
    local pid_file
    for pid_file in "$logs"/*.pid; do
        [ -e "$pid_file" ] && stop "$(cat "$pid_file")"
    done
}
finish() {
    local pid_file
    finishing=1
    for pid_file in "$logs"/*.pid; do
        [ -e "$pid_file" ] && collect "$(basename "$pid_file" .pid)"
    done
    [ -z "${interrupted:-}" ] || { failed+=(interrupted); summary; }
    rm -rf "$logs"
}
# summary: the last line: the time, and the phases that failed.
summary() {
    local outcome="every phase passed"
    [ ${#failed[@]} -eq 0 ] || outcome="FAILED: $(IFS=,; echo "${failed[*]}" | sed 's/,/, /g')"
    echo "== all ($phases_mode): $((SECONDS - phases_from)) s after set-up; $outcome"
    [ ${#failed[@]} -eq 0 ]
}
