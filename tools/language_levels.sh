#!/usr/bin/env bash
# Benchmark, run by hand: speaks two notes and the game's phrase clips in each
# language the game has words for, with the built squarevox, and prints a
# table of each language's voice, its loudness (LUFS, the two notes joined)
# and the peaks (dBFS) of the notes and of all its clips.
#   tools/language_levels.sh [BUILD_DIR]    (default build/)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:-$root/build}")
squarevox=$build/squarevox/squarevox
[ -x "$squarevox" ] || { echo "no $squarevox: build first" >&2; exit 1; }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp -r "$root/data/audio" "$root/data/image" "$scratch/"
# English in the shipped festival voice: festival reads ~/.festivalrc.
mkdir "$scratch/home"
cp "$root/tools/festival/festivalrc" "$scratch/home/.festivalrc"
export HOME="$scratch/home"
cd "$scratch"

lufs() { ffmpeg -nostdin -nostats -hide_banner -i "$1" -af ebur128 -f null - 2>&1 |
         awk '/Integrated loudness/ { f = 1 } f && $1 == "I:" { print $2; exit }'; }
peak() { sox "$@" -n stats 2>&1 | awk '$1 == "Pk" && $3 == "dB" { print $4 }'; }
# The highest of the files' peaks.
top_peak() { for f in "$@"; do peak "$f"; done | sort -g | tail -n 1; }

printf '| %-5s | %-14s | %10s | %13s | %13s |\n' tag voice "notes LUFS" "notes peak dB" "clips peak dB"
printf '|-------|----------------|------------|---------------|---------------|\n'
while IFS='|' read -r tag first second <&3; do
    mkdir "$tag"
    echo "$tag" > "$tag/language"
    printf '4 45 %s\n47 12 %s\n' "$first" "$second" > "$tag/$tag.config"
    "$squarevox" "$tag" < /dev/null > /dev/null 2> "$tag.err" || { echo "$tag: $(cat "$tag.err")" >&2; continue; }
    "$squarevox" --game-voice "$tag" < /dev/null > /dev/null 2>> "$tag.err" || { echo "$tag: $(cat "$tag.err")" >&2; continue; }
    sox "$tag/square04.wav" "$tag/square47.wav" "$tag.joined.wav"
    voice="espeak-ng $tag"
    [ "$tag" = en ] && voice="festival"
    printf '| %-5s | %-14s | %10s | %13s | %13s |\n' "$tag" "$voice" "$(lufs "$tag.joined.wav")" \
        "$(top_peak "$tag"/square*.wav)" "$(top_peak "$tag"/say/*.wav)"
done 3<<'NOTES'
en|You brushed your teeth. Climb up!|You ate all the sweets. Slide down.
fr|Tu as rangé ta chambre. Monte !|Tu as oublié tes devoirs. Descends.
de|Du hast früh geübt. Klettere hoch!|Zu schnell gerannt. Rutsch hinunter.
es|Has ayudado en casa. ¡Sube!|No has comido verduras. Baja.
it|Hai letto un libro. Sali!|Hai dimenticato lo zaino. Scendi.
pt|Você escovou os dentes. Suba!|Você não dormiu cedo. Desça.
nl|Je hebt je kamer opgeruimd. Klim!|Je was te laat. Glijd naar beneden.
pl|Posprzątałeś pokój. Wspinaj się!|Zapomniałeś zeszytu. Zjeżdżaj.
cs|Uklidil sis pokoj. Lez nahoru!|Zapomněl jsi úkol. Sjeď dolů.
el|Βούρτσισες τα δόντια σου. Ανέβα!|Ξέχασες την τσάντα. Κατέβα.
ru|Ты убрал комнату. Поднимайся!|Ты забыл тетрадь. Спускайся.
uk|Ти прибрав кімнату. Піднімайся!|Ти забув зошит. Спускайся.
tr|Odanı topladın. Yukarı çık!|Ödevini unuttun. Aşağı kay.
NOTES
