#!/usr/bin/env bash
# The game in a web browser: installs what is missing, builds the library
# stack (kept in build-web/stack/) and the game with Debian's emscripten, and
# writes dist/varnowick-web/: the page, its script, the wasm and the data.
#   pkg/web/build.sh         build (./web.sh runs it)
#   pkg/web/build.sh serve   build, then serve it on http://localhost:8080/ (PORT=...)
#   pkg/web/build.sh test    build, then run its test in headless chromium (web_e2e)
set -euo pipefail
cd "$(dirname "$0")/../.."
case "${1:-}" in
    "" | serve | test) ;;
    -h | --help) sed -n '2,7p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "web.sh: unknown argument '$1' (expected nothing, 'serve' or 'test')" >&2; exit 2 ;;
esac
source tools/packages.sh
tools/need_packages.sh "${WEB_PACKAGES[@]}"
build=$PWD/build-web
prefix=$build/stack/prefix
out=$PWD/dist/varnowick-web
export CCACHE_DISABLE=1 NODE_PATH=/usr/share/nodejs

pkg/web/build_stack.sh "$build"
PKG_CONFIG_LIBDIR=$prefix/lib/pkgconfig PKG_CONFIG_PATH="" nice cmake -S . -B "$build/obj" \
    -DCMAKE_TOOLCHAIN_FILE=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake \
    -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_FIND_ROOT_PATH_MODE_LIBRARY=BOTH \
    -DCMAKE_BUILD_TYPE=Release >/dev/null
nice cmake --build "$build/obj" -j"$(nproc)" --target boardgame

rm -rf "$out" && mkdir -p "$out"
cp "$build/obj/game/boardgame.js" "$build/obj/game/boardgame.wasm" pkg/web/page/* "$out/"
# The game's own files in one package, each shipped board in one of its own.
python3 pkg/web/pack_data.py data "$build/obj/shipped.txt" "$out"
mkdir -p "$out/licences"
cp LICENSE "$out/licences/Varnowick.txt"
source pkg/stack.sh
stack_licences "$build/stack/src" "$out/licences"
cp /usr/share/doc/emscripten/copyright "$out/licences/emscripten-runtime.txt"
echo "Wrote $out ($(du -sk "$out" | cut -f1) KiB)"

case "${1:-}" in
    serve) echo "Serving on http://localhost:${PORT:-8080}/ (Ctrl-C ends)"
           exec python3 -m http.server --bind 127.0.0.1 --directory "$out" "${PORT:-8080}" ;;
    test) # The Linux game is what the page is compared with.
          tools/need_packages.sh "${BUILD_PACKAGES[@]}" xvfb xauth xdotool imagemagick bc
          cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
          cmake --build build -j"$(nproc)" --target boardgame >/dev/null
          exec tests/web_e2e.sh "$out" build data ;;
esac
