#!/usr/bin/env bash
# Installs what is missing, builds, and plays a version (default: mivo).
#   ./play.sh [options] [version]    (options: boardgame --help)
set -euo pipefail
cd "$(dirname "$0")"
source tools/packages.sh
tools/need_packages.sh "${BUILD_PACKAGES[@]}"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target boardgame
cd data
exec ../build/game/boardgame "$@"
