#!/usr/bin/env bash
# The installed game's launcher over the checkout's data and stand-in programs:
# which version folder a program is given, how the game's end is reported,
# the usage errors, and that no working folder is left behind.
#   launcher_cli.sh LAUNCHER_DIR   (holds the launcher configured for this test)
set -uo pipefail
dir=$(realpath "$1")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
export XDG_RUNTIME_DIR=$scratch/run XDG_DATA_HOME=$scratch/data HOME=$scratch/home
mkdir -p "$XDG_RUNTIME_DIR" "$XDG_DATA_HOME/varnowick" "$HOME" "$scratch/bin"
mine=$XDG_DATA_HOME/varnowick
data=$(sed -n "s/^DATA_DIR='\(.*\)'$/\1/p" "$dir/varnowick")

# Every program is this stand-in: it names the folders of its version and of
# the game's sounds, then prints $FAKE_OUTPUT, waits $FAKE_SLEEP seconds (a
# signal ends it, unless $FAKE_DEAF) and ends with $FAKE_STATUS.
mkdir -p "$dir/programs"
for program in boardgame chuteview squarevox boardcheck; do
    cat > "$dir/programs/$program" <<'EOF'
#!/bin/sh
if [ -n "${FAKE_DEAF:-}" ]; then
    trap '' TERM INT HUP
elif [ -n "${FAKE_SLEEP:-}" ]; then
    trap 'kill $! 2>/dev/null; echo "ended by a signal"; exit 143' TERM INT HUP
fi
[ "${1:-}" = -- ] && shift # as every program with a version does
[ -n "${1:-}" ] && echo "version at $(cd -P "./$1" && pwd)"
echo "audio at $(cd -P ./audio && pwd)"
printf '%b' "${FAKE_OUTPUT:-}"
if [ -n "${FAKE_SLEEP:-}" ]; then # waits, ending on a signal or deaf to it
    [ -n "${FAKE_DEAF:-}" ] && exec sleep "$FAKE_SLEEP"
    sleep "$FAKE_SLEEP" &
    wait
fi
exit "${FAKE_STATUS:-0}"
EOF
    chmod +x "$dir/programs/$program"
done
install -m 755 "$dir/varnowick" "$scratch/bin/varnowick"
for command in varnowick-chuteview varnowick-squarevox varnowick-boardcheck; do
    ln -s varnowick "$scratch/bin/$command"
done

# How the end of the game is reported: name, its last lines, its status, the launcher's.
while IFS='|' read -r name output status want; do
    got=0
    FAKE_OUTPUT=$output FAKE_STATUS=$status "$scratch/bin/varnowick" > /dev/null 2>&1 || got=$?
    [ "$got" = "$want" ] || fail "$name: status $got, expected $want"
done <<'TABLE'
Escape or the window closed|Got a keyup of 27\nQuit Button pressed\n|0|0
Player 1 wins|Player 0 is set to (4, 4)\nPlayer 1 wins!\n|1|0
Player 2 wins|Player 2 wins\n|1|0
Player 3 wins|Player 3 wins!\n|1|0
Player 4 wins|Player 4 wins!\n|1|0
no audio device|Mix_OpenAudio error\nOh My Goodness, an error : no device|1|1
a winner's line that is not the last|Player 1 wins!\nanything\n|1|1
no version file|Cannot open the version file ./x/x.config\n|1|1
SDL cannot start|Could not initialize SDL: none.\n|255|255
TABLE
FAKE_OUTPUT='Player 1 wins!\n' FAKE_STATUS=1 "$scratch/bin/varnowick-boardcheck" mivo > /dev/null
[ $? = 1 ] || fail "a tool's status is not its program's"

