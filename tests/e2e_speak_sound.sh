#!/usr/bin/env bash
# What the game plays, recorded by SDL's disk audio driver: a French board's
# turn sound is its French clip and a board without a language file's is
# audio/player1.wav; under --speak the die's rattle is silent under a key's
# answer (at least 20 dB below it) and the roll is said at least a quarter
# second after the rattle; a key cuts the board's answer short; each square
# walked ticks once. Clips are replaced by pure tones where the
# recording is measured (tests/sound_probe.py).
#   e2e_speak_sound.sh BUILD_DIR DATA_DIR
set -euo pipefail

here=$(dirname "$(realpath "$0")")
source "$here/e2e_lib.sh"
e2e_begin "$1" "$2"
probe() { python3 "$here/sound_probe.py" "$@"; }
cp -r "$data/image" "$data/audio" "$data/lirou" "$data/mivo" "$scratch/"
cd "$scratch"
out="$scratch/out.txt"

# record NAME ARGS...: starts the game recording into NAME.raw.
record() {
    local name=$1
    shift
    : > "$out"
    SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$scratch/$name.raw" VARNOWICK_DIE=4,2 \
        steady "$build" stdbuf -oL "$game" "$@" > "$out" 2> "$scratch/err.txt" &
    pid=$!
    win=$(find_window)
}

quit() {
    key Escape
    wait "$pid" || fail "$1: status $?"
}

# --- The turn sound: the board's own language, else the fixed one.
for case in "lirou:A:the French clip" "mivo:B:audio/player1.wav"; do
    IFS=: read -r board want what <<< "$case"
    record "turn-$board" "$board"
    sleep 3 # the turn sound has played; the die spins
    quit "$board"
    got=$(probe match "turn-$board.raw" audio/say/fr/turn1.wav audio/player1.wav)
    [[ $got == "$want "* ]] || fail "$board's turn sound is not $what: $got"
done
echo "Turn sounds: lirou plays its French clip, mivo audio/player1.wav"

# --- Under --speak: the help is a 1000 Hz tone of 2 s, the roll's words a
# 700 Hz tone of 0.4 s, the board's first word ("ladder from") a 500 Hz tone
# of 3 s, the walk's tick a 1500 Hz tone of 50 ms.
sox -n -r 22050 -c 1 -b 16 audio/say/en/help.wav synth 2 sine 1000 gain -20
sox -n -r 22050 -c 1 -b 16 audio/say/en/rolls.wav synth 0.4 sine 700 gain -20
sox -n -r 22050 -c 1 -b 16 audio/say/en/ladder.wav synth 3 sine 500 gain -20
sox -n -r 22050 -c 1 -b 16 audio/tick.wav synth 0.05 sine 1500 gain -20
record speak --speak mivo
wait_for "Says: Player 1, roll the die"
sleep 0.5 # the rattle plays
key b # cut short by the next key
wait_for "Says: ladder from"
sleep 0.5
key x
sleep 1
key h
wait_for "Says: Space rolls the die."
sleep 3 # the help's end, and the rattle again
key space
wait_for "Says: rolls the number"
wait_for "Says: now on square"
quit "--speak"
help=$(probe tone speak.raw 1000)
read -r _ _ _ _ under _ _ <<< "$help"
awk -v u="$under" 'BEGIN { exit !(u >= 20) }' || fail "under the help the rattle is at -$under dB: $help"
roll=$(probe tone speak.raw 700)
read -r _ _ _ _ _ _ gap <<< "$roll"
awk -v g="$gap" 'BEGIN { exit !(g >= 0.25) }' || fail "the roll came $gap s after the rattle: $roll"
board=$(probe tone speak.raw 500)
read -r _ start end _ <<< "$board"
awk -v s="$start" -v e="$end" 'BEGIN { exit !(e - s < 1.5) }' || fail "b was not cut short by x: $board"
ticks=$(probe bursts speak.raw 1500)
[ "$ticks" = "bursts 4" ] || fail "a walk of 4 squares ticked: $ticks"
echo "Speech: the rattle $under dB under the help; the roll $gap s after the rattle; 4 ticks"
