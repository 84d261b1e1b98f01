#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the unit and
# end-to-end tests, then the unit and end-to-end tests again under
# AddressSanitizer and UndefinedBehaviorSanitizer, then brief fuzz runs.
set -euo pipefail
cd "$(dirname "$0")"
source tools/packages.sh
tools/need_packages.sh "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
jobs=$(nproc)

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
(cd build && ctest --output-on-failure -j"$jobs")

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DSANITIZE=ON >/dev/null
cmake --build build-asan -j"$jobs"
# Under the sanitizers the end-to-end runs fail on any report of theirs.
(cd build-asan && ctest --output-on-failure -j"$jobs" -L 'unit|e2e')

# The fuzz targets, built with clang's libFuzzer, each run for a few seconds
# from its seed corpus.
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFUZZ=ON >/dev/null
cmake --build build-fuzz -j"$jobs" --target fuzz_records fuzz_font fuzz_note fuzz_wavguard fuzz_xpmguard
(cd build-fuzz && ctest --output-on-failure -L fuzz)
