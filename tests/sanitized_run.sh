#!/usr/bin/env bash
# Runs an end-to-end script against a sanitizer build and fails when any
# AddressSanitizer, LeakSanitizer or UndefinedBehaviorSanitizer report was
# written, even by a program whose status the script itself ignores. Reports
# go to files (never mixed into the programs' output) and are printed here.
#   sanitized_run.sh SCRIPT BUILD_DIR DATA_DIR
set -uo pipefail
script=$1 build=$2 data=$3
here=$(cd "$(dirname "$0")" && pwd)
logs="$build/sanitizer-logs/$(basename "$script" .sh)"
rm -rf "$logs"
mkdir -p "$logs"
# stdbuf (line-buffered output for the scripts) preloads a library of its own
# ahead of the ASan runtime; it does not allocate, so the order check is off.
export ASAN_OPTIONS="halt_on_error=1:abort_on_error=1:detect_leaks=1:verify_asan_link_order=0:log_path=$logs/report"
export UBSAN_OPTIONS="halt_on_error=1:abort_on_error=1:print_stacktrace=1:log_path=$logs/report"
# Stacks of allocations are taken the slow way: the system libraries have no
# frame pointers, and a leak must be named by its frames, not its library.
export LSAN_OPTIONS="suppressions=${LSAN_SUPPRESSIONS:-$here/lsan.supp}:print_suppressions=0:fast_unwind_on_malloc=0"
status=0
bash "$script" "$build" "$data" || status=$?
reports=$(find "$logs" -type f | sort)
if [ -n "$reports" ]; then
    for r in $reports; do echo "==== $r"; cat "$r"; done
    echo "FAIL: sanitizer reports from $(basename "$script")" >&2
    exit 1
fi
exit $status
