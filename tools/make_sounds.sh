#!/bin/bash
# Builds the game's sound effects in data/audio/ (16-bit PCM, 44100 Hz, stereo):
#   player1.wav .. player4.wav spoken "Player one" .. "Player four"
#   win1.wav .. win4.wav       rising chime + spoken "Player one/two/three/four wins!"
#   ambient_-tolvik-57.wav     short wooden die rattle (replayed while the die spins)
# The spoken ones are in the voice of tools/festival/festivalrc (the voice of
# the shipped square voices) and, like those, sit at one loudness: -22 LUFS
# integrated (EBU R128), sample peaks at or below -1.5 dBFS.
# Needs: festival (text2wave) with festvox-us-slt-hts, sox, ffmpeg.  Run from
# anywhere.
set -euo pipefail

cd "$(dirname "$0")/.."
OUT=data/audio
mkdir -p "$OUT"

for tool in text2wave sox ffmpeg; do
    command -v "$tool" >/dev/null || { echo "missing $tool" >&2; exit 1; }
done

TMP=$(mktemp -d)
trap 'rm -rf "$TMP"' EXIT
# festival reads ~/.festivalrc: a home of our own holds the chosen voice.
mkdir "$TMP/home"
cp tools/festival/festivalrc "$TMP/home/.festivalrc"
LOUDNESS=-22   # LUFS, where squarevox's voices land
PEAK=-1.5      # dBFS

RATE=44100
# -R: fixed seeds for noise and dither, so repeated runs give the same files.
SOX="sox -R -V1"
FMT="-r $RATE -c 2 -b 16 -e signed-integer"

# level INFILE OUTFILE: one gain that brings INFILE to $LOUDNESS, or less
# where its peak would pass $PEAK.
level() {
    local in=$1 out=$2 loudness peak gain
    loudness=$(ffmpeg -nostats -hide_banner -i "$in" -af ebur128 -f null - 2>&1 |
        awk '/Integrated loudness/ { f = 1 } f && $1 == "I:" { print $2; exit }')
    peak=$($SOX "$in" -n stats 2>&1 | awk '$1 == "Pk" && $2 == "lev" { print $4; exit }')
    gain=$(awk -v l="$loudness" -v p="$peak" -v L=$LOUDNESS -v P=$PEAK \
        'BEGIN { g = L - l; if (p + g > P) g = P - p; printf "%.2f", g }')
    $SOX "$in" "$out" gain "$gain"
}

# speak TEXT OUTFILE: synthesise TEXT, trim the leading/trailing silence,
# leave a short pad, convert to the game's format (not yet levelled).
speak() {
    local text=$1 out=$2
    echo "$text" | HOME="$TMP/home" text2wave -o "$TMP/raw.wav"
    $SOX "$TMP/raw.wav" $FMT "$out" \
        silence 1 0.01 0.5% reverse silence 1 0.01 0.5% reverse \
        highpass 80 pad 0.02 0.05 rate -h $RATE channels 2 gain -n -3
}

# chime OUTFILE: four bell-like notes rising C6 E6 G6 C7, 90 ms apart.
chime() {
    local out=$1 i=0 parts=()
    for f in 1046.5 1318.5 1568.0 2093.0; do
        local delay len
        delay=$(awk -v i=$i 'BEGIN { printf "%.3f", i * 0.09 }')
        len=$(awk -v i=$i 'BEGIN { printf "%.3f", 0.55 - i * 0.05 }')
        # Fundamental plus a quiet octave partial, quick attack, long soft decay.
        $SOX -n $FMT "$TMP/note$i.wav" \
            synth "$len" sine "$f" synth "$len" sine mix "$(awk -v f="$f" 'BEGIN { print 2 * f }')" \
            fade l 0.004 "$len" "$(awk -v l="$len" 'BEGIN { print l - 0.01 }')" \
            vol 0.3 pad "$delay"
        parts+=("$TMP/note$i.wav")
        i=$((i + 1))
    done
    $SOX -m "${parts[@]}" $FMT "$out" reverb 20 50 40 gain -n -4
}

# One wooden knock: a damped low tone plus a band-passed noise tick, both
# decaying exponentially (sox's "l" fade is linear in dB).
knock() {
    local out=$1 freq=$2 len=$3 amp=$4
    $SOX -n $FMT "$TMP/k_tone.wav" synth "$len" sine "$freq" sine "$(awk -v f="$freq" 'BEGIN { print f * 2.7 }')" \
        remix 1,2 1,2 fade l 0 "$len" "$len" vol 0.45
    $SOX -n $FMT "$TMP/k_tick.wav" synth "$len" pinknoise \
        sinc 800-4000 fade l 0 "$len" "$(awk -v l="$len" 'BEGIN { print l * 0.6 }')" trim 0 "$len" vol 0.6
    $SOX -m "$TMP/k_tone.wav" "$TMP/k_tick.wav" $FMT "$out" fade h 0.0008 "$len" 0.004 vol "$amp"
}

# rattle OUTFILE: four knocks of falling strength at uneven intervals, peaking at
# -9 dBFS: 13 dB above the loudness of the speech, as it always was.
rattle() {
    local out=$1
    knock "$TMP/r0.wav" 820 0.045 1.00
    knock "$TMP/r1.wav" 610 0.040 0.75
    knock "$TMP/r2.wav" 960 0.035 0.55
    knock "$TMP/r3.wav" 720 0.030 0.35
    $SOX "$TMP/r1.wav" "$TMP/r1d.wav" pad 0.041
    $SOX "$TMP/r2.wav" "$TMP/r2d.wav" pad 0.078
    $SOX "$TMP/r3.wav" "$TMP/r3d.wav" pad 0.122
    $SOX -m "$TMP/r0.wav" "$TMP/r1d.wav" "$TMP/r2d.wav" "$TMP/r3d.wav" $FMT "$out" \
        highpass 150 lowpass 6000 trim 0 0.155 fade t 0 0.155 0.01 gain -n -9
}

NUMBERS=(zero one two three four)
for k in 1 2 3 4; do
    n=${NUMBERS[$k]}
    speak "Player $n." "$TMP/player$k.wav"
    level "$TMP/player$k.wav" "$OUT/player$k.wav"
done

chime "$TMP/chime.wav"
for k in 1 2 3 4; do
    n=${NUMBERS[$k]}
    speak "Player $n wins!" "$TMP/wins$k.wav"
    # Chime first, speech starting as the last note rings out.
    $SOX "$TMP/wins$k.wav" "$TMP/wins${k}d.wav" pad 0.40
    $SOX -m "$TMP/chime.wav" "$TMP/wins${k}d.wav" $FMT "$TMP/win$k.wav" gain -n -3
    level "$TMP/win$k.wav" "$OUT/win$k.wav"
done

rattle "$OUT/ambient_-tolvik-57.wav"

for f in player1 player2 player3 player4 win1 win2 win3 win4 ambient_-tolvik-57; do
    printf '%-28s %s s\n' "$f.wav" "$(soxi -D "$OUT/$f.wav")"
done
