#!/usr/bin/env bash
# Installs what is missing, builds, and runs the tests.
#   ./test.sh         the full gate, as CI runs it: the unit and end-to-end
#                     tests and a short game under valgrind, the Debian
#                     package's test (it installs and removes the package),
#                     the unit and end-to-end tests again under
#                     AddressSanitizer and UndefinedBehaviorSanitizer, brief
#                     fuzz runs, the Windows build with its tests under wine,
#                     and the browser build with its test in headless chromium
#   ./test.sh quick   the build and the unit and end-to-end tests only
# Most end-to-end time is spent waiting on the programs, so the plain build's
# tests run while the sanitizer and fuzz builds compile, and the fuzz runs
# beside the sanitized tests. Every phase runs, whatever the others do; each
# prints its time and status at its end, a background phase its whole log,
# and the last line names the phases that failed.
set -uo pipefail
cd "$(dirname "$0")" || exit 2
case "${1:-}" in
    "" | quick) mode=${1:-full} ;;
    -h | --help) sed -n '2,15p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "test.sh: unknown argument '$1' (expected nothing or 'quick')" >&2; exit 2 ;;
esac
source tools/packages.sh
tools/need_packages.sh "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}" ||
    { echo "test.sh: the packages the tests need could not be installed" >&2; exit 1; }
jobs=$(nproc)
# The tests wait more than they compute: twice as many as the cores.
test_jobs=$((2 * jobs))
source tools/phases.sh
phases_start "$mode"

phase "configure" quietly cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
after configure && phase "build" cmake --build build -j"$jobs"
if [ "$mode" = quick ]; then
    after build && phase "tests" bash -c "cd build && ctest --output-on-failure -j$test_jobs -L 'unit|e2e'"
    summary
    exit
fi

after build && in_background tests bash -c "cd build && ctest --output-on-failure -j$test_jobs"
phase "sanitizer configure" quietly cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DSANITIZE=ON
after "sanitizer configure" && phase "sanitizer build" cmake --build build-asan -j"$jobs"
# The fuzz targets, built with clang's libFuzzer, each run for a few seconds
# from its seed corpus.
phase "fuzz configure" quietly env CC=clang CXX=clang++ \
    cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFUZZ=ON
after "fuzz configure" && phase "fuzz build" cmake --build build-fuzz -j"$jobs" \
    --target fuzz_records fuzz_font fuzz_note fuzz_wavguard fuzz_xpmguard
# The Debian package: built, installed with apt-get, played as a user plays
# it from an empty folder, compared with the plain build, and removed.
phase "package build" ./package.sh
! running tests || collect tests
after "fuzz build" && in_background fuzz bash -c "cd build-fuzz && ctest --output-on-failure -j$jobs -L fuzz"
after "package build" build && in_background package tests/package_test.sh dist/varnowick_*.deb build data
# Under the sanitizers the end-to-end runs fail on any report of theirs.
after "sanitizer build" && phase "sanitized tests" bash -c "cd build-asan && ctest --output-on-failure -j$test_jobs -L 'unit|e2e'"
! running fuzz || collect fuzz
! running package || collect package
# The Windows programs: cross-built (the library stack once, kept in
# build-win/), zipped, and run under wine against the plain build.
phase "windows" ./windows.sh test
# The browser build: the library stack once (kept in build-web/), the page,
# and web_e2e in headless chromium against the plain build.
phase "web" ./web.sh test
summary
