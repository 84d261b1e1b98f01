#!/usr/bin/env bash
# The installed game's launcher over the checkout's data and stand-in programs:
# which version folder a program is given, that the arguments pass on as
# they are, how the game's end is reported, and that no working folder is
# left behind.
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

# Every program is this stand-in: it answers --help and --version, skips its
# options, names the folders of its version ("nothing" for none) and of the
# game's sounds, writes $FAKE_WRITE, then prints $FAKE_OUTPUT, waits
# $FAKE_SLEEP seconds (a signal ends it, unless $FAKE_DEAF) and ends with
# $FAKE_STATUS.
mkdir -p "$dir/programs"
for program in boardgame chuteview squarevox boardcheck; do
    cat > "$dir/programs/$program" <<'EOF'
#!/bin/sh
if [ -n "${FAKE_DEAF:-}" ]; then
    trap '' TERM INT HUP
elif [ -n "${FAKE_SLEEP:-}" ]; then
    trap 'kill $! 2>/dev/null; echo "ended by a signal"; exit 143' TERM INT HUP
fi
case ${1:-} in
--help) echo "Usage: ${0##*/} [--players N] [version]"; exit 0 ;;
--version) echo "${0##*/} 1.2.3"; exit 0 ;;
esac
while [ $# -gt 0 ]; do
    case $1 in --) shift; break ;; --win-status) shift 2 ;; -*) shift ;; *) break ;; esac
done
[ -n "${1:-}" ] && echo "version at $(cd -P "./$1" 2>/dev/null && pwd || echo nothing)"
echo "audio at $(cd -P ./audio && pwd)"
[ -z "${FAKE_WRITE:-}" ] || echo "written here" > "$FAKE_WRITE"
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

# How the end of the game is reported: the game's status (a win is 0, the
# launcher asks for it), the launcher's, whether it adds a line.
while read -r status want line; do
    got=0
    FAKE_STATUS=$status "$scratch/bin/varnowick" > /dev/null 2> "$scratch/err" || got=$?
    [ "$got" = "$want" ] || fail "game status $status: launcher status $got, expected $want"
    [ "$line" = "$(grep -c 'the game ended with status' "$scratch/err")" ] || fail "game status $status: $(cat "$scratch/err")"
done <<'TABLE'
0 0 0
2 2 0
1 1 1
255 255 1
TABLE
FAKE_STATUS=1 "$scratch/bin/varnowick-boardcheck" mivo > /dev/null 2> "$scratch/err"
[ $? = 1 ] && [ ! -s "$scratch/err" ] || fail "a tool's status is not its program's"

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

# A full or read-only runtime folder (root only: small tmpfs mounts): the
# launcher makes its folder elsewhere.
mkdir "$scratch/full" "$scratch/ro"
if mount -t tmpfs -o size=8k tmpfs "$scratch/full" 2>/dev/null &&
    mount -t tmpfs -o ro tmpfs "$scratch/ro"; then
    trap 'umount "$scratch/full" "$scratch/ro"; rm -rf "$scratch"' EXIT
    head -c 1M /dev/zero > "$scratch/full/filler" 2>/dev/null
    for folder in full ro; do
        XDG_RUNTIME_DIR=$scratch/$folder "$scratch/bin/varnowick" > /dev/null 2> "$scratch/err" ||
            fail "a $folder runtime folder: $(cat "$scratch/err")"
    done
fi

# Which folder the program gets: command, argument, where it is run, expected
# folder (or "usage" for status 2 without the program). A name that is no
# version passes on too: the program says what is wrong.
mkdir -p "$scratch/boards/own" "$scratch/boards/-x" "$scratch/boards/audio" "$mine/clash" "$mine/audio" "$mine/-x"
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
varnowick|nosuch|home|nothing
varnowick|./nosuch|home|nothing
varnowick|./boards/audio|.|usage
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
# --help and --version are the program's, under the command's name.
[ "$("$scratch/bin/varnowick-boardcheck" --version)" = "varnowick-boardcheck 1.2.3" ] || fail "--version"
"$scratch/bin/varnowick" --help > "$scratch/out"
grep -qx 'Usage: varnowick \[--players N\] \[version\]' "$scratch/out" && grep -q "^Your versions: $mine/" "$scratch/out" ||
    fail "--help: $(cat "$scratch/out")"
# A file a program writes in its working folder (boardcheck --picture) comes
# to the folder the launcher was started in, but never over a file there.
(cd "$HOME" && FAKE_WRITE=board.png "$scratch/bin/varnowick-boardcheck" mivo > /dev/null)
[ "$(cat "$HOME/board.png")" = "written here" ] || fail "the written file did not come back"
echo mine > "$HOME/board.png"
(cd "$HOME" && FAKE_WRITE=board.png "$scratch/bin/varnowick-boardcheck" mivo > /dev/null 2> "$scratch/err")
[ "$(cat "$HOME/board.png")" = mine ] && grep -q 'board.png is lost' "$scratch/err" || fail "a written file replaced the user's"

# passes_on COMMAND PROGRAM < TABLE: each line's arguments given to COMMAND
# reach PROGRAM, now a stand-in that prints them, as the line's second half
# says, or are the launcher's usage error.
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
# The game's arguments pass on as they are, the launcher's --win-status 0 in
# front; a version's path becomes its name after "--"; varnowick alone opens
# the menu.
passes_on varnowick boardgame <<'TABLE'
--players 3 mivo|--win-status 0 --players 3 mivo
--players=4 --computer 1,3 --one-button --speak|--win-status 0 --players=4 --computer 1,3 --one-button --speak
--players 2 -- -x|--win-status 0 --players 2 -- -x
--players x mivo|--win-status 0 --players x mivo
--computer 1;ls mivo|--win-status 0 --computer 1;ls mivo
--colour red mivo|--win-status 0 --colour red mivo
mivo --players 3|--win-status 0 mivo --players 3
--speak ../boards/-x|--win-status 0 --speak -- -x
|--win-status 0 --menu
--menu --players 3|--win-status 0 --menu --players 3
TABLE
# boardcheck's picture goes where a relative path names it from the folder
# the launcher was started in ($HOME here), never into the working folder,
# and never over a file there.
echo mine > "$HOME/taken.png"
passes_on varnowick-boardcheck boardcheck <<TABLE
--players 3 mivo|--players 3 mivo
|
--picture fresh.png mivo|--picture $HOME/fresh.png mivo
--picture=out/b.png --players 3 mivo|--picture=$HOME/out/b.png --players 3 mivo
--picture ../b.png mivo|--picture $HOME/../b.png mivo
--picture $scratch/b.png mivo|--picture $scratch/b.png mivo
--picture=|--picture=
-- --picture x.png|-- --picture x.png
--picture taken.png mivo|usage
--picture=$HOME/taken.png mivo|usage
TABLE
passes_on varnowick-chuteview chuteview <<'TABLE'
mivo|mivo
TABLE
# squarevox speaks the user's own versions only.
passes_on varnowick-squarevox squarevox <<'TABLE'
clash|clash
--game-voice clash|--game-voice clash
--game-voice -- -x|--game-voice -- -x
--game-voice lirou|usage
--game-voice|usage
--players 3 lirou|usage
TABLE
[ -z "$(ls -A "$XDG_RUNTIME_DIR")" ] || fail "working folders left: $(ls -A "$XDG_RUNTIME_DIR")"

(( failures == 0 )) && echo "launcher: all passed"
exit $(( failures > 0 ))
