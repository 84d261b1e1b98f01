#!/usr/bin/env bash
# The Windows programs: cross-builds them with mingw-w64 into build-win/ and
# writes dist/varnowick-<version>-win64.zip (pkg/windows/README.md).
#   ./windows.sh        build and package
#   ./windows.sh test   the same, then run the programs under wine
exec "$(dirname "$0")/pkg/windows/build.sh" "$@"
