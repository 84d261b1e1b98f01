#!/usr/bin/env bash
# Builds the browser's library stack from third_party/ into BUILD/stack/prefix
# with Debian's emscripten: SDL2, sdl12-compat, SDL_image (XPM, BMP),
# SDL_mixer (WAV) and SDL_gfx, each a static library compiled from a fixed
# list of its sources by pkg/web/lib.mk (SDL2's own CMake configure takes
# over ten minutes under emscripten on two cores). The archives are checked
# against SHA256SUMS, extracted into BUILD/stack/src and our patches
# (pkg/web/patches/<archive>-*.patch, each with its reason) applied there.
# A finished stack is kept: it is rebuilt only when the archives, the
# patches, lib.mk or this script change.
#   pkg/web/build_stack.sh BUILD_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(dirname "$(dirname "$here")")
build=$(mkdir -p "$1" && cd "$1" && pwd)
stack=$build/stack
prefix=$stack/prefix
jobs=$(nproc)

label="Browser libraries"
inputs=("$here/lib.mk" "$0")
source "$here/../stack.sh"
stack_begin
mkdir -p "$prefix/include/SDL2" "$prefix/include/SDL" "$prefix/lib"

# lib NAME SRCDIR FLAGS SOURCES...: compiles SOURCES (relative to SRCDIR,
# globs allowed) into $prefix/lib/libNAME.a.
lib() {
    local name=$1 src=$2 flags=$3; shift 3
    local srcs=() pattern found
    for pattern in "$@"; do
        # The glob expands in SRCDIR; one that matches nothing is an error.
        found=$(cd "$src" && printf '%s\n' $pattern)
        [ -n "$found" ] || { echo "$label: $name: no source matches $src/$pattern" >&2; exit 1; }
        srcs+=($found)
    done
    step "$name" nice make -f "$here/lib.mk" -j"$jobs" LIB="$prefix/lib/lib$name.a" \
        SRCDIR="$src" OBJDIR="$stack/obj/$name" SRCS="${srcs[*]}" FLAGS="-O2 $flags"
}

# SDL2, configured by its own SDL_config_emscripten.h. Its public functions
# are renamed SDL2_* (a header generated from its list of them, included
# before every source), so that sdl12-compat, which defines the SDL 1.2
# functions of the same names, links with it in one program.
unpack SDL2-2.32.10
sdl2=$stack/src/SDL2-2.32.10
sed -n 's/^SDL_DYNAPI_PROC([^,]*,SDL_\([A-Za-z0-9_]*\),.*/#define SDL_\1 SDL2_\1/p' \
    "$sdl2/src/dynapi/SDL_dynapi_procs.h" | sort -u > "$prefix/include/SDL2/sdl2_renamed.h"
echo "#define SDL2_API_RENAMED 1" >> "$prefix/include/SDL2/sdl2_renamed.h"
[ "$(wc -l < "$prefix/include/SDL2/sdl2_renamed.h")" -gt 800 ] ||
    { echo "Browser libraries: too few SDL2 functions found to rename" >&2; exit 1; }
lib SDL2 "$sdl2/src" "-I$sdl2/include -include $prefix/include/SDL2/sdl2_renamed.h" \
    '*.c' 'atomic/*.c' 'audio/*.c' 'audio/disk/*.c' 'audio/dummy/*.c' 'audio/emscripten/*.c' \
    'cpuinfo/*.c' 'events/*.c' 'file/*.c' 'filesystem/emscripten/*.c' \
    'haptic/*.c' 'haptic/dummy/*.c' 'joystick/*.c' 'joystick/emscripten/*.c' \
    'loadso/dlopen/*.c' 'locale/*.c' 'locale/emscripten/*.c' 'misc/*.c' 'misc/emscripten/*.c' \
    'power/*.c' 'power/emscripten/*.c' 'render/*.c' 'render/software/*.c' 'render/opengles2/*.c' \
    'sensor/*.c' 'sensor/dummy/*.c' 'stdlib/*.c' 'thread/*.c' 'thread/generic/*.c' \
    'timer/*.c' 'timer/unix/*.c' 'video/*.c' 'video/emscripten/*.c' 'video/yuv2rgb/*.c'
cp "$sdl2"/include/*.h "$prefix/include/SDL2/"

# sdl12-compat: the SDL 1.2 API the game and the 1.2 libraries are written
# for, on SDL2 (its loader finds SDL2's renamed functions in a table).
unpack sdl12-compat-1.2.76
compat=$stack/src/sdl12-compat-1.2.76
lib SDL "$compat/src" "-I$prefix/include/SDL2 -I$compat/include/SDL -DSDL_DISABLE_IMMINTRIN_H" SDL12_compat.c
cp "$compat"/include/SDL/*.h "$prefix/include/SDL/"

unpack SDL_image-1.2.12
lib SDL_image "$stack/src/SDL_image-1.2.12" "-I$prefix/include/SDL -DLOAD_XPM -DLOAD_BMP" \
    IMG.c IMG_xpm.c IMG_bmp.c
cp "$stack/src/SDL_image-1.2.12/SDL_image.h" "$prefix/include/SDL/"

unpack SDL_mixer-1.2.12
lib SDL_mixer "$stack/src/SDL_mixer-1.2.12" "-I$prefix/include/SDL" \
    mixer.c music.c effects_internal.c effect_position.c effect_stereoreverse.c load_aiff.c load_voc.c
cp "$stack/src/SDL_mixer-1.2.12/SDL_mixer.h" "$prefix/include/SDL/"

unpack SDL_gfx-2.0.27
gfx=$stack/src/SDL_gfx-2.0.27
lib SDL_gfx "$gfx" "-I$prefix/include/SDL" \
    SDL_gfxPrimitives.c SDL_rotozoom.c SDL_framerate.c SDL_imageFilter.c SDL_gfxBlitFunc.c
cp "$gfx"/SDL_gfxPrimitives.h "$gfx"/SDL_gfxPrimitives_font.h "$gfx"/SDL_rotozoom.h \
    "$gfx"/SDL_framerate.h "$gfx"/SDL_imageFilter.h "$gfx"/SDL_gfxBlitFunc.h "$prefix/include/SDL/"

# The game's CMake finds SDL 1.2 with pkg-config, as on Linux.
mkdir -p "$prefix/lib/pkgconfig"
cat > "$prefix/lib/pkgconfig/sdl.pc" <<PC
prefix=$prefix
Name: sdl
Description: SDL 1.2 (sdl12-compat) on SDL2, for the browser
Version: 1.2.76
Cflags: -I\${prefix}/include/SDL
Libs: -L\${prefix}/lib -lSDL -lSDL2
PC

stack_end
