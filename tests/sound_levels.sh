#!/usr/bin/env bash
# Peak and loudness of the shipped sounds: every WAV in audio/ and in each
# version folder peaks at or below -1 dBFS with no run of full-scale samples;
# the voices of a version lie within 1.5 LU of one another in integrated
# loudness (EBU R128, ffmpeg's ebur128 filter), and within 1.5 LU of the turn
# and win sounds. Prints the table it judged.
#   sound_levels.sh BUILD_DIR DATA_DIR   (the build folder is not used)
set -uo pipefail
cd "$2" || exit 1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

peak_db() { sox "$1" -n stats 2>&1 | awk '$1 == "Pk" && $2 == "lev" { print $4; exit }'; }
flat() { sox "$1" -n stats 2>&1 | awk '$1 == "Flat" && $2 == "factor" { print $3; exit }'; }
loudness() {
    ffmpeg -nostats -hide_banner -i "$1" -af ebur128 -f null - 2>&1 |
        awk '/Integrated loudness/ { f = 1 } f && $1 == "I:" { print $2; exit }'
}
# spread NAME VALUE...: fails when the values lie more than 1.5 apart.
spread() {
    local name=$1
    shift
    read -r low high < <(printf '%s\n' "$@" | sort -g | sed -n '1p;$p' | paste -sd' ')
    high=${high:-$low}
    printf '%-34s %6s .. %6s LUFS\n' "$name" "$low" "$high"
    awk -v l="$low" -v h="$high" 'BEGIN { exit !(h - l <= 1.5) }' ||
        fail "$name: $low to $high LUFS, more than 1.5 LU apart"
}

printf '%-34s %8s %6s %8s\n' file "peak dB" flat "LUFS"
declare -A level
for f in audio/*.wav */square*.wav; do
    [[ -f "$f" ]] || continue
    p=$(peak_db "$f") ff=$(flat "$f") l=$(loudness "$f")
    level[$f]=$l
    printf '%-34s %8s %6s %8s\n' "$f" "$p" "$ff" "$l"
    awk -v p="$p" 'BEGIN { exit !(p != "" && p <= -1.0) }' || fail "$f peaks at $p dBFS, above -1"
    awk -v f="$ff" 'BEGIN { exit !(f == 0) }' || fail "$f has runs of samples at its peak (flat factor $ff)"
done

fixed=()
for f in audio/player[1-4].wav audio/win[1-4].wav; do
    fixed+=("${level[$f]}")
done
spread "turn and win sounds" "${fixed[@]}"
for folder in */; do
    voices=()
    for f in "$folder"square*.wav; do
        [[ -f "$f" ]] && voices+=("${level[$f]}")
    done
    (( ${#voices[@]} > 0 )) || continue
    spread "voices of ${folder%/}" "${voices[@]}"
    spread "voices of ${folder%/} with the fixed sounds" "${voices[@]}" "${fixed[@]}"
done

(( failures == 0 )) && echo "sound levels: all passed"
exit $(( failures > 0 ))
