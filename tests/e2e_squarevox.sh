#!/usr/bin/env bash
# squarevox with the real festival and sox: a small version spoken for real,
# its text files byte for byte, its sounds read back and their levels, a name
# full of shell characters, a failing text-to-speech program, a note it cannot
# say, and an interrupt in the middle of a run.
#   e2e_squarevox.sh BUILD_DIR DATA_DIR
set -uo pipefail
tool="$(realpath "$1")/squarevox/squarevox"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
expect_eq() { [[ "$2" == "$3" ]] || fail "$1: expected [$2], got [$3]"; }

cd "$scratch"
note79=" $(printf 'w%.0s' $(seq 78))"
mkdir v
printf '7 3 The note\n3 9 Go up the ladder\n3 1 Slide all the way down\n0 0%s\n' "$note79" > v/v.config
"$tool" v > out.txt 2> err.txt
expect_eq "status of a good run" 0 "$?"
expect_eq "nothing printed" "" "$(cat out.txt)"
expect_eq "no messages, no clipping warnings of sox" "" "$(cat err.txt)"
cmp -s v/square07 <(printf ' The note\n') || fail "square07 text"
cmp -s v/square03 <(printf ' Slide all the way down\n') || fail "square03 holds the later record"
cmp -s v/square00 <(printf '%s' "$note79") || fail "79-character note without its line end"
for n in 00 03 07; do
    expect_eq "square$n.wav channels" 2 "$(soxi -c v/square$n.wav)"
    expect_eq "square$n.wav rate" 22050 "$(soxi -r v/square$n.wav)"
    (( $(soxi -s v/square$n.wav 2>/dev/null || echo 0) > 8000 )) || fail "square$n.wav holds under 0.4 s of speech"
    peak=$(sox v/square$n.wav -n stats 2>&1 | awk '$1 == "Pk" && $2 == "lev" { print $4 }')
    awk -v p="$peak" 'BEGIN { exit !(p <= -1) }' || fail "square$n.wav peaks at $peak dBFS"
done
[[ -s temp.wav ]] || fail "temp.wav is left in the working folder"

# The later record's speech, made by hand with the same two programs
# (festival speaks a text the same way every time).
printf ' Slide all the way down\n' > by_hand
festival --script "$(command -v text2wave)" by_hand -o hand.wav
# English speech is converted three semitones lower.
/usr/bin/sox -c1 -e signed-integer -b 16 hand.wav -c2 -r 22050 by_hand.wav pitch -300
# sox dithers at random, so the samples differ slightly; their count does not.
expect_eq "square03.wav is the later record's speech" "$(soxi -s by_hand.wav)" "$(soxi -s v/square03.wav)"

# A name that would run commands if it reached the shell unquoted.
name='a b;touch ran1 $(touch ran2) `touch ran3` & it'"'"'s'
mkdir "$name"
printf '4 9 hello\n' > "$name/$name.config"
"$tool" "$name"
expect_eq "status with shell characters" 0 "$?"
expect_eq "square04.wav with shell characters" 2 "$(soxi -c "$name/square04.wav" 2>/dev/null)"
ls ran* > /dev/null 2>&1 && fail "a shell character ran a command"

# A text-to-speech program that fails.
mkdir bin w
printf '#!/bin/sh\nexit 1\n' > bin/festival
chmod +x bin/festival
printf '5 6 fails\n' > w/w.config
PATH="$PWD/bin:$PATH" "$tool" w 2> err.txt
expect_eq "status when festival fails" 1 "$?"
grep -q "^squarevox: square 5: the speech program could not speak the note (the speech command ended with status 1): festival " err.txt ||
    fail "no message for the failing festival: $(cat err.txt)"
[[ -e w/square05.wav ]] && fail "a sound was made without speech"

# A note the speech program cannot say: one line naming the square, the old
# voice kept byte for byte, the next note spoken.
mkdir u
printf '5 6 \360\237\230\200\360\237\230\200\n6 7 Go on\n' > u/u.config
printf ' old note\n' > u/square05
printf 'old sound' > u/square05.wav
"$tool" u 2> err.txt
expect_eq "status with a note it cannot say" 1 "$?"
grep -q "^squarevox: square 5: the speech program could not speak the note" err.txt ||
    fail "no message for the note it cannot say: $(cat err.txt)"
