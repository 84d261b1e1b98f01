#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the unit and
# end-to-end tests, the Debian package's test (it installs and removes the
# package), then the unit and end-to-end tests again under
# AddressSanitizer and UndefinedBehaviorSanitizer, brief fuzz runs, and the
# Windows build with its tests under wine.
# Most end-to-end time is spent waiting on the programs, so the plain build's
# tests run while the sanitizer and fuzz builds compile, and the fuzz runs
# beside the sanitized tests. Each phase's time is printed at its end.
set -euo pipefail
cd "$(dirname "$0")"
source tools/packages.sh
tools/need_packages.sh "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
jobs=$(nproc)
# The tests wait more than they compute: twice as many as the cores.
test_jobs=$((2 * jobs))
logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
start=$SECONDS

# phase NAME COMMAND...: runs COMMAND, then prints how long it took.
phase() {
    local name=$1 from=$SECONDS status=0
    shift
    "$@" || status=$?
    echo "== $name: $((SECONDS - from)) s (status $status)"
    return $status
}

# in_background NAME COMMAND...: a phase with its output in a log, shown by
# collect NAME, which also gives its status.
in_background() {
    local name=$1
    shift
    (phase "$name" "$@") > "$logs/$name.log" 2>&1 &
    echo $! > "$logs/$name.pid"
}
collect() {
    local status=0
    wait "$(cat "$logs/$1.pid")" || status=$?
    cat "$logs/$1.log"
    return $status
}

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DSANITIZE=ON >/dev/null
# The fuzz targets, built with clang's libFuzzer, each run for a few seconds
# from its seed corpus.
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFUZZ=ON >/dev/null

phase "build" cmake --build build -j"$jobs"
in_background tests bash -c "cd build && ctest --output-on-failure -j$test_jobs"
phase "sanitizer build" cmake --build build-asan -j"$jobs"
phase "fuzz build" cmake --build build-fuzz -j"$jobs" --target fuzz_records fuzz_font fuzz_note fuzz_wavguard fuzz_xpmguard
# The Debian package: built, installed with apt-get, played as a user plays
# it from an empty folder, compared with the plain build, and removed.
phase "package build" ./package.sh
status=0
collect tests || status=1
in_background fuzz bash -c "cd build-fuzz && ctest --output-on-failure -j$jobs -L fuzz"
in_background package tests/package_test.sh dist/varnowick_*.deb build data
# Under the sanitizers the end-to-end runs fail on any report of theirs.
phase "sanitized tests" bash -c "cd build-asan && ctest --output-on-failure -j$test_jobs -L 'unit|e2e'" || status=1
collect fuzz || status=1
collect package || status=1
# The Windows programs: cross-built (the library stack once, kept in
# build-win/), zipped, and run under wine against the plain build.
phase "windows" ./windows.sh test || status=1
echo "== all: $((SECONDS - start)) s after set-up"
exit $status
