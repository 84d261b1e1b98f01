#!/bin/bash
# Speaks the game's phrases for --speak into the shipped clips of a language,
# data/audio/say/<language>/ (default: en), with squarevox --game-voice and
# the voice that tools/festival/festivalrc selects, as squarevox speaks notes:
#   tools/make_game_voice.sh [language]
# Another language goes through a scratch version whose language file names
# it, so squarevox picks that language's voice and words as it does for a
# user's version. Needs: festival with festvox-us-slt-hts, sox. Run from anywhere.
set -euo pipefail
cd "$(dirname "$0")/.."
language="${1:-en}"
[[ $language =~ ^[A-Za-z0-9_-]+$ ]] || { echo "make_game_voice: not a language tag: $language" >&2; exit 2; }
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target squarevox
squarevox=$PWD/build/squarevox/squarevox
# festival reads ~/.festivalrc: a home of our own holds the chosen voice.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/home"
cp tools/festival/festivalrc "$scratch/home/.festivalrc"
if [[ $language == en ]]; then
    (cd data && HOME="$scratch/home" "$squarevox" --game-voice && rm -f temp.wav)
else
    mkdir "$scratch/voice"
    echo "$language" > "$scratch/voice/language"
    (cd "$scratch" && HOME="$scratch/home" "$squarevox" --game-voice voice)
    mkdir -p "data/audio/say/$language"
    mv "$scratch"/voice/say/*.wav "data/audio/say/$language/"
fi
du -sh "data/audio/say/$language"