expect_eq "old text kept" " old note" "$(cat u/square05)"
expect_eq "old sound kept" "old sound" "$(cat u/square05.wav)"
expect_eq "the next note spoken" 2 "$(soxi -c u/square06.wav 2>/dev/null)"

# An interrupt while the voices are made: status 130, every voice there is
# whole, no temporary left.
mkdir i
for n in 10 11 12 13 14 15 16 17; do echo "$n 2 Square $n is a long way from the top of the board"; done > i/i.config
"$tool" i 2> err.txt &
pid=$!
for _ in $(seq 600); do [[ -e i/square11.wav ]] && break; sleep 0.05; done
kill -INT $pid
wait $pid
expect_eq "status after an interrupt" 130 "$?"
grep -q "^squarevox: interrupted at square 1[1-7]" err.txt || fail "no message for the interrupt: $(cat err.txt)"
for f in i/square1?.wav; do
    soxi -s "$f" > /dev/null 2>&1 || fail "$f is not whole after the interrupt"
done
[[ -z "$(ls -A i | grep -v -E '^(i\.config|square1[0-7](\.wav)?)$')" ]] ||
    fail "files left behind by the interrupt: $(ls -A i)"

# Killed (SIGKILL) while it speaks an edited note: boardcheck does not call
# the old voice up to date and names the old text left aside and a
# conversion temporary of the dead run; the next run cleans them up, leaves a
# live run's temporary alone and makes the voice.
check="$(realpath "$1")/boardcheck/boardcheck"
mkdir k slow
cp "$2/mivo/square04.wav" k/
printf ' old note\n' > k/square04
printf '4 25 new note\n' > k/k.config
printf '#!/bin/sh\necho $$ > festival.pid\nexec sleep 30\n' > slow/festival
chmod +x slow/festival
PATH="$PWD/slow:$PATH" "$tool" k 2> /dev/null &
pid=$!
for _ in $(seq 200); do [[ -s festival.pid ]] && break; sleep 0.05; done
kill -KILL $pid
wait $pid 2> /dev/null
kill "$(cat festival.pid)"
: > "k/.square04.new-$pid-abcdef.wav"
sleep 60 &
live=$!
: > "k/.square04.new-$live-ghijkl.wav"
"$check" k > report.txt
expect_eq "boardcheck status after a killed run" 1 "$?"
grep -q "^  square04.wav .* voice run cut short$" report.txt || fail "the killed run's voice: $(grep square04 report.txt)"
for left in ".square04.old-$pid" ".square04.new-$pid-abcdef.wav"; do
    grep -qF "./k/$left: left by a squarevox run that was cut short" report.txt ||
        fail "$left is not named: $(grep -A3 '^Problems' report.txt)"
done
"$tool" k 2> err.txt
expect_eq "status of the run after the killed one" 0 "$?"
grep -qF "./k/.square04.new-$live-ghijkl.wav belongs to squarevox process $live, which still runs; left alone" err.txt ||
    fail "the live run's temporary: $(cat err.txt)"
kill $live
wait $live 2> /dev/null
rm "k/.square04.new-$live-ghijkl.wav" || fail "the live run's temporary was removed"
[[ -z "$(ls -A k | grep -v -E '^(k\.config|square04(\.wav)?)$')" ]] || fail "left after the next run: $(ls -A k)"
"$check" k | grep -q "^  square04.wav .* note up to date$" || fail "the voice after the next run"

# No argument: the usage message only.
mkdir empty && cd empty
"$tool" > ../usage.txt
expect_eq "usage status" 1 "$?"
cmp -s ../usage.txt <(printf 'No version specified.  Use:  squarevox version\n') || fail "usage text"
[[ -z "$(ls -A)" ]] || fail "the usage run created files"

(( failures == 0 )) && echo "squarevox end-to-end: all passed"
exit $(( failures > 0 ))
