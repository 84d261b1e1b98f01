#!/usr/bin/env bash
# The Windows programs: installs what is missing, cross-builds the library
# stack and boardgame.exe, chuteview.exe and boardcheck.exe with mingw-w64
# into build-win/, and writes dist/varnowick-<version>-win64.zip.
#   pkg/windows/build.sh        build and package (./windows.sh runs it)
#   pkg/windows/build.sh test   the same, then run the programs under wine
set -euo pipefail
cd "$(dirname "$0")/../.."
case "${1:-}" in
    "" | test) ;;
    -h | --help) sed -n '2,6p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "windows.sh: unknown argument '$1' (expected nothing or 'test')" >&2; exit 2 ;;
esac
source tools/packages.sh
tools/need_packages.sh "${WINDOWS_PACKAGES[@]}"
build=$PWD/build-win
prefix=$build/stack/prefix
host=x86_64-w64-mingw32

pkg/windows/build_stack.sh "$build"

PKG_CONFIG_LIBDIR=$prefix/lib/pkgconfig PKG_CONFIG_PATH="" \
    cmake -S . -B "$build/obj" -DCMAKE_TOOLCHAIN_FILE="$PWD/pkg/windows/mingw64.cmake" \
    -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build/obj" -j"$(nproc)" --target boardgame chuteview boardcheck

version=$(cat "$build/obj/version.txt")
name=varnowick-$version-win64
stage=$build/$name
rm -rf "$stage" && mkdir -p "$stage/licences"
for exe in game/boardgame chuteview/chuteview boardcheck/boardcheck; do
    $host-strip -o "$stage/$(basename "$exe").exe" "$build/obj/$exe.exe"
done
for dll in "$prefix"/bin/*.dll; do $host-strip --strip-unneeded -o "$stage/$(basename "$dll")" "$dll"; done
# The run-time files: data/shipped.txt, as CMake listed it.
while IFS= read -r item; do cp -r "data/$item" "$stage/"; done < "$build/obj/shipped.txt"
cp pkg/windows/README.txt "$stage/README.txt"
source pkg/stack.sh
stack_licences "$build/stack/src" "$stage/licences"
# The mingw-w64 runtime (C runtime start-up, winpthreads) linked into the programs.
cp /usr/share/doc/mingw-w64-x86-64-dev/copyright "$stage/licences/mingw-w64-runtime.txt"
# GCC's libstdc++ and libgcc, linked in by -static (GPL with its runtime exception).
cp /usr/share/doc/gcc-mingw-w64-base/copyright "$stage/licences/gcc-runtime.txt"
# The programs' own.
cp LICENSE "$stage/licences/Varnowick.txt"
# Windows wants CRLF in the texts a player opens.
for f in "$stage/README.txt" "$stage"/licences/*.txt; do sed -i 's/\r*$/\r/' "$f"; done

# Every DLL a program or library imports is Windows' own or one in the folder.
system_dlls=" advapi32.dll gdi32.dll imm32.dll kernel32.dll msvcrt.dll ole32.dll oleaut32.dll shell32.dll user32.dll version.dll winmm.dll setupapi.dll "
for f in "$stage"/*.exe "$stage"/*.dll; do
    for dll in $($host-objdump -p "$f" | sed -n 's/^\s*DLL Name: //p'); do
        lower=$(echo "$dll" | tr 'A-Z' 'a-z')
        [[ "$system_dlls" == *" $lower "* || -e "$stage/$dll" ]] ||
            { echo "windows.sh: $(basename "$f") needs $dll, which is neither Windows' own nor in the zip" >&2; exit 1; }
    done
done

# sdl12-compat loads SDL2.dll at run time (no import shows it); without it the
# programs stop on a modal error box.
[ -e "$stage/SDL2.dll" ] || { echo "windows.sh: SDL2.dll is missing from the zip's folder" >&2; exit 1; }

mkdir -p dist
rm -f "$build/$name.zip"
(cd "$build" && zip -q -r -X "$name.zip" "$name")
mv "$build/$name.zip" "dist/$name.zip"
echo "Wrote dist/$name.zip ($(du -k "dist/$name.zip" | cut -f1) KiB)"

if [ "${1:-}" = test ]; then
    # The Linux programs are what the Windows ones are compared with.
    tools/need_packages.sh "${BUILD_PACKAGES[@]}"
    cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build build -j"$(nproc)" --target boardgame boardcheck >/dev/null
    tests/wine_e2e.sh "$build" "$stage" build data
fi