# A signal to the launcher: the program gets it at once (or is killed a
# second later when deaf to it), the launcher ends by it within a second and
# its folder goes. Command, signal, whether the program is deaf, status.
while read -r command signal deaf want; do
    FAKE_SLEEP=30 FAKE_DEAF=${deaf#-} env --default-signal=INT "$scratch/bin/$command" mivo > "$scratch/out" 2>&1 &
    pid=$!
    for _ in $(seq 100); do grep -q '^audio at' "$scratch/out" && break; sleep 0.05; done
    start=$EPOCHREALTIME
    kill -s "$signal" "$pid"
    wait "$pid"
    got=$?
    took=$(( (${EPOCHREALTIME/./} - ${start/./}) / 1000 ))
    [ "$got" = "$want" ] || fail "$command, $signal: status $got, expected $want: $(cat "$scratch/out")"
    (( took < 1500 )) || fail "$command, $signal: ended after $took ms"
    [ -n "${deaf#-}" ] || grep -qx 'ended by a signal' "$scratch/out" || fail "$command, $signal: the program did not get it"
done <<'TABLE'
varnowick TERM - 143
varnowick INT - 130
varnowick HUP - 129
varnowick TERM deaf 143
varnowick-boardcheck TERM - 143
varnowick-boardcheck INT deaf 130
TABLE
[ -z "$(ls -A "$XDG_RUNTIME_DIR")" ] || fail "working folders left after signals: $(ls -A "$XDG_RUNTIME_DIR")"

# A full or read-only runtime folder (root only: small tmpfs mounts): a normal
# end is still one.
mkdir "$scratch/full" "$scratch/ro"
if mount -t tmpfs -o size=8k tmpfs "$scratch/full" 2>/dev/null &&
    mount -t tmpfs -o ro tmpfs "$scratch/ro"; then
    trap 'umount "$scratch/full" "$scratch/ro"; rm -rf "$scratch"' EXIT
    head -c 1M /dev/zero > "$scratch/full/filler" 2>/dev/null
    for folder in full ro; do
        for end in 'Got a keyup of 27\n|0' 'Player 1 wins!\n|1'; do
            XDG_RUNTIME_DIR=$scratch/$folder FAKE_OUTPUT=${end%|*} FAKE_STATUS=${end#*|} \
                "$scratch/bin/varnowick" > /dev/null 2> "$scratch/err" ||
                fail "a $folder runtime folder, an end of status ${end#*|}: $(cat "$scratch/err")"
        done
    done
fi

# Which folder the program gets: command, argument, where it is run, expected
# folder (or "usage" for status 2 without the program).
mkdir -p "$scratch/boards/own" "$scratch/boards/-x" "$mine/clash" "$mine/audio" "$mine/-x"
cp -r "$data/mivo" "$scratch/boards/"
echo "1 2 x" > "$mine/clash/clash.config"
while IFS='|' read -r command arg where want; do
    out=$(cd "$scratch/$where" && "$scratch/bin/$command" $arg 2> "$scratch/err")
    status=$?
    out=${out%%$'\n'*}
    if [ "$want" = usage ]; then
        [ "$status" = 2 ] && [ -z "$out" ] && [ -s "$scratch/err" ] ||
            fail "$command $arg: status $status, output [$out], expected a usage error"
    else
        want=${want/\{shipped\}/$data}
        want=${want/\{scratch\}/$scratch}
        [ "$out" = "version at $want" ] || fail "$command $arg: [$out], expected $want"
    fi
done <<'TABLE'
varnowick|mivo|home|{shipped}/mivo
varnowick|clash|home|{scratch}/data/varnowick/clash
varnowick|./boards/mivo|.|{scratch}/boards/mivo
varnowick|../../boards/own|data/varnowick|{scratch}/boards/own
varnowick|.|boards/own|{scratch}/boards/own
varnowick-boardcheck|mivo|home|{shipped}/mivo
varnowick-squarevox|clash|home|{scratch}/data/varnowick/clash
varnowick-squarevox|mivo|home|usage
varnowick-squarevox|../../data/varnowick/clash|boards/own|{scratch}/data/varnowick/clash
varnowick|audio|home|usage
varnowick|nosuch|home|usage
varnowick|./nosuch|home|usage
varnowick|-x|home|usage
varnowick-boardcheck||home|usage
varnowick-chuteview|mivo|home|usage
varnowick-boardcheck|./boards/-x|.|{scratch}/boards/-x
varnowick-squarevox|-- -x|home|{scratch}/data/varnowick/-x
varnowick|-- -x|home|{scratch}/data/varnowick/-x
TABLE
# The user's folder wins a name clash, and a path wins over both.
cp -r "$data/mivo" "$mine/"
[ "$(cd "$HOME" && "$scratch/bin/varnowick" mivo | head -n 1)" = "version at $mine/mivo" ] || fail "the user's mivo lost to the shipped one"
[ "$(cd "$scratch" && "$scratch/bin/varnowick" boards/mivo | head -n 1)" = "version at $scratch/boards/mivo" ] || fail "a path lost to a name"
[ "$(cd "$HOME" && "$scratch/bin/varnowick" | tail -n 1)" = "audio at $data/audio" ] ||
    fail "a user's folder named audio replaced the game's sounds"
"$scratch/bin/varnowick-boardcheck" --version | grep -x 'varnowick-boardcheck [0-9]*\.[0-9]*\.[0-9]*' >/dev/null || fail "--version"
"$scratch/bin/varnowick" --help | grep "^Usage: varnowick \[--players N\] .* \[VERSION\]$" >/dev/null || fail "--help"

# passes_on COMMAND PROGRAM < TABLE: each line's arguments given to COMMAND
# reach PROGRAM, now a stand-in that prints them, as the line's second half
# says, or are a usage error.
passes_on() {
    local command=$1 args want out status
    printf '#!/bin/sh\necho "$*"\n' > "$dir/programs/$2"
    while IFS='|' read -r args want; do
        out=$(cd "$HOME" && "$scratch/bin/$command" $args 2> /dev/null)
        status=$?
        if [ "$want" = usage ]; then
            [ "$status" = 2 ] && [ -z "$out" ] || fail "$command $args: status $status, [$out], expected a usage error"
        else
            [ "$out" = "$want" ] || fail "$command $args: $2 got [$out], expected [$want]"
        fi
    done
}
# The game's options pass on in front of its version; a malformed one is the
# launcher's usage error; the version follows "--", so it may look like an
# option.
passes_on varnowick boardgame <<'TABLE'
--players 3 mivo|--players 3 -- mivo
--players=4 --computer 1,3 --one-button --speak|--players=4 --computer 1,3 --one-button --speak
--computer 2 -- mivo|--computer 2 -- mivo
--players 2 -- -x|--players 2 -- -x
--speak|--speak
--players|usage
--players x mivo|usage
--computer 1;ls mivo|usage
--computer=* mivo|usage
--colour red mivo|usage
mivo --players 3|usage
TABLE
passes_on varnowick-boardcheck boardcheck <<'TABLE'
--players 3 mivo|--players 3 -- mivo
TABLE
# squarevox speaks the user's own version only, and its version follows "--"
# as boardcheck's does.
passes_on varnowick-squarevox squarevox <<'TABLE'
clash|-- clash
--game-voice clash|--game-voice -- clash
--game-voice -- -x|--game-voice -- -x
--game-voice lirou|usage
--game-voice|usage
--players 3 mivo|usage
TABLE
[ -z "$(ls -A "$XDG_RUNTIME_DIR")" ] || fail "working folders left: $(ls -A "$XDG_RUNTIME_DIR")"

(( failures == 0 )) && echo "launcher: all passed"
exit $(( failures > 0 ))
