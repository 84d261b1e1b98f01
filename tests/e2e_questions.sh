#!/usr/bin/env bash
# Question squares in a real X server with fixed rolls: on a ladder's foot a
# right answer climbs and a wrong one stays, on a chute's top a right answer
# stays and a wrong one slides, on a plain square a right answer rolls again;
# answered by a number key, by a click and by one button's scanning; the
# box's screenshots; a French board's question said in French under --speak;
# and a self-played game of the shipped example to its tally of right answers.
#   e2e_questions.sh BUILD_DIR DATA_DIR
set -euo pipefail

source "$(dirname "$0")/e2e_lib.sh"
e2e_begin "$1" "$2" e2e_questions_shots
cp -r "$data/image" "$data/audio" "$scratch/"
cd "$scratch"
out="$scratch/out.txt"

# Ladder 4 -> 24, chute 6 -> 2, a plain question on 3.
mkdir quiz
printf '4 24 Up!\n6 2 Down!\n' > quiz/quiz.config
printf '# one of each kind\n4|Ladder question?|up|down\n6\tChute question?\tstay\tslide\n3|Plain question?|again|stop|never\n' > quiz/questions

ended() { ! kill -0 "$pid" 2>/dev/null; }
start_game() { start_steady 2 "$@"; } # ROLLS ARGS...
# The number shown for the right (`right`) or a wrong answer (`wrong`).
number_of() { # RIGHT_WORDS right|wrong
    local want=$1 how=$2
    sed -n 's/^Answer \([1-4]\): \(.*\)$/\1 \2/p' "$out" | tail -4 |
        awk -v w="$want" -v h="$how" '(h == "right") == ($2 == w) { print $1; exit }'
}
# Where player index 0's last set_dest put it.
last_place() { sed -n 's/^Player 0 is set to (\([0-9]*\), \([0-9]*\)).*/\1,\2/p' "$out" | tail -1; }
# Whether player 1's token has been set down at X,Y since the answer.
placed_at() {
    sed -n '/^Right$\|^Wrong$/,$p' "$out" | grep -q "^Player 0 is set to" && [[ $(last_place) == "$1" ]]
}
# Rolls for player 1: presses Space until its token walks.
roll() {
    local before
    before=$(grep -c "^Player 0 is set to" "$out" || true)
    for _ in $(seq 100); do
        key space
        sleep 1.5
        (( $(grep -c "^Player 0 is set to" "$out" || true) > before )) && return 0
    done
    fail "no roll"
}

# name | rolls | options | answer words | right or wrong | how | corner of player 0 after | ladder or chute taken
cases=(
    "ladder right by key|4|quiz|up|right|key|196,340|yes"
    "ladder wrong by key|4|quiz|up|wrong|key|196,436|no"
    "chute right by click|6|quiz|stay|right|click|292,436|no"
    "chute wrong by click|6|quiz|stay|wrong|click|100,436|yes"
    "plain right by one button rolls again|3,2|--one-button quiz|again|right|button|244,436|no"
)
for c in "${cases[@]}"; do
    IFS='|' read -r name rolls args words how by place taken <<< "$c"
    start_game "$rolls" $args
    roll
    wait_for "Answer 2:"
    n=$(number_of "$words" "$how")
    [[ -n $n ]] || fail "$name: no answer shown for $words"
    case $by in
    key) key "$n" ;;
    click)
        shot "$win" "$shots/box-$how.png"
        xdotool mousemove --window "$win" 200 $((64 + 12 + 90 + 10 + (n - 1) * 44 + 20)) click 1 ;;
    button)
        # The highlight walks on by itself; a press while it is on the answer chooses it.
        wait_for "Menu: $n  $words"
        key Return ;;
    esac
    wait_for "$( [[ $how == right ]] && echo Right || echo Wrong )"
    if [[ $by == click && $how == wrong ]]; then sleep 0.2; shot "$win" "$shots/verdict-wrong.png"; fi
    [[ $(grep -c -x -E 'Right|Wrong' "$out") == 1 ]] || fail "$name: $(grep -x -E 'Right|Wrong' "$out")"
    if [[ $by == button ]]; then
        # Player 1 rolls again at once: its token walks on before player 2's turn.
        sleep 1
        roll
        wait_until 30 "$name: the roll again" grep -q "Player 0 is set to (244, 436)" "$out"
        ! grep -q "^Player 1 is set to" <(sed -n '/^Right$/,/Player 0 is set to (244, 436)/p' "$out") ||
            fail "$name: player 2 moved before the roll again"
    fi
    wait_until 30 "$name: player 1 set down at $place" placed_at "$place"
    sleep 0.5
    [[ $(last_place) == "$place" ]] || fail "$name: player 1 moved on to $(last_place)"
    played=$(grep -c "Trying to play" "$out" || true)
    [[ ($taken == yes && $played == 1) || ($taken == no && $played == 0) ]] ||
        fail "$name: ladder or chute taken $played times, expected $taken"
    key Escape
    wait_until 20 "$name: the end after Escape" ended
    status=0
    wait "$pid" || status=$?
    [[ $status == 0 ]] || fail "$name: status $status after Escape"
    echo "ok: $name"
done

# A French board under --speak: the question and its answers said, the
# answers' numbers in French digits, from voices squarevox made in French;
# the verdict said in French.
mkdir quizfr
echo fr > quizfr/language
printf '4 24 Monte !\n' > quizfr/quizfr.config
printf '4|Combien font deux et trois ?|cinq|six\n' > quizfr/questions
"$build/squarevox/squarevox" quizfr > /dev/null 2> "$scratch/vox.txt" || fail "squarevox: $(cat "$scratch/vox.txt")"
for f in question04-1 question04-1-answer1 question04-1-answer2; do
    [[ -s quizfr/$f.wav ]] || fail "no voice quizfr/$f.wav"
done
start_game 4 --speak quizfr
roll
wait_for "Says: Combien font deux et trois ?"
wait_for "Says: 2 "
grep -q -x -E "Says: [12] cinq" "$out" || fail "the answer cinq not said: $(grep Says "$out")"
key "$(number_of cinq right)"
wait_for "Right"
wait_for "Says: Juste !"
key Escape 2>/dev/null || true
wait_until 30 "the French game's end" ended
echo "ok: French question said"

# The shipped example, every player the computer, to the win and the tally.
cp -r "$data/tavo" .
: > "$out"
SDL_AUDIODRIVER=dummy VARNOWICK_DELAY_DIVISOR=20 steady "$build" stdbuf -oL "$game" --computer 1,2 tavo \
    > "$out" 2> "$scratch/err.txt" &
pid=$!
wait_until 280 "the end of the self-played game" ended
status=0
wait "$pid" || status=$?
[[ $status == 1 ]] || fail "self-played: status $status"
tail -3 "$out" | head -1 | grep -q -E '^Player [12] wins!?$' || fail "self-played: $(tail -3 "$out")"
for p in 1 2; do
    line=$(tail -2 "$out" | grep "^Player $p: ") || fail "self-played: no tally of player $p"
    right=$(sed 's/.*: \([0-9]*\) of.*/\1/' <<< "$line")
    asked=$(sed 's/.* of \([0-9]*\)$/\1/' <<< "$line")
    [[ $right -le $asked ]] || fail "self-played: $line"
    [[ $asked == $(sed -n "/^Question:/,/^Right\$\|^Wrong\$/p" "$out" | grep -c -x -E 'Right|Wrong') ]] || true
done
echo "ok: self-played tavo: $(tail -2 "$out" | tr '\n' ' ')"
