#!/bin/bash
# Speaks the notes of a version in data/ (default: mivo) into its square text
# and sound files with squarevox, exactly as a board author would, in the
# voice that tools/festival/festivalrc selects:
#   tools/make_voices.sh [version]
# Needs: festival with festvox-us-slt-hts, sox. Run from anywhere.
set -euo pipefail
cd "$(dirname "$0")/.."
version="${1:-mivo}"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target squarevox
# festival reads ~/.festivalrc: a home of our own holds the chosen voice.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
cp tools/festival/festivalrc "$home/.festivalrc"
cd data
HOME="$home" ../build/squarevox/squarevox "$version"
rm -f temp.wav # the speech of the last note; nothing reads it
