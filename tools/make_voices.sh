#!/bin/bash
# Speaks the notes of a version in data/ (default: mivo) into its square text
# and sound files with squarevox, exactly as a board author would:
#   tools/make_voices.sh [version]
# Needs: festival with a voice (festvox-kallpc16k), sox. Run from anywhere.
set -euo pipefail
cd "$(dirname "$0")/.."
version="${1:-mivo}"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j2 --target squarevox
cd data
../build/squarevox/squarevox "$version"
rm -f temp.wav # the speech of the last note; nothing reads it
